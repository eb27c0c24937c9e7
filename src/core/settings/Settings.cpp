#include "Settings.h"

#include "IniFile.h"
#include "core/platform/Platform.h"

#include <cmath>
#include <limits>

QString ReadSetting(const QString& section, const QString& key, const QString& file)
{
    return IniFile::read(file, section, key);
}

QString ColourText(quint32 colour)
{
    if (colour == kSystemButtonText)
        return QStringLiteral("system:button-text");
    if (colour & 0x80000000u)
        return QStringLiteral("system:button-face");
    const unsigned red = colour & 0xff, green = (colour >> 8) & 0xff, blue = (colour >> 16) & 0xff;
    return QStringLiteral("#%1").arg((red << 16) | (green << 8) | blue, 6, 16, QLatin1Char('0'));
}

quint32 ColourFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("system:button-text"), Qt::CaseInsensitive) == 0)
        return kSystemButtonText;
    if (t.compare(QLatin1String("system:button-face"), Qt::CaseInsensitive) == 0)
        return kSystemButtonFace;
    if (t.startsWith(u'#') && t.size() == 7) {
        bool ok = false;
        const unsigned rgb = t.mid(1).toUInt(&ok, 16);
        if (ok)
            return ((rgb >> 16) & 0xff) | (rgb & 0xff00) | ((rgb & 0xff) << 16);
    }
    // Older files: the number as it was written.
    return static_cast<quint32>(IntegerValue(t));
}

QString SettingsFile::read(const QString& key) const
{
    const platform::FileStamp now = platform::fileStamp(m_path);
    if (!m_cache || m_cache->stamp != now) {
        // As IniFile reads it: a file too large or not regular reads as empty.
        const platform::FileRead file = platform::readRegularFile(m_path, IniFile::kMaxFileSize);
        m_cache = Cache{now, IniFile::valuesOf(file.status == platform::FileReadStatus::Read
                                                   ? file.bytes
                                                   : QByteArray(),
                                               kSettingsSection)};
    }
    return m_cache->values.value(key.toCaseFolded());
}

bool WriteSetting(const QString& section, const QString& key, const QString& value,
                  const QString& file, QString* error)
{
    return IniFile::write(file, section, key, value, error);
}

QString DefaultToolConfigPath()
{
    return platform::defaultToolConfigPath();
}

QString DefaultDiscDatabasePath()
{
    return platform::defaultDiscDatabasePath();
}

const SettingKey& KeyOf(Setting setting)
{
    // The table is in the enum's order.
    return kSettingKeys[static_cast<std::size_t>(setting)];
}

QString SettingDefault(const QString& key)
{
    for (const SettingKey& k : kSettingKeys) {
        if (key.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return k.defaultValue ? QString::fromLatin1(k.defaultValue) : DefaultToolConfigPath();
    }
    return {};
}

void WriteDefaultSettings(const QString& file)
{
    IniFile::Entries defaults;
    for (const SettingKey& k : kSettingKeys) {
        if (k.writtenAsDefault)
            defaults.append({QLatin1String(k.name), SettingDefault(QLatin1String(k.name))});
    }
    IniFile::write(file, kSettingsSection, defaults);
}

double NumericValue(const QString& text)
{
    int i = 0;
    const int n = static_cast<int>(text.size());
    auto skipBlanks = [&] {
        while (i < n && (text[i] == u' ' || text[i] == u'\t'))
            ++i;
    };
    skipBlanks();
    QString number;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        number += text[i++];
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            number += c;
            digits = true;
        } else if (c == u'.' && !point) {
            number += c;
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        QString exp = QStringLiteral("e");
        if (j < n && (text[j] == u'-' || text[j] == u'+'))
            exp += text[j++];
        const int expStart = j;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128)
            exp += text[j++];
        if (j > expStart)
            number += exp;
    }
    bool ok = false;
    const double v = number.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

qint32 IntegerValue(const QString& text)
{
    const double v = std::nearbyint(NumericValue(text));
    // Out-of-range values wrap like a 32-bit truncation of the whole number.
    if (v >= -2147483648.0 && v <= 2147483647.0)
        return static_cast<qint32>(v);
    if (std::fabs(v) < 9.0e18)
        return static_cast<qint32>(static_cast<quint32>(static_cast<qint64>(v)));
    return 0;
}

// KeyOf reads the table by the enum's value.
static_assert(
    [] {
        for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
            if (static_cast<std::size_t>(kSettingKeys[i].setting) != i)
                return false;
        }
        return true;
    }(),
    "kSettingKeys is not in the order of Setting");
