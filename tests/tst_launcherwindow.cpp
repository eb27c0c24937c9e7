#include "GuiFixture.h"
#include "SessionFixture.h"

#include "gui/BrowsePane.h"
#include "gui/LauncherDialog.h"
#include "gui/Translations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// A game's pictures and settings in the window, on a disk image made by the real hdl_dump and
// written through the real pfsshell; what landed is read with ventrik-cli. Skipped, and said
// so, where the real builds are absent.
class TestLauncherWindow : public QObject, SessionFixture
{
    Q_OBJECT

    QString m_tools;
    QString m_pfs;

    template <typename T> T* child(QWidget* in, const char* name)
    {
        T* w = in->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no %s", name);
        return w;
    }
    QJsonObject cli(const QStringList& args, const QString& dir) const
    {
        const ProcessResult r = RunProcess(
            QStringLiteral(VENTRIK_CLI_PATH),
            QStringList{QStringLiteral("--json"), QStringLiteral("--hdl-dump"),
                        m_tools + QStringLiteral("/hdl_dump-0.9.2"), QStringLiteral("--pfsshell"),
                        m_pfs + QStringLiteral("/pfsshell")} +
                args,
            HomeIn(dir), dir);
        return QJsonDocument::fromJson(r.out.toUtf8()).object();
    }

private slots:
    void initTestCase()
    {
        m_tools =
            qEnvironmentVariable("VENTRIK_REAL_TOOLS", QStringLiteral(VENTRIK_REAL_TOOLS_DIR));
        m_pfs = qEnvironmentVariable("VENTRIK_PFSSHELL", QStringLiteral(VENTRIK_PFSSHELL_DIR));
        if (!QFileInfo(m_tools + QStringLiteral("/hdl_dump-0.9.0")).isExecutable() ||
            !QFileInfo(m_pfs + QStringLiteral("/pfsshell")).isExecutable())
            QSKIP("The real hdl_dump or pfsshell builds are not beside the checkout.");
    }

