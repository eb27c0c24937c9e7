#pragma once

#include <QString>

#include <array>
#include <functional>

// Every setting of the program lives in section "hdl_dump" of config.cfg.
inline const QString kSettingsSection = QStringLiteral("hdl_dump");

struct SettingKey
{
    const char* name;
    const char* defaultValue; // nullptr: computed (the tool's configuration path)
};

// The thirteen keys in the order the defaults are written.
inline constexpr std::array<SettingKey, 13> kSettingKeys{{
    {"DefaultISO", ""},
    {"ClosePS2", "0"},
    {"TurnOffPC", "0"},
    {"StandbyPC", "0"},
    {"TurnOffPS2", "0"},
    {"IP", "192.168.0.10"},
    {"StayOnTop", "1"},
    {"ViewOutput", "0"},
    {"hdl_config", nullptr},
    {"BalloonTips", "0"},
    {"Backcolor", "-2147483633"},
    {"Forecolor", "-2147483630"},
    {"UseColor", "0"},
}};

inline const QString kDefaultIP = QStringLiteral("192.168.0.10");

QString ReadSetting(const QString& section, const QString& key, const QString& file);
// False (with the reason in *error) when the file was left as it was.
bool WriteSetting(const QString& section, const QString& key, const QString& value,
                  const QString& file, QString* error = nullptr);
// Writes all thirteen defaults into file; other keys stay.
void WriteDefaultSettings(const QString& file);
QString DefaultToolConfigPath();
QString DefaultDiscDatabasePath();
QString SettingDefault(const QString& key);

// The numeric conversion the settings go through: the leading number of the
// text, 0 when there is none.
double NumericValue(const QString& text);
// A flag or other whole number stored as text, truncated to 32 bits.
qint32 IntegerValue(const QString& text);

// A settings file bound to its path, for the code that reads and writes it.
class SettingsFile
{
public:
    explicit SettingsFile(QString path = {}) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }
    QString read(const QString& key) const { return ReadSetting(kSettingsSection, key, m_path); }
    // A write that fails leaves the file as it was and is reported to the handler.
    bool write(const QString& key, const QString& value) const
    {
        QString error;
        if (WriteSetting(kSettingsSection, key, value, m_path, &error))
            return true;
        if (m_onFailure)
            m_onFailure(m_path, error);
        return false;
    }
    void setFailureHandler(std::function<void(const QString& path, const QString& reason)> f)
    {
        m_onFailure = std::move(f);
    }
    qint32 number(const QString& key) const { return IntegerValue(read(key)); }
    // Balloons show only while "BalloonTips" converts to 0.
    bool balloonsOn() const { return NumericValue(read(QStringLiteral("BalloonTips"))) == 0; }

private:
    QString m_path;
    std::function<void(const QString& path, const QString& reason)> m_onFailure;
};
