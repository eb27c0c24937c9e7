#pragma once

#include "core/platform/NbdDefaults.h"
#include "core/platform/Platform.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// Every setting of the program lives in section "hdl_dump" of config.cfg.
inline const QString kSettingsSection = QStringLiteral("hdl_dump");

// Every setting of the program.
enum class Setting : std::uint8_t {
    DefaultISO,
    ClosePS2,
    TurnOffPC,
    StandbyPC,
    TurnOffPS2,
    IP,
    StayOnTop,
    ViewOutput,
    ToolConfig,
    BalloonTips, // 1: no balloons
    Backcolor,
    Forecolor,
    UseColor,
    ReadTimeout, // seconds a listing or disc read may stay silent; 0: the program's own
    MainGeometry,
    MainSplitter,
    GameColumns,
    JobColumns,
    ToolPath,     // the tool chosen by the user; empty: looked for
    TitleIndex,   // a game index of titles by serial chosen by the user; empty: looked for
    ChosenTarget, // "local" or "network": the kind of device chosen last
    NbdPort,      // the port of a PS2's NBD server
    NbdExport,    // the name of its export
    // Seconds a job may show no sign of life (no output) before it is ended as stopped
    // answering; 0: the program's own.
    StallTimeout,
    HideDuringRuns, // 1: the main window goes to the tray while jobs run, the status window shows
    LastRead,       // the device read last ("local:DEVICE", "network:ADDRESS"), read again at start
    DialogFolders,  // the folder each kind of file dialog was last left in
    PfsShellPath,   // pfsshell chosen by the user; empty: looked for
};

enum class SettingType : std::uint8_t {
    Text,
    Path,
    Flag,   // "1" or "0"
    Number, // a whole number
    Colour, // a colour as the settings file has always held it (a number)
    State,  // the window's own bytes, in Base64
};

struct SettingKey
{
    Setting setting;
    const char* name;
    SettingType type;
    const char* defaultValue; // nullptr: computed (the tool's configuration path)
    bool writtenAsDefault;    // written by "Use Defaults" and at the first start
};

// Every key, in the order the defaults are written; the first thirteen are the defaults.
inline constexpr std::array<SettingKey, 28> kSettingKeys{{
    {Setting::DefaultISO, "DefaultISO", SettingType::Path, "", true},
    {Setting::ClosePS2, "ClosePS2", SettingType::Flag, "0", true},
    {Setting::TurnOffPC, "TurnOffPC", SettingType::Flag, "0", true},
    {Setting::StandbyPC, "StandbyPC", SettingType::Flag, "0", true},
    {Setting::TurnOffPS2, "TurnOffPS2", SettingType::Flag, "0", true},
    {Setting::IP, "IP", SettingType::Text, "192.168.0.10", true},
    {Setting::StayOnTop, "StayOnTop", SettingType::Flag, "1", true},
    {Setting::ViewOutput, "ViewOutput", SettingType::Flag, "0", true},
    {Setting::ToolConfig, "hdl_config", SettingType::Path, nullptr, true},
    {Setting::BalloonTips, "BalloonTips", SettingType::Flag, "0", true},
    {Setting::Backcolor, "Backcolor", SettingType::Colour, "system:button-face", true},
    {Setting::Forecolor, "Forecolor", SettingType::Colour, "system:button-text", true},
    {Setting::UseColor, "UseColor", SettingType::Flag, "0", true},
    {Setting::ReadTimeout, "ReadTimeout", SettingType::Number, "0", false},
    {Setting::MainGeometry, "MainGeometry", SettingType::State, "", false},
    {Setting::MainSplitter, "MainSplitter", SettingType::State, "", false},
    {Setting::GameColumns, "GameColumns", SettingType::State, "", false},
    {Setting::JobColumns, "JobColumns", SettingType::State, "", false},
    {Setting::ToolPath, "HdlDumpPath", SettingType::Path, "", false},
    {Setting::TitleIndex, "GameIndex", SettingType::Path, "", false},
    {Setting::ChosenTarget, "Target", SettingType::Text, "", false},
    {Setting::NbdPort, "NbdPort", SettingType::Number, platform::kNbdDefaultPortText, false},
    {Setting::NbdExport, "NbdExport", SettingType::Text, platform::kNbdDefaultExport, false},
    {Setting::StallTimeout, "StallTimeout", SettingType::Number, "300", false},
    {Setting::HideDuringRuns, "HideDuringRuns", SettingType::Flag, "0", false},
    {Setting::LastRead, "LastRead", SettingType::Text, "", false},
    {Setting::DialogFolders, "DialogFolders", SettingType::State, "", false},
    {Setting::PfsShellPath, "PfsShellPath", SettingType::Path, "", false},
}};

