#include "Settings.h"

#include "IniFile.h"
#include "core/platform/Platform.h"

#include <cmath>
#include <limits>

QString ReadSetting(const QString& section, const QString& key, const QString& file)
{
    return IniFile::read(file, section, key);
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
    for (const SettingKey& k : kSettingKeys) {
        if (k.writtenAsDefault)
            WriteSetting(kSettingsSection, QLatin1String(k.name),
                         SettingDefault(QLatin1String(k.name)), file);
    }
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
