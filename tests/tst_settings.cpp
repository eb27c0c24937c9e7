#include "GuiFixture.h"
#include "jobs/frmStatus.h"
#include "shell/NavigationPane.h"
#include "shell/Startup.h"
#include "shell/TargetPane.h"
#include "shell/frmSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

// The settings and tools window on the real windows.
class TestSettings : public QObject, protected GuiFixture
{
    Q_OBJECT

    void world(const QString& style = QStringLiteral("win")) { makeWorld(style); }
    void start() { startMain(); }
    frmSettings& settings() const { return m_main->settingsWindow(); }
    QString confPath() const { return m_world->path(QStringLiteral("home/.hdl_dump.conf")); }
    void writeConf(const QByteArray& content) const
    {
        QFile f(confPath());
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
    }
    QByteArray conf() const
    {
        QFile f(confPath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private slots:
    void init() { resetSeams(); }
    void cleanup() { m_main.reset(); }

    void startUpReadsBothFiles()
    {
        world();
        writeConf(
            "\"disc_database_file\" = \"/data/hdl_dump.list\"\r\n\"auto_throttle\" = \"1\"\r\n"
            "\"enable_aspi\" = \"no\"\r\n\"target_kbps\" = \"1800\"\r\n\"partition_naming\" = "
            "\"toxicos\"");
        setSetting(QStringLiteral("TurnOffPS2"), QStringLiteral("1"));
        setSetting(QStringLiteral("DefaultISO"), QStringLiteral("/data/iso/"));
        start();
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(settings().txtDiscDatabase->text(), QStringLiteral("/data/hdl_dump.list"));
        QVERIFY(settings().chkAutoThrottle->isChecked());
        QVERIFY(!settings().chkEnableASPI->isChecked());
        QVERIFY(settings().chkLimit28bit->isChecked());
        QCOMPARE(settings().txtTargetkbps->text(), QStringLiteral("1800"));
        QVERIFY(settings().chkToxicOS->isChecked()); // the last line had no line feed
        QVERIFY(settings().chkShutdownPS2->isChecked());
        QCOMPARE(settings().txtDefaultISO->text(), QStringLiteral("/data/iso/"));
        QCOMPARE(settings().txtHDLDumpConfig->text(), confPath());
        // "StayOnTop" is on by default: the main and settings windows keep on top.
        QVERIFY(m_main->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(settings().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!m_main->status().windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        m_main->fmNavigation->cmdSettings->click();
        QVERIFY(settings().isVisible());
        QCOMPARE(settings().TabStrip->currentIndex(), 0);
        QCOMPARE(settings().windowTitle(), QStringLiteral(" Settings & Tools"));
        SaveScreenshot(&settings(), QStringLiteral("settings-hdl_dump.png"));
        settings().TabStrip->setCurrentIndex(1);
        SaveScreenshot(&settings(), QStringLiteral("settings-gui.png"));
        settings().TabStrip->setCurrentIndex(2);
        settings().cmdRefresh->click();
        SaveScreenshot(&settings(), QStringLiteral("settings-tools.png"));
        m_main->mnuSettings->trigger();
        QCOMPARE(settings().TabStrip->currentIndex(), 0);
    }

    void missingToolConfiguration()
    {
        world();
        QFile::remove(confPath());
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        start();
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.startsWith(
            QStringLiteral("Your hdl_dump settings could not be loaded because your hdl_dump "
                           "configuration file could "
                           "not be found.\r\n\r\nThe default path for this file is:\r\n") +
            confPath() + QStringLiteral("\r\n\r\n")));
        QVERIFY(m_dialogs.shown[0].text.endsWith(
            QStringLiteral("HDL_Dump config file option.\r\n\r\n")));
        QVERIFY(!settings().chkAutoThrottle->isEnabled());
        QVERIFY(!settings().txtDiscDatabase->isEnabled());
        QVERIFY(!m_main->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // Saving anyway creates the file with what the page holds.
        settings().show();
        settings().cmdExit->click();
        QVERIFY(!settings().isVisible());
        QVERIFY(conf().startsWith("\"disc_database_file\" = \"" +
                                  m_world->path(QStringLiteral("home/.hdl_dump.list")).toUtf8()));
        QVERIFY(conf().contains("\"enable_aspi\" = \"yes\"\n"));
        QVERIFY(conf().endsWith("\"target_kbps\" = \"2300\"\n\"use_compression\" = \"no\"\n"));
        QCOMPARE(settings().txtTargetkbps->text(), QStringLiteral("2300"));
    }

    void choosingTheConfigurationFile()
    {
        world();
        QFile::remove(confPath());
        start();
        const QString other = m_world->path(QStringLiteral("HDL_DUMP.CONF"));
        QFile f(other);
        f.open(QIODevice::WriteOnly);
        f.write("\"use_compression\" = \"yes\"\n");
        f.close();
        m_dialogs.files.push_back(m_world->path(QStringLiteral("other.conf")));
        settings().cmdHDLDumpConfig->click();
        QCOMPARE(setting(QStringLiteral("hdl_config")), confPath()); // another name is ignored
        const int shown = static_cast<int>(m_dialogs.shown.size());
        m_dialogs.files.push_back(other);
        settings().cmdHDLDumpConfig->click();
        QCOMPARE(setting(QStringLiteral("hdl_config")), other);
        QCOMPARE(settings().txtHDLDumpConfig->text(), other);
        QVERIFY(settings().chkUseCompression->isChecked());
        QVERIFY(settings().chkUseCompression->isEnabled());
        QCOMPARE(m_dialogs.shown.size(), shown); // no not-found message
        QVERIFY(m_dialogs.fileRequests.last().filter.contains(QStringLiteral("hdl_dump.conf")));

        m_dialogs.files.push_back(m_world->path(QStringLiteral("home/.hdl_dump.list")));
        settings().cmdDiskDatabase->click();
        QCOMPARE(settings().txtDiscDatabase->text(),
                 m_world->path(QStringLiteral("home/.hdl_dump.list")));
        QCOMPARE(m_dialogs.fileRequests.last().directory, m_world->dir() + u'/');
    }

    void guiBoxesStoreTheirKeysAtOnce()
    {
        world();
        start();
        settings().chkClosePS2->click();
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("1"));
        settings().chkBalloonTips->click();
        QCOMPARE(setting(QStringLiteral("BalloonTips")), QStringLiteral("1"));
        settings().chkStandby->click();
        settings().chkShutdownPC->click();
        QVERIFY(!settings().chkStandby->isChecked());
        QCOMPARE(setting(QStringLiteral("TurnOffPC")), QStringLiteral("1"));
        QCOMPARE(setting(QStringLiteral("StandbyPC")), QStringLiteral("0"));
        settings().chkStandby->click();
        QVERIFY(!settings().chkShutdownPC->isChecked());
        QCOMPARE(setting(QStringLiteral("TurnOffPC")), QStringLiteral("0"));

        m_dialogs.folders.push_back(m_world->path(QStringLiteral("isos")));
        settings().cmdDefaultISO->click();
        QCOMPARE(setting(QStringLiteral("DefaultISO")), m_world->path(QStringLiteral("isos/")));
        m_dialogs.folders.push_back(QStringLiteral("/"));
        settings().cmdDefaultISO->click();
        QCOMPARE(setting(QStringLiteral("DefaultISO")), QStringLiteral("/"));
        settings().cmdDefaultISO->click(); // cancelled
        QCOMPARE(settings().txtDefaultISO->text(), QStringLiteral("/"));

        // Both PC actions stored: standby, read second, wins and shutdown is rewritten.
        m_main.reset();
        setSetting(QStringLiteral("TurnOffPC"), QStringLiteral("1"));
        setSetting(QStringLiteral("StandbyPC"), QStringLiteral("1"));
        start();
        QCOMPARE(setting(QStringLiteral("TurnOffPC")), QStringLiteral("0"));
        QVERIFY(settings().chkStandby->isChecked());
    }

    void stayOnTopFollowsTheBox()
    {
        world();
        start();
        settings().chkStayOnTop->click();
        QCOMPARE(setting(QStringLiteral("StayOnTop")), QStringLiteral("0"));
        QVERIFY(!m_main->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!settings().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_main->isVisible()); // still shown where it was
        m_main->status().show();
        settings().chkStayOnTop->click();
        QVERIFY(m_main->status().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_main->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void colours()
    {
        world();
        setSetting(QStringLiteral("UseColor"), QStringLiteral("1"));
        setSetting(QStringLiteral("Backcolor"), QStringLiteral("0"));
        setSetting(QStringLiteral("Forecolor"), QStringLiteral("0"));
        start();
        // Two black colours mean none chosen: the system colours are stored.
        QCOMPARE(setting(QStringLiteral("Backcolor")), QStringLiteral("-2147483633"));
        QCOMPARE(setting(QStringLiteral("Forecolor")), QStringLiteral("-2147483630"));
        QVERIFY(settings().cmdBackcolor->isEnabled());
        const QColor text = m_main->palette().color(QPalette::WindowText);

        m_dialogs.colors.push_back(0x00204080u); // red 0x80, green 0x40, blue 0x20
        settings().cmdBackcolor->click();
        QCOMPARE(setting(QStringLiteral("Backcolor")), QString::number(0x00204080u));
        const QColor chosen(0x80, 0x40, 0x20);
        for (QWidget* w : {static_cast<QWidget*>(m_main.get()), static_cast<QWidget*>(&settings()),
                           static_cast<QWidget*>(&m_main->status())})
            QCOMPARE(w->palette().color(QPalette::Window), chosen);
        QCOMPARE(m_main->fmMain->txtIP->palette().color(QPalette::Base), chosen);
        QCOMPARE(m_main->status().cmdStop->palette().color(QPalette::Button), chosen);
        QCOMPARE(m_main->palette().color(QPalette::WindowText), text); // not the text
        m_dialogs.colors.push_back(std::nullopt);
        settings().cmdForecolor->click(); // cancelled: nothing
        QCOMPARE(m_main->palette().color(QPalette::WindowText), text);
        m_dialogs.colors.push_back(0x000000ffu);
        settings().cmdForecolor->click();
        QCOMPARE(settings().chkColors->palette().color(QPalette::WindowText), QColor(0xff, 0, 0));
        SaveScreenshot(m_main.get(), QStringLiteral("main-custom-colours.png"));
        SaveScreenshot(&settings(), QStringLiteral("settings-custom-colours.png"));

        settings().chkColors->click();
        QCOMPARE(setting(QStringLiteral("UseColor")), QStringLiteral("0"));
        QVERIFY(!settings().cmdBackcolor->isEnabled());
        QCOMPARE(m_main->palette().color(QPalette::Window),
                 QApplication::palette().color(QPalette::Window));
        QCOMPARE(m_main->palette().color(QPalette::WindowText),
                 QApplication::palette().color(QPalette::WindowText));
        // Ticking again brings the stored colours back.
        settings().chkColors->click();
        QCOMPARE(m_main->palette().color(QPalette::Window), chosen);
    }

    void useDefaults()
    {
        world();
        setSetting(QStringLiteral("ClosePS2"), QStringLiteral("1"));
        start();
        settings().chkToxicOS->setChecked(true);
        m_dialogs.answers.push_back(Dialogs::Answer::No);
        settings().cmdDefaults->click();
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("1"));
        m_main->fmMain->txtIP->setText(QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("Extra"), QStringLiteral("gone"));
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        settings().cmdDefaults->click();
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("0"));
        QCOMPARE(setting(QStringLiteral("Extra")), QString()); // the file was made anew
        QVERIFY(!settings().chkClosePS2->isChecked());
        QVERIFY(!settings().chkEnableASPI->isChecked());
        QVERIFY(settings().chkLimit28bit->isChecked());
        QVERIFY(settings().chkToxicOS->isChecked()); // left as it was
        QCOMPARE(settings().txtTargetkbps->text(), QStringLiteral("2300"));
        QCOMPARE(m_main->fmMain->txtIP->text(), QStringLiteral("192.168.0.10"));
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("192.168.0.10"));
    }

    void formatThroughTheTool()
    {
        world();
        start();
        QVERIFY(!settings().cmdFormat->isEnabled());
        settings().cmdRefresh->click();
        QStringList entries;
        for (int i = 0; i < settings().cmbHD->count(); ++i)
            entries << settings().cmbHD->itemText(i);
        QCOMPARE(entries, (QStringList{QStringLiteral("hdd1:  [20.0 GB] - Playstation2 Formatted"),
                                       QStringLiteral("hdd2:  [40.0 GB] - Playstation2 Formatted"),
                                       QStringLiteral("hdd3:  [.9 GB] - Unknown Format")}));
        QVERIFY(settings().cmdFormat->isEnabled());
        settings().cmbHD->setCurrentIndex(2);
        m_dialogs.answers.push_back(Dialogs::Answer::No);
        m_world->clearCalls();
        settings().cmdFormat->click();
        QVERIFY(m_world->calls().isEmpty());
        QCOMPARE(m_dialogs.shown.last().title, QStringLiteral("ARE YOU 100% SURE?"));
        QCOMPARE(m_dialogs.shown.last().icon, Dialogs::Icon::Critical);
        QCOMPARE(m_dialogs.shown.last().text,
                 QStringLiteral("ARE YOU SURE YOU WANT TO FORMAT THIS HARD DRIVE?\r\n\r\nhdd3:  "
                                "[.9 GB] - Unknown Format"
                                "\r\n\r\nALL EXISTING DATA ON THIS DRIVE WILL BE LOST"));
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        settings().cmdFormat->click();
        QCOMPARE(m_world->calls().value(0),
                 (QStringList{QStringLiteral("initialize"), QStringLiteral("hdd3:")}));
        QCOMPARE(settings().cmbHD->currentIndex(), 2);
        QCOMPARE(settings().cmbHD->currentText(),
                 QStringLiteral("hdd3:  [.9 GB] - Playstation2 Formatted"));
        QCOMPARE(m_tray.balloons, QStringList{QStringLiteral(
                                      "Ventrik|hdd3:  [.9 GB] - Playstation2 Formatted has been "
                                      "formatted for HDLoader")});
    }

    void failedFormatIsReported()
    {
        // The current tool has no "initialize"; its disks come from the machine.
        world(QStringLiteral("linux"));
        start();
        settings().cmbHD->addItem(QStringLiteral("/dev/sdd  [.9 GB] - Unknown Format"));
        settings().cmbHD->setCurrentIndex(0);
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        settings().cmdFormat->setEnabled(true);
        settings().cmdFormat->click();
        QVERIFY(m_world->calls().contains(
            QStringList{QStringLiteral("initialize"), QStringLiteral("/dev/sdd")}));
        QCOMPARE(m_dialogs.texts().last(),
                 QStringLiteral(
                     "The drive /dev/sdd  [.9 GB] - Unknown Format could not be formatted.\r\n\r\n"
                     "initialize: unrecognized command."));
        QVERIFY(m_tray.balloons.isEmpty());
    }

    void failedSaveKeepsTheOldFile()
    {
        world();
        start();
        // A file where the folder should be: the new file cannot be written.
        setSetting(QStringLiteral("hdl_config"), confPath() + QStringLiteral("/hdl_dump.conf"));
        const QByteArray before = conf();
        settings().show();
        settings().cmdExit->click();
        QVERIFY(m_dialogs.texts().last().startsWith(
            QStringLiteral("Your hdl_dump settings could not be saved to:")));
        QCOMPARE(conf(), before);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