const SettingKey& KeyOf(Setting setting);
inline QString NameOf(Setting setting)
{
    return QLatin1String(KeyOf(setting).name);
}

inline const QString kDefaultIP = QStringLiteral("192.168.0.10");

QString ReadSetting(const QString& section, const QString& key, const QString& file);
// False (with the reason in *error) when the file was left as it was.
bool WriteSetting(const QString& section, const QString& key, const QString& value,
                  const QString& file, QString* error = nullptr);
// Writes the thirteen defaults into file; other keys stay.
void WriteDefaultSettings(const QString& file);
QString DefaultToolConfigPath();
QString DefaultDiscDatabasePath();
QString SettingDefault(const QString& key);

// The numeric conversion the settings go through: the leading number of the
// text, 0 when there is none.
double NumericValue(const QString& text);
// A flag or other whole number stored as text, truncated to 32 bits.
qint32 IntegerValue(const QString& text);

inline constexpr quint32 kSystemButtonFace = 0x8000000F;
inline constexpr quint32 kSystemButtonText = 0x80000012;
// A colour's stored text, and back (also from the numbers of older files).
QString ColourText(quint32 colour);
quint32 ColourFromText(const QString& text);

// A settings file bound to its path, for the code that reads and writes it.
class SettingsFile
{
public:
    explicit SettingsFile(QString path = {}) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }
    void setPath(const QString& path)
    {
        m_path = path;
        m_cache.reset();
    }
    // From memory: the file is read again only when it changed (another program, a hand).
    QString read(const QString& key) const;
    // A write that fails leaves the file as it was and is reported to the handler.
    bool write(const QString& key, const QString& value)
    {
        QString error;
        const bool written = WriteSetting(kSettingsSection, key, value, m_path, &error);
        m_cache.reset();
        if (written)
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

    // The typed forms, one reading each.
    QString text(Setting s) const { return read(NameOf(s)); }
    // On when the value converts to 1.
    bool flag(Setting s) const { return NumericValue(text(s)) == 1; }
    qint32 number(Setting s) const { return IntegerValue(text(s)); }
    // Colours as 0x00BBGGRR, or 0x80000000 plus a system colour index (the desktop's). Stored
    // as "#rrggbb" or "system:button-face" / "system:button-text"; the numbers older files
    // hold are read as before.
    quint32 colour(Setting s) const { return ColourFromText(text(s)); }
    QByteArray state(Setting s) const { return QByteArray::fromBase64(text(s).toLatin1()); }
    bool write(Setting s, const QString& value) { return write(NameOf(s), value); }
    bool setFlag(Setting s, bool on)
    {
        return write(s, on ? QStringLiteral("1") : QStringLiteral("0"));
    }
    bool setColour(Setting s, quint32 colour) { return write(s, ColourText(colour)); }
    bool setState(Setting s, const QByteArray& bytes)
    {
        return write(s, QString::fromLatin1(bytes.toBase64()));
    }
    // Balloons show only while "BalloonTips" converts to 0.
    bool balloonsOn() const { return NumericValue(text(Setting::BalloonTips)) == 0; }

private:
    struct Cache
    {
        platform::FileStamp stamp;
        QHash<QString, QString> values; // read once per change of the file
    };
    QString m_path;
    std::function<void(const QString& path, const QString& reason)> m_onFailure;
    mutable std::optional<Cache> m_cache;
};