    // Opened on a disk without the launcher's partition: nothing shown, nothing made until the
    // user agrees; then a cover, its removal, and the settings, each read back.
    void aGamesCoverAndSettingsAreGivenInTheWindow()
    {
        startWorld(SimWorld::defaultState());
        QTemporaryDir dir;
        const QString disk = MakeDiskWithGame(dir.path(), m_tools);
        QVERIFY(!disk.isEmpty());
        // The picture converter beside the program, as installed.
        QVERIFY(QFile::link(QStringLiteral(VENTRIK_PICTURE_PATH),
                            m_world->path(QStringLiteral("ventrik-picture"))));
        m_session->setToolPath(m_tools + QStringLiteral("/hdl_dump-0.9.2"));
        m_session->setPfsShellPath(m_pfs + QStringLiteral("/pfsshell"));
        const Target target = Target::Disk(disk);
        QVERIFY(m_session->attach(target));
        QVERIFY(idle());
        QCOMPARE(m_session->games().count(), 1);

        RecordingDialogs dialogs;
        LauncherDialog dialog(*m_session, dialogs, target, m_session->games().game(0));
        dialog.show();
        dialog.load();
        QVERIFY(idle());
        auto* picture = child<QLabel>(&dialog, "picture");
        QVERIFY2(picture->text().contains(QStringLiteral("No cover")), qPrintable(picture->text()));
        QVERIFY(!child<QPushButton>(&dialog, "removePicture")->isEnabled());

        // Refused to make +OPL: nothing is written.
        const QString tall = dir.filePath(QStringLiteral("tall.bmp"));
        QVERIFY(WriteBitmap(tall, 300, 600, 0x50));
        dialogs.files.push_back(tall);
        dialogs.answers.push_back(Dialogs::Answer::No);
        child<QPushButton>(&dialog, "choosePicture")->click();
        QVERIFY(idle());
        QVERIFY(picture->pixmap().isNull());
        QVERIFY(dialogs.shown.last().text.contains(QStringLiteral("+OPL")));

        dialogs.files.push_back(tall);
        dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>(&dialog, "choosePicture")->click();
        QVERIFY(idle());
        QVERIFY(!picture->pixmap().isNull());
        QCOMPARE(child<QLabel>(&dialog, "launcherStatus")->text(),
                 QStringLiteral("100 x 200 pixels on the disk."));
        QCOMPARE(cli({QStringLiteral("games"), disk},
                     dir.path())[QStringLiteral("games")][0][QStringLiteral("art")][0]
                     .toString(),
                 QStringLiteral("cover"));
        SaveScreenshot(&dialog, QStringLiteral("launcher-files.png"));
        // Read again, the game list marks the game: its pictures are read with the games.
        QVERIFY(m_session->attach(target));
        QVERIFY(idle());
        const QModelIndex title = m_session->games().index(0, GameListModel::Title);
        QCOMPARE(title.data(GameListModel::ArtRole).toStringList(),
                 QStringList{QStringLiteral("cover")});
        QVERIFY(title.data(Qt::ToolTipRole).toString().contains(QStringLiteral("cover")));
        BrowsePane pane;
        pane.setGames(&m_session->games());
        // The count the window's controller gives the pane, so that the picture reads true.
        pane.showGameCount(m_session->games().count());
        pane.resize(420, 160);
        pane.show();
        SaveScreenshot(&pane, QStringLiteral("browse-art.png"));

        // The icon has none yet; the cover is removed once asked.
        child<QComboBox>(&dialog, "artKind")->setCurrentIndex(1);
        QVERIFY(idle());
        QVERIFY(picture->text().contains(QStringLiteral("No icon")));
        child<QComboBox>(&dialog, "artKind")->setCurrentIndex(0);
        QVERIFY(idle());
        dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>(&dialog, "removePicture")->click();
        QVERIFY(idle());
        QVERIFY(picture->pixmap().isNull());

        // Modes 1 and 3, a card for slot 1: written as the launcher reads them.
        child<QCheckBox>(&dialog, "mode1")->setChecked(true);
        child<QCheckBox>(&dialog, "mode3")->setChecked(true);
        child<QLineEdit>(&dialog, "card1")->setText(QStringLiteral("card1"));
        child<QPushButton>(&dialog, "saveSettings")->click();
        QVERIFY(idle());
        QCOMPARE(child<QLabel>(&dialog, "launcherStatus")->text(),
                 QStringLiteral("Settings saved."));
        const QJsonObject settings =
            cli({QStringLiteral("game-config"), disk, QStringLiteral("World")},
                dir.path())[QStringLiteral("settings")]
                .toObject();
        QCOMPARE(settings.value(QStringLiteral("$Compatibility")).toString(), QStringLiteral("5"));
        QCOMPARE(settings.value(QStringLiteral("$VMC_0")).toString(), QStringLiteral("card1"));

        // A name that cannot be a card's is refused before anything is written.
        child<QLineEdit>(&dialog, "card2")->setText(QStringLiteral("my card"));
        child<QPushButton>(&dialog, "saveSettings")->click();
        QVERIFY(!m_session->isBusy());
        QVERIFY(
            child<QLabel>(&dialog, "launcherStatus")->text().contains(QStringLiteral("my card")));
        QVERIFY(m_problems.isEmpty());

        // A memory card in from the PC, listed, out again byte for byte, deleted when confirmed.
        QByteArray card(32 * 1024, '\0');
        for (int i = 0; i < card.size(); ++i)
            card[i] = char(i * 13);
        QFile cardFile(dir.filePath(QStringLiteral("slot1.bin")));
        QVERIFY(cardFile.open(QIODevice::WriteOnly) && cardFile.write(card) == card.size());
        cardFile.close();
        dialogs.files.push_back(cardFile.fileName());
        child<QPushButton>(&dialog, "loadCard")->click();
        QVERIFY(idle());
        auto* cards = child<QListWidget>(&dialog, "cardList");
        QCOMPARE(cards->count(), 1);
        QCOMPARE(cards->item(0)->text(), QStringLiteral("slot1  (32 KB)"));
        cards->setCurrentRow(0);
        const QString out = dir.filePath(QStringLiteral("out.bin"));
        dialogs.files.push_back(out);
        child<QPushButton>(&dialog, "saveCard")->click();
        QVERIFY(idle());
        QFile saved(out);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), card);
        dialogs.answers.push_back(Dialogs::Answer::No);
        child<QPushButton>(&dialog, "deleteCard")->click();
        QVERIFY(idle());
        QCOMPARE(cards->count(), 1);
        dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>(&dialog, "deleteCard")->click();
        QVERIFY(idle());
        QCOMPARE(cards->count(), 0);
        QVERIFY(m_problems.isEmpty());

        // Every field named, no Alt letter for two things, nothing cut: in English and German.
        for (const QLocale& locale : {QLocale(QLocale::German), QLocale(QLocale::English)}) {
            InstallTranslations(*QCoreApplication::instance(), locale);
            LauncherDialog shown(*m_session, dialogs, target, m_session->games().game(0));
            shown.show();
            QVERIFY(QTest::qWaitForWindowExposed(&shown));
            const QString language = QLocale::languageToString(locale.language());
            QVERIFY2(SharedMnemonics(&shown).isEmpty(),
                     qPrintable(language + u'\n' + SharedMnemonics(&shown).join(u'\n')));
            QVERIFY2(UnnamedControls(&shown).isEmpty(),
                     qPrintable(language + u'\n' + UnnamedControls(&shown).join(u'\n')));
            QVERIFY2(ClippedTexts(&shown).isEmpty(),
                     qPrintable(language + u'\n' + ClippedTexts(&shown).join(u'\n')));
            if (locale.language() == QLocale::German)
                SaveScreenshot(&shown, QStringLiteral("german-launcher-files.png"));
        }
    }
};

QTEST_MAIN(TestLauncherWindow)
#include "tst_launcherwindow.moc"
