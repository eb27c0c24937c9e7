#include "GuiFixture.h"
#include "gui/SettingsWindow.h"
#include "gui/StatusWindow.h"
#include "gui/TargetController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

// The settings and tools window on the real windows.
class TestSettings : public QObject, protected GuiFixture
{
    Q_OBJECT

    void world(const QString& style = QStringLiteral("win")) { makeWorld(style); }
    void start() { startMain(); }
    SettingsWindow& settings() { return main().settingsWindow(); }
    QCheckBox* box(const char* name) { return child<QCheckBox>(name, &settings()); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name, &settings()); }
    QPushButton* button(const char* name) { return child<QPushButton>(name, &settings()); }
    QComboBox* combo(const char* name) { return child<QComboBox>(name, &settings()); }
    QTabWidget* tabs() { return child<QTabWidget>("tabs", &settings()); }
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
    // The flags of an installed game are the named check boxes of the install pane: the
    // current ones ticked, the ones ticked taken.
    void theFlagsDialogShowsNamedBoxes()
    {
        WidgetDialogs dialogs;
        QStringList captions;
        QTimer::singleShot(0, this, [&captions] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
            for (QCheckBox* b : boxes)
                captions << (b->isChecked() ? u'x' : u' ') + b->text();
            SaveScreenshot(dialog, QStringLiteral("flags-dialog.png"));
            QVERIFY(ClippedTexts(dialog).isEmpty());
            boxes.value(0)->setChecked(false);
            boxes.value(7)->setChecked(true);
            dialog->accept();
        });
        const std::optional<CompatFlags> chosen = dialogs.chooseFlags(
            QStringLiteral("The compatibility flags of Ico:"), *CompatFlags::parse("1+3"));
        QCOMPARE(captions.size(), 8);
        QCOMPARE(captions.value(0), QStringLiteral("x1: Slow HDD Access"));
        QCOMPARE(captions.value(1), QStringLiteral(" 2: No DVD9 Support"));
        QVERIFY(captions.value(2).startsWith(u'x'));
        QVERIFY(chosen);
        QCOMPARE(chosen->toolText(), CompatFlags::parse("3+8")->toolText());
    }

    void init() { resetSeams(); }
    void cleanup() { stopMain(); }

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
        QCOMPARE(edit("discDatabaseEdit")->text(), QStringLiteral("/data/hdl_dump.list"));
        QVERIFY(box("autoThrottleCheck")->isChecked());
        QVERIFY(!box("aspiCheck")->isChecked());
        QVERIFY(box("limit28BitCheck")->isChecked());
        QCOMPARE(edit("targetKbpsEdit")->text(), QStringLiteral("1800"));
        QVERIFY(box("toxicOsCheck")->isChecked()); // the last line had no line feed
        QVERIFY(box("shutdownPs2Check")->isChecked());
        QCOMPARE(edit("imageFolderEdit")->text(), QStringLiteral("/data/iso/"));
        QCOMPARE(edit("toolConfigEdit")->text(), confPath());
        // "StayOnTop" is on by default: the main and settings windows keep on top.
        QVERIFY(main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(settings().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!main().statusWindow().windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        child<QPushButton>("settingsButton")->click();
        QVERIFY(settings().isVisible());
        QCOMPARE(tabs()->currentIndex(), 0);
        QCOMPARE(settings().windowTitle(), QStringLiteral(" Settings & Tools"));
        SaveScreenshot(&settings(), QStringLiteral("settings-hdl_dump.png"));
        tabs()->setCurrentIndex(1);
        SaveScreenshot(&settings(), QStringLiteral("settings-gui.png"));
        // The Tools page lists the drives as it opens.
        tabs()->setCurrentIndex(2);
        QTRY_VERIFY(settings().findChild<QComboBox*>(QStringLiteral("diskCombo"))->count() > 0);
        QVERIFY(idle());
        SaveScreenshot(&settings(), QStringLiteral("settings-tools.png"));
        child<QAction>("settingsAction")->trigger();
        QCOMPARE(tabs()->currentIndex(), 0);
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
                           "not be found.\n\nThe default path for this file is:\n") +
            confPath() + QStringLiteral("\n\n")));
        QVERIFY(
            m_dialogs.shown[0].text.endsWith(QStringLiteral("HDL_Dump config file option.\n\n")));
        QVERIFY(!box("autoThrottleCheck")->isEnabled());
        QVERIFY(!edit("discDatabaseEdit")->isEnabled());
        QVERIFY(!main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // Saving anyway creates the file with what the page holds.
        settings().show();
        button("okButton")->click();
        QVERIFY(!settings().isVisible());
        QVERIFY(conf().startsWith("\"disc_database_file\" = \"" +
                                  m_world->path(QStringLiteral("home/.hdl_dump.list")).toUtf8()));
        QVERIFY(conf().contains("\"enable_aspi\" = \"yes\"\n"));
        QVERIFY(conf().endsWith("\"target_kbps\" = \"2300\"\n\"use_compression\" = \"no\"\n"));
        QCOMPARE(edit("targetKbpsEdit")->text(), QStringLiteral("2300"));
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
        button("toolConfigButton")->click();
        QCOMPARE(setting(QStringLiteral("hdl_config")), confPath()); // another name is ignored
        const int shown = static_cast<int>(m_dialogs.shown.size());
        m_dialogs.files.push_back(other);
        button("toolConfigButton")->click();
        QCOMPARE(setting(QStringLiteral("hdl_config")), confPath()); // until applied
        button("applyButton")->click();
        QCOMPARE(setting(QStringLiteral("hdl_config")), other);
        QCOMPARE(edit("toolConfigEdit")->text(), other);
        QVERIFY(box("compressionCheck")->isChecked());
        QVERIFY(box("compressionCheck")->isEnabled());
        QCOMPARE(m_dialogs.shown.size(), shown); // no not-found message
        QVERIFY(m_dialogs.fileRequests.last().filter.contains(QStringLiteral("hdl_dump.conf")));

        m_dialogs.files.push_back(m_world->path(QStringLiteral("home/.hdl_dump.list")));
        button("discDatabaseButton")->click();
        QCOMPARE(edit("discDatabaseEdit")->text(),
                 m_world->path(QStringLiteral("home/.hdl_dump.list")));
        QCOMPARE(m_dialogs.fileRequests.last().directory, m_world->dir() + u'/');
    }

    void okApplyAndCancelLikeAnyDialog()
    {
        world();
        start();
        child<QPushButton>("settingsButton")->click();
        QVERIFY(!button("applyButton")->isEnabled());
        box("closePs2Check")->click();
        box("balloonTipsCheck")->click();
        // Nothing is stored until applied; Apply is offered once something changed.
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("0"));
        QVERIFY(button("applyButton")->isEnabled());
        button("applyButton")->click();
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("1"));
        QCOMPARE(setting(QStringLiteral("BalloonTips")), QStringLiteral("1"));
        QVERIFY(!button("applyButton")->isEnabled());
        QVERIFY(settings().isVisible());
        box("standbyCheck")->click();
        box("shutdownPcCheck")->click();
        QVERIFY(!box("standbyCheck")->isChecked());
        button("okButton")->click();
        QVERIFY(settings().isHidden());
        QCOMPARE(setting(QStringLiteral("TurnOffPC")), QStringLiteral("1"));
        QCOMPARE(setting(QStringLiteral("StandbyPC")), QStringLiteral("0"));

        // Esc is Cancel: what was changed is forgotten, the page shows what is stored.
        settings().present();
        box("standbyCheck")->click();
        QVERIFY(!box("shutdownPcCheck")->isChecked());
        QTest::keyClick(&settings(), Qt::Key_Escape);
        QVERIFY(settings().isHidden());
        QCOMPARE(setting(QStringLiteral("TurnOffPC")), QStringLiteral("1"));
        QVERIFY(box("shutdownPcCheck")->isChecked());
        QVERIFY(!box("standbyCheck")->isChecked());
        // Enter is OK.
        settings().present();
        box("closePs2Check")->click();
        QTest::keyClick(&settings(), Qt::Key_Return);
        QVERIFY(settings().isHidden());
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("0"));
        // The X asks only when something would be lost: No forgets it.
        settings().present();
        settings().close();
        QVERIFY(settings().isHidden());
        QVERIFY(m_dialogs.shown.isEmpty());
        settings().present();
        box("closePs2Check")->click();
        settings().close();
        QCOMPARE(m_dialogs.texts(), QStringList{"Save your changes to the settings?"});
        QCOMPARE(m_dialogs.lastChoices,
                 (QStringList{QStringLiteral("&Save"), QStringLiteral("&Discard"),
                              QStringLiteral("Cancel")}));
        // Cancel keeps the window and what was changed in it; Discard forgets it.
        QVERIFY(m_dialogs.answerAskedWith(2));
        QVERIFY(settings().isVisible());
        QVERIFY(box("closePs2Check")->isChecked());
        settings().close();
        QVERIFY(m_dialogs.answerAskedWith(1));
        QVERIFY(settings().isHidden());
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("0"));
        QVERIFY(!box("closePs2Check")->isChecked());
        // It belongs to the main window, so it never falls behind it.
        QCOMPARE(settings().parentWidget(), static_cast<QWidget*>(&main()));

        // Every option says what it does; those of old Windows drivers are not shown here.
        for (QCheckBox* c : settings().findChildren<QCheckBox*>())
            QVERIFY2(!c->toolTip().isEmpty(), qPrintable(c->objectName()));
        QVERIFY(box("aspiCheck")->isHidden());
        QVERIFY(box("limit28BitCheck")->isHidden());

        settings().present();
        m_dialogs.folders.push_back(m_world->path(QStringLiteral("isos")));
        button("imageFolderButton")->click();
        button("applyButton")->click();
        QCOMPARE(setting(QStringLiteral("DefaultISO")), m_world->path(QStringLiteral("isos/")));
        m_dialogs.folders.push_back(QStringLiteral("/"));
        button("imageFolderButton")->click();
        button("applyButton")->click();
        QCOMPARE(setting(QStringLiteral("DefaultISO")), QStringLiteral("/"));
        button("imageFolderButton")->click(); // cancelled
        QCOMPARE(edit("imageFolderEdit")->text(), QStringLiteral("/"));
        // A typed folder counts too.
        edit("imageFolderEdit")->setText(m_world->path(QStringLiteral("typed")));
        button("okButton")->click();
        QCOMPARE(setting(QStringLiteral("DefaultISO")), m_world->path(QStringLiteral("typed/")));

        // Both PC actions stored: standby, read second, wins and shutdown is rewritten.
        stopMain();
        setSetting(QStringLiteral("TurnOffPC"), QStringLiteral("1"));
        setSetting(QStringLiteral("StandbyPC"), QStringLiteral("1"));
        start();
        QCOMPARE(setting(QStringLiteral("TurnOffPC")), QStringLiteral("0"));
        QVERIFY(box("standbyCheck")->isChecked());
    }

    void stayOnTopFollowsTheBox()
    {
        world();
        start();
        box("stayOnTopCheck")->click();
        button("applyButton")->click();
        QCOMPARE(setting(QStringLiteral("StayOnTop")), QStringLiteral("0"));
        QVERIFY(!main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!settings().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(main().isVisible()); // still shown where it was
        main().statusWindow().show();
        box("stayOnTopCheck")->click();
        button("applyButton")->click();
        QVERIFY(main().statusWindow().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void colours()
    {
        world();
        setSetting(QStringLiteral("UseColor"), QStringLiteral("1"));
        setSetting(QStringLiteral("Backcolor"), QStringLiteral("0"));
        setSetting(QStringLiteral("Forecolor"), QStringLiteral("0"));
        start();
        // Two black colours mean none chosen: the system colours are stored.
        QCOMPARE(setting(QStringLiteral("Backcolor")), QStringLiteral("system:button-face"));
        QCOMPARE(setting(QStringLiteral("Forecolor")), QStringLiteral("system:button-text"));
        QVERIFY(button("backColorButton")->isEnabled());
        const QColor text = main().palette().color(QPalette::WindowText);

        m_dialogs.colors.push_back(0x00204080u); // red 0x80, green 0x40, blue 0x20
        button("backColorButton")->click();
        button("applyButton")->click();
        QCOMPARE(setting(QStringLiteral("Backcolor")), QStringLiteral("#804020"));
        const QColor chosen(0x80, 0x40, 0x20);
        for (QWidget* w : {static_cast<QWidget*>(&main()), static_cast<QWidget*>(&settings()),
                           static_cast<QWidget*>(&main().statusWindow())})
            QCOMPARE(w->palette().color(QPalette::Window), chosen);
        QCOMPARE(child<QLineEdit>("addressEdit")->palette().color(QPalette::Base), chosen);
        QCOMPARE(child<QPushButton>("stopButton", &main().statusWindow())
                     ->palette()
                     .color(QPalette::Button),
                 chosen);
        QCOMPARE(main().palette().color(QPalette::WindowText), text); // not the text
        m_dialogs.colors.push_back(std::nullopt);
        button("foreColorButton")->click(); // cancelled: nothing
        QCOMPARE(main().palette().color(QPalette::WindowText), text);
        m_dialogs.colors.push_back(0x000000ffu);
        button("foreColorButton")->click();
        button("applyButton")->click();
        QCOMPARE(box("customColorsCheck")->palette().color(QPalette::WindowText),
                 QColor(0xff, 0, 0));
        SaveScreenshot(&main(), QStringLiteral("main-custom-colours.png"));
        SaveScreenshot(&settings(), QStringLiteral("settings-custom-colours.png"));

        box("customColorsCheck")->click();
        button("applyButton")->click();
        QCOMPARE(setting(QStringLiteral("UseColor")), QStringLiteral("0"));
        QVERIFY(!button("backColorButton")->isEnabled());
        QCOMPARE(main().palette().color(QPalette::Window),
                 QApplication::palette().color(QPalette::Window));
        QCOMPARE(main().palette().color(QPalette::WindowText),
                 QApplication::palette().color(QPalette::WindowText));
        // Ticking again brings the stored colours back.
        box("customColorsCheck")->click();
        button("applyButton")->click();
        QCOMPARE(main().palette().color(QPalette::Window), chosen);
    }

    void useDefaults()
    {
        world();
        setSetting(QStringLiteral("ClosePS2"), QStringLiteral("1"));
        start();
        box("toxicOsCheck")->setChecked(true);
        m_dialogs.answers.push_back(Dialogs::Answer::No);
        button("defaultsButton")->click();
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("1"));
        child<QLineEdit>("addressEdit")->setText(QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("Extra"), QStringLiteral("gone"));
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        button("defaultsButton")->click();
        QCOMPARE(setting(QStringLiteral("ClosePS2")), QStringLiteral("0"));
        QCOMPARE(setting(QStringLiteral("Extra")), QString()); // the file was made anew
        QVERIFY(!box("closePs2Check")->isChecked());
        QVERIFY(!box("aspiCheck")->isChecked());
        QVERIFY(box("limit28BitCheck")->isChecked());
        QVERIFY(box("toxicOsCheck")->isChecked()); // left as it was
        QCOMPARE(edit("targetKbpsEdit")->text(), QStringLiteral("2300"));
        QCOMPARE(child<QLineEdit>("addressEdit")->text(), QStringLiteral("192.168.0.10"));
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("192.168.0.10"));
    }

    void formatThroughTheTool()
    {
        world();
        start();
        QVERIFY(!button("formatButton")->isEnabled());
        button("refreshButton")->click();
        QVERIFY(idle());
        QStringList entries;
        for (int i = 0; i < combo("diskCombo")->count(); ++i)
            entries << combo("diskCombo")->itemText(i);
        QCOMPARE(entries, (QStringList{QStringLiteral("hdd1:  [20.0 GB] - Playstation2 Formatted"),
                                       QStringLiteral("hdd2:  [40.0 GB] - Playstation2 Formatted"),
                                       QStringLiteral("hdd3:  [.9 GB] - Unknown Format")}));
        QVERIFY(button("formatButton")->isEnabled());
        combo("diskCombo")->setCurrentIndex(2);
        m_dialogs.answers.push_back(Dialogs::Answer::No);
        m_world->clearCalls();
        button("formatButton")->click();
        QVERIFY(m_world->calls().isEmpty());
        QCOMPARE(m_dialogs.shown.last().title, QStringLiteral("Format Disk"));
        QCOMPARE(m_dialogs.shown.last().icon, Dialogs::Icon::Critical);
        QCOMPARE(m_dialogs.shown.last().text,
                 QStringLiteral("Format hdd3:  [.9 GB] - Unknown Format as a PS2 disk?\n\n"
                                "Everything on this disk will be erased."));
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        button("formatButton")->click();
        QVERIFY(idle());
        QCOMPARE(m_world->calls().value(0),
                 (QStringList{QStringLiteral("initialize"), QStringLiteral("hdd3:")}));
        QCOMPARE(combo("diskCombo")->currentIndex(), 2);
        QCOMPARE(combo("diskCombo")->currentText(),
                 QStringLiteral("hdd3:  [.9 GB] - Playstation2 Formatted"));
        QCOMPARE(m_tray.balloons, QStringList{QStringLiteral(
                                      "Ventrik|hdd3:  [.9 GB] - Playstation2 Formatted has been "
                                      "formatted for HDLoader")});
        // A PS2 disk with games: they are counted, and the disk's name must be typed.
        combo("diskCombo")->setCurrentIndex(0);
        m_world->clearCalls();
        m_dialogs.inputs.push_back(QStringLiteral("hdd2:"));
        button("formatButton")->click();
        QVERIFY(idle());
        QVERIFY2(m_dialogs.shown.value(m_dialogs.shown.size() - 2)
                     .text.startsWith(QStringLiteral(
                         "hdd1:  [20.0 GB] - Playstation2 Formatted holds 2 PS2 games.")),
                 qPrintable(m_dialogs.shown.value(m_dialogs.shown.size() - 2).text));
        QVERIFY(m_dialogs.shown.value(m_dialogs.shown.size() - 2)
                    .text.endsWith(QStringLiteral("Type the disk's name, hdd1:, to format it:")));
        QCOMPARE(m_dialogs.texts().last(),
                 QStringLiteral("Nothing was formatted: the name typed is not hdd1:."));
        QCOMPARE(m_world->calls(),
                 (QList<QStringList>{{QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")},
                                     {QStringLiteral("toc"), QStringLiteral("hdd1:")}}));
        m_dialogs.inputs.push_back(QStringLiteral(" hdd1: "));
        button("formatButton")->click();
        QVERIFY(idle());
        QVERIFY(m_world->calls().contains(
            QStringList{QStringLiteral("initialize"), QStringLiteral("hdd1:")}));
    }

    // A blank disk this user may not read: access is asked for to format it (the helper's
    // own verb, which needs no PS2 signature), then it is formatted.
    void aDiskThatNeedsPermissionIsFormattedAfterAccess()
    {
        world(QStringLiteral("linux"));
        start();
        const QString root = m_world->path(QStringLiteral("machine"));
        const QString node = AddFakeDisk(root, QStringLiteral("sdq"), QByteArray(512, '\0'));
        session().devices().setDeviceSource([root] { return FakeMachineDevices(root); });
        session().devices().permission().setCommand(
            {QStringLiteral(VENTRIK_FAKE_PKEXEC), QStringLiteral(VENTRIK_TEST_DISK_HELPER)});
        button("refreshButton")->click();
        QVERIFY(idle());
        QCOMPARE(combo("diskCombo")->count(), 1);
        // Said once, without a format nobody could see.
        QVERIFY(combo("diskCombo")->currentText().endsWith(QLatin1String(" - needs permission")));
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        m_world->clearCalls();
        button("formatButton")->click();
        QTRY_VERIFY(m_world->calls().contains(QStringList{QStringLiteral("initialize"), node}));
        QVERIFY(idle());
        QFile log(m_world->path(QStringLiteral("pkexec.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains(" grant-format " + node.toUtf8()));
        QFile access(root + QStringLiteral("/access.log"));
        QVERIFY(access.open(QIODevice::ReadOnly));
        QCOMPARE(access.readAll(), QByteArray("grant sdq 4242\n"));
    }

    void failedFormatIsReported()
    {
        // The current tool has no "initialize"; its disks come from the machine.
        world(QStringLiteral("linux"));
        start();
        // The disk is the entry's device, whatever its label says.
        combo("diskCombo")
            ->addItem(QStringLiteral("hdd9:  [.9 GB] - Unknown Format"),
                      QStringLiteral("/dev/sdd"));
        combo("diskCombo")->setCurrentIndex(0);
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        button("formatButton")->setEnabled(true);
        button("formatButton")->click();
        QVERIFY(idle());
        QVERIFY(m_world->calls().contains(
            QStringList{QStringLiteral("initialize"), QStringLiteral("/dev/sdd")}));
        QCOMPARE(m_dialogs.texts().last(),
                 QStringLiteral("The drive /dev/sdd could not be formatted.\n\n"
                                "initialize: unrecognized command."));
        QVERIFY(m_tray.balloons.isEmpty());
    }

    void savingKeepsEveryLineItDoesNotEdit()
    {
        world();
        const QByteArray original = "# my notes\r\n\"target_kbps\" = \"1800\"\r\n"
                                    "\"my_own_key\" = \"kept\"\r\n\"use_compression\" = \"no\"\r\n";
        writeConf(original);
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        start();
        // Nothing changed: Save and Exit leaves the file alone, not even rewritten.
        const auto inode = [this] {
            struct stat st
            {};
            ::stat(confPath().toLocal8Bit().constData(), &st);
            return st.st_ino;
        };
        const auto before = inode();
        settings().show();
        button("okButton")->click();
        QCOMPARE(conf(), original);
        QCOMPARE(inode(), before);

        settings().show();
        box("compressionCheck")->setChecked(true);
        button("okButton")->click();
        // Only what changed is written: the keys the file lacks and nobody touched stay out.
        QCOMPARE(conf(),
                 QByteArray("# my notes\r\n\"target_kbps\" = \"1800\"\r\n"
                            "\"my_own_key\" = \"kept\"\r\n\"use_compression\" = \"yes\"\r\n"));
        // A key the file lacked, changed, is added after its own lines.
        settings().show();
        box("aspiCheck")->setChecked(!box("aspiCheck")->isChecked());
        button("okButton")->click();
        const QByteArray after = conf();
        QVERIFY2(after.startsWith("# my notes\r\n\"target_kbps\" = \"1800\"\r\n"
                                  "\"my_own_key\" = \"kept\"\r\n\"use_compression\" = \"yes\"\r\n"
                                  "\"enable_aspi\" = "),
                 after.constData());
        QCOMPARE(after.count('\n'), 5);
    }

    void closingWithItsXAsksBeforeSaving()
    {
        world();
        writeConf("\"use_compression\" = \"no\"\n");
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        start();
        const QByteArray original = conf();
        settings().show();
        box("compressionCheck")->setChecked(true);
        settings().close();
        QVERIFY(m_dialogs.answerAskedWith(1));
        QVERIFY(!settings().isVisible());
        QCOMPARE(m_dialogs.texts().last(), QStringLiteral("Save your changes to the settings?"));
        QCOMPARE(conf(), original);
        QVERIFY(!box("compressionCheck")->isChecked()); // the page shows the file again

        settings().show();
        box("compressionCheck")->setChecked(true);
        settings().close();
        QVERIFY(m_dialogs.answerAskedWith(0));
        QVERIFY(conf().contains("\"use_compression\" = \"yes\""));
        // Unchanged, the X asks nothing.
        const qsizetype asked = m_dialogs.shown.size();
        settings().show();
        settings().close();
        QCOMPARE(m_dialogs.shown.size(), asked);
    }

    void largeFilesAreReadWholeOrLeftAlone()
    {
        world();
        // A key past the first megabyte is still read.
        QByteArray big;
        while (big.size() < 2 * 1024 * 1024)
            big += "# padding padding padding padding padding padding padding padding\n";
        writeConf(big + "\"target_kbps\" = \"1800\"\n");
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        start();
        QCOMPARE(edit("targetKbpsEdit")->text(), QStringLiteral("1800"));
        stopMain();

        // A file too large to be settings is never rewritten.
        while (big.size() < 5 * 1024 * 1024)
            big += big.left(1024 * 1024);
        writeConf(big);
        resetSeams();
        start();
        const QByteArray before = conf();
        settings().show();
        box("compressionCheck")->setChecked(true);
        button("okButton")->click();
        QVERIFY(m_dialogs.texts().last().startsWith(
            QStringLiteral("Your hdl_dump settings could not be saved to:")));
        QCOMPARE(conf(), before);
        QVERIFY(settings().isVisible()); // stays open, so nothing typed is lost
    }

    void valuesWithLineBreaksAreRefused()
    {
        world();
        writeConf("\"use_compression\" = \"no\"\n");
        start();
        const QByteArray before = conf();
        settings().show();
        edit("discDatabaseEdit")->setText(QStringLiteral("/data/list\n\"enable_aspi\" = \"no\""));
        button("okButton")->click();
        QVERIFY(m_dialogs.texts().last().contains(QStringLiteral("line break")));
        QCOMPARE(conf(), before);
        // A pasted line break never reaches config.cfg from the address box either.
        const QString ip = setting(QStringLiteral("IP"));
        const QString shown = child<QLineEdit>("addressEdit")->text();
        child<QLineEdit>("addressEdit")->insert(QStringLiteral("1\nhdl_config=/some/file"));
        // The box refuses the paste whole; the address, kept once typing rests, stays.
        QCOMPARE(child<QLineEdit>("addressEdit")->text(), shown);
        QTest::qWait(TargetController::kAddressSaveDelayMs + 200);
        QCOMPARE(setting(QStringLiteral("hdl_config")), confPath());
        QCOMPARE(setting(QStringLiteral("IP")), ip);
        // What the box refuses is what no address holds: a typed NBD address goes in whole.
        auto* box = child<QLineEdit>("addressEdit");
        box->clear();
        QTest::keyClicks(box, QStringLiteral("nbd://127.0.0.1:10809/hdd0"));
        QCOMPARE(box->text(), QStringLiteral("nbd://127.0.0.1:10809/hdd0"));
    }

    void fullDiskAtStartKeepsTheSettingsFile()
    {
        world();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        QFile cfg(m_world->paths().configFile);
        QVERIFY(cfg.open(QIODevice::ReadOnly));
        const QByteArray before = cfg.readAll();
        cfg.close();
        {
            // Starting writes the address; the disk has no room for the new file.
            const FileSizeLimit full(64);
            start();
        }
        QVERIFY(cfg.open(QIODevice::ReadOnly));
        QCOMPARE(cfg.readAll(), before);
        QVERIFY(!m_dialogs.texts().filter(QStringLiteral("could not be saved")).isEmpty());
    }

    void failedSaveKeepsTheOldFile()
    {
        world();
        start();
        // A file where the folder should be: the new file cannot be written.
        setSetting(QStringLiteral("hdl_config"), confPath() + QStringLiteral("/hdl_dump.conf"));
        const QByteArray before = conf();
        settings().show();
        button("okButton")->click();
        QVERIFY(m_dialogs.texts().last().startsWith(
            QStringLiteral("Your hdl_dump settings could not be saved to:")));
        QCOMPARE(conf(), before);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
