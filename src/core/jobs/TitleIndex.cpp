#include "TitleIndex.h"

#include "core/platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/parser.h>

#include <sstream>
#include <vector>

namespace {
// Walks the parser's events instead of building the whole tree: the emulator's index holds
// over ten thousand games, and only two values of each are wanted.
class TitleEvents : public YAML::EventHandler
{
public:
    explicit TitleEvents(QHash<QString, QString>& titles) : m_titles(titles) {}

    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override { value({}); }
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override { value({}); }
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t,
                  const std::string& text) override
    {
        value(QString::fromStdString(text));
    }
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override
    {
        open(false);
    }
    void OnSequenceEnd() override { close(); }
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override
    {
        open(true);
    }
    void OnMapEnd() override { close(); }

private:
    struct Level
    {
        bool map = false;
        bool wantsKey = true;
        QString key;
        QString name;   // a game's "name"
        QString nameEn; // and its English one, where the first is not
    };

    void value(const QString& text)
    {
        if (m_levels.empty())
            return;
        Level& top = m_levels.back();
        if (!top.map)
            return;
        if (top.wantsKey) {
            top.key = text;
            top.wantsKey = false;
            return;
        }
        top.wantsKey = true;
        // A game's own values: one level below the serials.
        if (m_levels.size() == 2) {
            if (top.key == QLatin1String("name"))
                top.name = text;
            else if (top.key == QLatin1String("name-en"))
                top.nameEn = text;
        }
    }
    void open(bool map) { m_levels.push_back({map, true, {}, {}, {}}); }
    void close()
    {
        if (m_levels.empty())
            return;
        const Level done = m_levels.back();
        m_levels.pop_back();
        if (m_levels.empty())
            return;
        Level& parent = m_levels.back();
        if (m_levels.size() == 1 && done.map && parent.map && !parent.wantsKey) {
            // The English title where the index has one: the PS2's menus show Latin letters.
            const QString title = (done.nameEn.isEmpty() ? done.name : done.nameEn).trimmed();
            if (!title.isEmpty())
                m_titles.insert(parent.key.trimmed().toUpper(), title);
        }
        if (parent.map)
            parent.wantsKey = true;
    }

    QHash<QString, QString>& m_titles;
    std::vector<Level> m_levels;
};
} // namespace

TitleIndex TitleIndex::FromYaml(const QByteArray& yaml, QString* error)
{
    TitleIndex index;
    std::istringstream in(yaml.toStdString());
    TitleEvents events(index.m_titles);
    try {
        YAML::Parser parser(in);
        while (parser.HandleNextDocument(events)) {
        }
    } catch (const YAML::Exception& e) {
        if (error)
            *error = QString::fromStdString(e.what());
    }
    return index;
}

TitleIndex TitleIndex::Load(const QString& file, QString* error)
{
    // The emulator's index is a few megabytes; a file far larger is not one, nor is anything
    // but a plain file (a FIFO would wait for ever, /dev/zero never end).
    constexpr qint64 kLargest = 64LL * 1024 * 1024;
    const platform::FileRead read = platform::readRegularFile(file, kLargest);
    if (read.status != platform::FileReadStatus::Read) {
        if (error)
            *error = read.status == platform::FileReadStatus::TooLarge
                         ? QStringLiteral("larger than a game index can be")
                         : read.error;
        return {};
    }
    TitleIndex index = FromYaml(read.bytes, error);
    index.m_file = QFileInfo(file).absoluteFilePath();
    return index;
}

QString TitleIndex::titleFor(const QString& startup) const
{
    const QString serial = SerialOfStartup(startup);
    return serial.isEmpty() ? QString() : m_titles.value(serial);
}

QString SerialOfStartup(const QString& startup)
{
    static const QRegularExpression re(
        QStringLiteral("^([A-Z]{4})[_-]([0-9]{3})\\.?([0-9]{2})(;[0-9]+)?$"));
    const auto m = re.match(startup.trimmed().toUpper());
    if (!m.hasMatch())
        return {};
    return m.captured(1) + u'-' + m.captured(2) + m.captured(3);
}

QString FindTitleIndex(const QStringList& places)
{
    for (const QString& place : places) {
        if (QFileInfo(place).isFile())
            return place;
    }
    return {};
}
