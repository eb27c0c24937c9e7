#pragma once

#include "FakeTray.h"
#include "TestSupport.h"
#include "shell/Settings.h"
#include "shell/Startup.h"

#include <memory>

// What every test of the real windows needs: a program folder with the
// simulator as its tool, recording seams, and the main window started on them.
class GuiFixture
{
protected:
    std::unique_ptr<SimWorld> m_world;
    RecordingDialogs m_dialogs;
    FakeTray m_tray;
    FakeIcmp m_icmp;
    FakePower m_power;
    std::unique_ptr<frmMain> m_main;
    int m_quits = 0;

    // Nothing recorded yet; the networked PS2 at 127.0.0.1 answers probes.
    void resetSeams()
    {
        m_dialogs = RecordingDialogs();
        m_tray.available = true;
        m_tray.balloons.clear();
        m_tray.adds = m_tray.removes = 0;
        m_icmp = FakeIcmp();
        m_icmp.status[QStringLiteral("127.0.0.1")] = 0;
        m_power = FakePower();
        m_quits = 0;
    }
    // A new program folder whose simulator prints the given style of texts,
    // with the default settings written.
    void makeWorld(const QString& style = QStringLiteral("win"),
                   QJsonObject state = SimWorld::defaultState())
    {
        state[QStringLiteral("style")] = style;
        m_world = std::make_unique<SimWorld>(state);
        WriteDefaultSettings(m_world->paths().configFile);
    }
    void startMain()
    {
        m_main = Main(m_world->paths(),
                      MainSeams{m_dialogs, m_tray, m_icmp, m_power, [this] { ++m_quits; }});
        m_main->front().setRetryPause(50);
    }
    QString setting(const QString& key) const
    {
        return ReadSetting(kSettingsSection, key, m_world->paths().configFile);
    }
    void setSetting(const QString& key, const QString& value) const
    {
        WriteSetting(kSettingsSection, key, value, m_world->paths().configFile);
    }
};
