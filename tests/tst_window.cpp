#include "GuiFixture.h"
#include "core/jobs/BatchAdd.h"
#include "gui/BrowsePane.h"
#include "gui/MainWindow.h"
#include "gui/MessageBar.h"
#include "gui/ProblemListDialog.h"
#include "gui/SettingsWindow.h"
#include "gui/StatusWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>
#include <QUrl>

// The main window as a work surface: it grows and remembers, fits small screens,
// and handles many games at once. Run on a 1366x768 screen at 100, 150 and 200 %.
class TestWindow : public QObject, public GuiFixture
{
    Q_OBJECT

    void start(const QString& style = QStringLiteral("win"),
               QJsonObject state = SimWorld::defaultState())
    {
        resetSeams();
        makeWorld(style, state);
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        setSetting(QStringLiteral("DefaultISO"), m_world->dir() + u'/');
        startMain();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
    }
    void attachLocal()
    {
        child<QRadioButton>("localTarget")->click();
        QVERIFY(idle());
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
    }
    // The current tool lists no local disks of its own: the networked PS2 at 127.0.0.1.
    void attachNetwork()
    {
        child<QRadioButton>("networkTarget")->click();
        QVERIFY(idle());
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
    }
    QString scaleName() { return QString::number(qRound(main().devicePixelRatioF() * 100)); }
    // Images of a folder tree the simulator knows by their file names.
    QString imageTree()
    {
        QJsonObject s = m_world->state();
        QJsonObject images;
        auto disc = [](const char* startup, const char* name, qint64 kb, bool ps2 = true) {
            return QJsonObject{{QStringLiteral("startup"), QString::fromLatin1(startup)},
                               {QStringLiteral("name"), QString::fromLatin1(name)},
                               {QStringLiteral("size_kb"), kb},
                               {QStringLiteral("ps2"), ps2}};
        };
        images[QStringLiteral("First.ISO")] = disc("SLES_500.01", "FIRST", 900000);
        images[QStringLiteral("second.iso")] = disc("SLES_500.02", "SECOND", 3000000);
        // The same game again under its disc label, and as the installed game's backup.
        images[QStringLiteral("again.Cue")] = disc("SLES_500.02", "SECOND_LABEL", 3000000);
        images[QStringLiteral("holiday.nrg")] = disc("", "", 1000, false);
        images[QStringLiteral("there.iml")] = disc("SLUS_123.45", "NET_GAME_USA", 308576);
        images[QStringLiteral("known.gi")] = disc("SLUS_777.77", "KNOWN", 2000);
        s[QStringLiteral("images")] = images;
        m_world->setState(s);
        const QString root = m_world->path(QStringLiteral("images"));
        for (const char* file : {"First.ISO", "a/second.iso", "a/b/again.Cue", "a/holiday.nrg",
                                 "a/b/c/there.iml", "known.gi", "a/readme.txt"}) {
            const QString path = root + u'/' + QString::fromLatin1(file);
            QDir().mkpath(QFileInfo(path).path());
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write("image");
        }
        // The tool's own database names one of them.
        QFile db(m_world->path(QStringLiteral("home/.hdl_dump.list")));
        db.open(QIODevice::WriteOnly);
        db.write("\"SLUS_777.77\" = \"Known From Database;1+3\"\n");
        return root;
    }
    QStringList jobNames()
    {
        QStringList names;
        for (const Job& j : session().jobs().allJobs())
            names << j.name;
        return names;
    }

private slots:
    void cleanup()
    {
        stopMain();
        m_locale = QLocale(QLocale::English, QLocale::UnitedStates);
        QLocale::setDefault(m_locale);
    }

    void theWindowGrowsAndRemembersItsShape()
    {
        start();
        attachLocal();
        child<QRadioButton>("browseView")->click();
        auto* list = child<QTreeView>("gameList");
        QVERIFY(main().minimumWidth() < main().maximumWidth());
        const QSize before = list->size();
        main().resize(main().width() + 300, main().height() + 100);
        // The list takes the room (on a screen that is small for its scale, the panes
        // stand one under the other and the growth goes to the list's width).
        QTRY_VERIFY(list->width() >= before.width() + 150);
        if (main().devicePixelRatioF() < 2)
            QVERIFY(list->height() >= before.height() + 60);

        child<QCheckBox>("showOutputCheck")->setChecked(true);
        auto* splitter = child<QSplitter>("mainSplitter");
        splitter->setSizes({300, 150});
        const QList<int> sizes = splitter->sizes();
        list->setColumnWidth(1, 133);
        const QSize size = main().size();
        main().close();
        QTRY_COMPARE(m_quits, 1);

        stopMain();
        startMain();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        child<QRadioButton>("browseView")->click();
        QCOMPARE(main().size(), size);
        // The activity view keeps the height it was given.
        QVERIFY2(std::abs(child<QSplitter>("mainSplitter")->sizes().value(1) - sizes.value(1)) <= 6,
                 qPrintable(QString::number(child<QSplitter>("mainSplitter")->sizes().value(1))));
        QCOMPARE(child<QTreeView>("gameList")->columnWidth(1), 133);
    }

    void aFirstStartShowsEveryPaneAndKeepsTheChoices()
    {
        start();
        // On the first start every pane shows without scrolling, at 100 % (at 200 % the
        // screen is too small for that, and the window scrolls instead of cutting).
        auto* scroll = child<QScrollArea>("mainScroll");
        if (main().devicePixelRatioF() < 1.5) {
            QTRY_VERIFY(!scroll->verticalScrollBar()->isVisible());
            QVERIFY(!scroll->horizontalScrollBar()->isVisible());
            QVERIFY(main().width() >= main().screen()->availableGeometry().width() / 2);
        }
        SaveScreenshot(&main(), QStringLiteral("main-first-start-%1.png").arg(scaleName()));
        // The titles take the spare width, in the game list and the queue.
        attachLocal();
        child<QRadioButton>("browseView")->click();
        auto* games = child<QTreeView>("gameList");
        const int title = games->columnWidth(0);
        main().resize(main().width() + 200, main().height());
        QTRY_VERIFY(games->columnWidth(0) >= title + 150);
        auto* jobs = child<QTreeView>("jobList");
        QCOMPARE(jobs->header()->sectionResizeMode(4), QHeaderView::Stretch);
        QCOMPARE(jobs->header()->sectionResizeMode(2), QHeaderView::Stretch);

        // The device chosen is the one chosen at the next start.
        main().close();
        QTRY_COMPARE(m_quits, 1);
        stopMain();
        startMain();
        QVERIFY(idle());
        QVERIFY(child<QRadioButton>("localTarget")->isChecked());
        QCOMPARE(child<QLineEdit>("addressEdit")->text(), QStringLiteral("127.0.0.1"));
        child<QRadioButton>("networkTarget")->click();
        QCOMPARE(setting(QStringLiteral("Target")), QStringLiteral("network"));

        // A maximised window stays so after a run it stood aside for.
        child<QRadioButton>("localTarget")->click();
        QVERIFY(idle());
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        main().showMaximized();
        QTRY_VERIFY(main().isMaximized());
        const QString image = writeImage(QStringLiteral("max.iso"));
        child<QRadioButton>("imageSource")->click();
        m_dialogs.files.push_back(image);
        child<QPushButton>("browseImageButton")->click();
        QVERIFY(idle());
        // The window stays in sight through a run, which its status bar shows; the status
        // window waits to be asked for.
        bool hiddenMeanwhile = false;
        QObject::connect(&session(), &Session::busyChanged, &main(), [&] {
            hiddenMeanwhile =
                hiddenMeanwhile || !main().isVisible() || main().statusWindow().isVisible();
        });
        child<QPushButton>("installButton")->click();
        QVERIFY(idle());
        QVERIFY(!hiddenMeanwhile);
        QVERIFY(main().isVisible());
        QVERIFY(!main().statusWindow().isVisible());

        // Where the user asked for it, the status window takes the window's place, and a
        // maximised window is maximised again after the run.
        session().settings().setFlag(Setting::HideDuringRuns, true);
        m_dialogs.files.push_back(image);
        child<QPushButton>("browseImageButton")->click();
        QVERIFY(idle());
        child<QLineEdit>("gameNameEdit")->setText(QStringLiteral("Max Again"));
        // The same disc again: the check before it asks, and is told to go on.
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("installButton")->click();
        QTRY_VERIFY(main().statusWindow().isVisible());
        QVERIFY(idle());
        QTRY_VERIFY(main().isVisible());
        QVERIFY(main().isMaximized());
    }

    void theWholeWindowFitsTheScreen()
    {
        start();
        child<QCheckBox>("showOutputCheck")->setChecked(true);
        attachLocal();
        child<QRadioButton>("browseView")->click();
        const QRect area = main().screen()->availableGeometry();
        const QRect frame = main().frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5,%6 %7x%8")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())
                                                      .arg(area.x())
                                                      .arg(area.y())
                                                      .arg(area.width())
                                                      .arg(area.height())));
        QVERIFY(main().minimumWidth() <= area.width() && main().minimumHeight() <= area.height());

        main().showMaximized();
        QTRY_COMPARE(main().windowState() & Qt::WindowMaximized, Qt::WindowMaximized);
        QTest::qWait(50);
        SaveScreenshot(&main(), QStringLiteral("main-maximised-%1.png").arg(scaleName()));
        // Side by side where there is room.
        if (main().devicePixelRatioF() < 2)
            QVERIFY(child<QTreeView>("gameList")->mapTo(&main(), QPoint(0, 0)).x() >
                    child<QWidget>("targetPane")->width());

        main().showNormal();
        main().resize(main().minimumSize());
        QTRY_COMPARE(main().size(), main().minimumSize());
        QTest::qWait(50); // the panes rearranged for the narrow window
        // Smaller than its contents, the window scrolls: nothing is cut off.
        auto* scroll = child<QScrollArea>("mainScroll");
        QWidget* content = scroll->widget();
        QVERIFY(content->width() >= content->minimumSizeHint().width());
        QVERIFY(content->height() >= content->minimumSizeHint().height());
        for (QPushButton* b : content->findChildren<QPushButton*>()) {
            if (b->isVisible())
                QVERIFY2(b->width() >= b->minimumSizeHint().width(), qPrintable(b->objectName()));
        }
        SaveScreenshot(&main(), QStringLiteral("main-smallest-%1.png").arg(scaleName()));
    }

    // German, the longer language, at this scale: no caption of the main window, its menus
    // or the settings is cut.
    void germanFitsAtEveryScale()
    {
        m_locale = QLocale(QLocale::German, QLocale::Germany);
        start();
        attachNetwork();
        child<QCheckBox>("showOutputCheck")->setChecked(true);
        for (const char* view : {"installView", "browseView", "queueView"}) {
            child<QRadioButton>(view)->click();
            QCoreApplication::processEvents();
            const QStringList clipped = ClippedTexts(&main());
            QVERIFY2(clipped.isEmpty(), qPrintable(scaleName() + u'\n' + clipped.join(u'\n')));
        }
        SaveScreenshot(&main(), QStringLiteral("german-%1.png").arg(scaleName()));
        QWidget& settings = main().settingsWindow();
        settings.show();
        const QStringList cut = ClippedOnEveryTab(&settings);
        QVERIFY2(cut.isEmpty(), qPrintable(scaleName() + u'\n' + cut.join(u'\n')));
        settings.hide();
        QVERIFY(idle());
    }

    void theGameListSortsFiltersAndEditsLikeAFileList()
    {
        QJsonObject state = SimWorld::defaultState();
        QJsonArray ps2s = state[QStringLiteral("ps2s")].toArray();
        QJsonObject ps2 = ps2s[0].toObject();
        ps2[QStringLiteral("games")] = QJsonArray{
            SimWorld::game(QStringLiteral("Beta"), QStringLiteral("SLUS_200.01"),
                           QStringLiteral("DVD"), 9000000),
            SimWorld::game(QStringLiteral("alpha"), QStringLiteral("SLES_100.01"),
                           QStringLiteral("CD"), 95000),
            SimWorld::game(QStringLiteral("An Extremely Long Game Title That Goes On And On For "
                                          "Quite A While"),
                           QStringLiteral("SCUS_971.13"), QStringLiteral("DVD"), 700000)};
        ps2s[0] = ps2;
        state[QStringLiteral("ps2s")] = ps2s;
        start(QStringLiteral("linux"), state);
        attachNetwork();
        child<QRadioButton>("browseView")->click();
        auto* list = child<QTreeView>("gameList");
        // By size as a number: 95000 KB < 700000 KB < 9000000 KB, whatever the texts.
        list->header()->setSortIndicator(2, Qt::AscendingOrder);
        QCOMPARE(shownGames().value(0), QStringLiteral("alpha"));
        QCOMPARE(shownGames().value(2), QStringLiteral("Beta"));
        list->header()->setSortIndicator(0, Qt::AscendingOrder);
        QCOMPARE(shownGames().value(0), QStringLiteral("alpha"));
        QCOMPARE(shownGames().value(2), QStringLiteral("Beta"));
        // A long title is cut with an ellipsis and said whole in its tooltip.
        QCOMPARE(
            list->model()->index(1, 0).data(Qt::ToolTipRole).toString(),
            QStringLiteral("An Extremely Long Game Title That Goes On And On For Quite A While"));
        QCOMPARE(list->textElideMode(), Qt::ElideRight);

        child<QLineEdit>("filterEdit")->setText(QStringLiteral("slus"));
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Beta")});
        child<QLineEdit>("filterEdit")->setText(QStringLiteral("ALP"));
        QCOMPARE(shownGames(), QStringList{QStringLiteral("alpha")});

        // The filtered row is the game acted on.
        list->selectAll();
        m_dialogs.inputs.push_back(QStringLiteral("  Alpha Renamed "));
        child<QPushButton>("renameButton")->click();
        QVERIFY(idle());
        child<QLineEdit>("filterEdit")->clear();
        QVERIFY(shownGames().contains(QStringLiteral("Alpha Renamed")));
        // The box began with the name, and the tool got the game's partition.
        QCOMPARE(m_dialogs.initials.last(), QStringLiteral("alpha"));
        QVERIFY(m_world->calls().contains(
            QStringList{QStringLiteral("modify"), QStringLiteral("127.0.0.1"),
                        QStringLiteral("PP.SLES-10001..ALPHA"), QStringLiteral("Alpha Renamed")}));
        list->clearSelection();
        list->selectionModel()->select(list->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QString first = shownGames().value(0);
        // The flags are the named check boxes the install pane has: 1 and 3 ticked.
        m_dialogs.flagChoices.push_back(CompatFlags::fromTicked({true, false, true}));
        child<QPushButton>("flagsButton")->click();
        QVERIFY(idle());
        for (int r = 0; r < list->model()->rowCount(); ++r) {
            if (list->model()->index(r, 0).data().toString() == first)
                QCOMPARE(list->model()->index(r, 4).data().toString(), QStringLiteral("1+3"));
        }
        // The box begins with the flags; OK on them unchanged asks nothing of the tool.
        auto selectFirst = [&] {
            list->clearSelection();
            for (int r = 0; r < list->model()->rowCount(); ++r) {
                if (list->model()->index(r, 0).data().toString() == first)
                    list->selectionModel()->select(list->model()->index(r, 0),
                                                   QItemSelectionModel::Select |
                                                       QItemSelectionModel::Rows);
            }
        };
        selectFirst();
        const qsizetype calls = m_world->calls().size();
        auto lastModify = [this] {
            const QList<QStringList> all = m_world->calls();
            for (auto it = all.crbegin(); it != all.crend(); ++it) {
                if (it->value(0) == QLatin1String("modify"))
                    return *it;
            }
            return QStringList();
        };
        m_dialogs.flagChoices.push_back(CompatFlags::fromTicked({true, false, true}));
        child<QPushButton>("flagsButton")->click();
        QVERIFY(idle());
        QVERIFY(m_dialogs.flagsShown.has(1) && m_dialogs.flagsShown.has(3) &&
                !m_dialogs.flagsShown.has(2));
        QCOMPARE(m_world->calls().size(), calls);
        // No flags are 0x00 to the tool: a bare "0" would rename the game to "0".
        selectFirst();
        m_dialogs.flagChoices.push_back(CompatFlags());
        child<QPushButton>("flagsButton")->click();
        QVERIFY(idle());
        QCOMPARE(lastModify().value(3), QStringLiteral("0x00"));
        QCOMPARE(shownGames().value(0), first);
        // A name the tool would read as flags is refused before it is asked.
        selectFirst();
        m_dialogs.inputs.push_back(QStringLiteral("+3"));
        child<QPushButton>("renameButton")->click();
        QVERIFY(idle());
        QCOMPARE(lastModify().value(3), QStringLiteral("0x00"));
        QVERIFY(
            m_dialogs.texts().last().contains(QStringLiteral("would read it as compatibility")));
    }

    void renameIsOfferedOnlyWhereTheToolCan()
    {
        start(); // the older tool: no modify
        attachLocal();
        child<QRadioButton>("browseView")->click();
        auto* list = child<QTreeView>("gameList");
        list->selectionModel()->select(list->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        auto* rename = child<QPushButton>("renameButton");
        // Known from the moment the games are listed: never offered, then refused.
        QVERIFY(!rename->isEnabled());
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(!child<QPushButton>("flagsButton")->isEnabled());
        QVERIFY(rename->toolTip().contains(QStringLiteral("modify")));
        for (const QStringList& call : m_world->calls())
            QVERIFY(call.value(0) != QLatin1String("modify"));
        QVERIFY(child<QPushButton>("deleteButton")->isEnabled());
        stopMain();

        // The current tool renames but has no "delete": Delete is not offered, and says why.
        start(QStringLiteral("linux"));
        attachNetwork();
        child<QRadioButton>("browseView")->click();
        list = child<QTreeView>("gameList");
        list->selectionModel()->select(list->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(child<QPushButton>("renameButton")->isEnabled());
        auto* remove = child<QPushButton>("deleteButton");
        QVERIFY(!remove->isEnabled());
        QVERIFY(remove->toolTip().contains(QStringLiteral("\"delete\"")));
    }

    void severalGamesAtOnce()
    {
        QJsonObject state = SimWorld::defaultState();
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[0].toObject();
        QJsonArray games = disk[QStringLiteral("games")].toArray();
        games.append(SimWorld::game(QStringLiteral("Third"), QStringLiteral("SLUS_300.03"),
                                    QStringLiteral("CD"), 5000));
        disk[QStringLiteral("games")] = games;
        disks[0] = disk;
        state[QStringLiteral("disks")] = disks;
        start(QStringLiteral("win"), state);
        attachLocal();
        child<QRadioButton>("browseView")->click();
        auto* list = child<QTreeView>("gameList");

        // Copy to PC of two games: one folder, two jobs.
        list->selectionModel()->select(list->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        list->selectionModel()->select(list->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (scaleName() == QLatin1String("100"))
            SaveScreenshot(&main(), QStringLiteral("browse-multiple.png"));
        m_dialogs.folders.push_back(m_world->dir());
        child<QPushButton>("copyToPcButton")->click();
        QCOMPARE(session().jobs().count(), 2);
        QCOMPARE(session().jobs().job(0).destination,
                 m_world->path(QStringLiteral("Test Game.iso")));
        QCOMPARE(session().jobs().job(1).destination, m_world->path(QStringLiteral("Third.iso")));
        QCOMPARE(session().jobs().job(1).kind, JobKind::CopyToPC);
        // Said once for both, with what makes them run.
        QCOMPARE(m_tray.balloons.filter(QStringLiteral("job queue")),
                 QStringList{QStringLiteral(
                     "Ventrik|2 copies added to the job queue; start the queue to copy.")});

        // Delete of three games (Ctrl+A, then the Delete key): one question, three runs.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 3);
        m_dialogs.shown.clear();
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        m_world->clearCalls();
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(idle());
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.contains(QStringLiteral("these 3 games")));
        QVERIFY(m_dialogs.shown[0].text.endsWith(QStringLiteral("Test Game\nSmall\nThird")));
        int deletes = 0;
        for (const QStringList& c : m_world->calls())
            deletes += c.value(0) == QLatin1String("delete") ? 1 : 0;
        QCOMPARE(deletes, 3);
        QVERIFY(shownGames().isEmpty());

        // F5 reads the disk again.
        m_world->clearCalls();
        QTest::keyClick(&main(), Qt::Key_F5);
        QVERIFY(idle());
        QCOMPARE(m_world->calls().value(0).value(0), QStringLiteral("hdl_toc"));
    }

    void aFolderOfImagesIsReadAndQueuedWithASummary()
    {
        start(QStringLiteral("linux"));
        const QString root = imageTree();
        attachNetwork();
        m_dialogs.folders.push_back(root);
        m_dialogs.answers.push_back(Dialogs::Answer::No); // the duplicates stay out
        child<QPushButton>("addFolderButton")->click();
        QVERIFY(idle());
        // Every image of the tree, any case of extension; the text file is no image.
        // Paths in order, any case: a/b/again.Cue comes before a/second.iso. Each is named as
        // a single image is: by its file, unless the disc database knows the game.
        QCOMPARE(jobNames(), (QStringList{QStringLiteral("again"), QStringLiteral("First"),
                                          QStringLiteral("Known From Database")}));
        const Job known = session().jobs().job(2);
        QCOMPARE(known.flags.toolText(), QStringLiteral("+1+3"));
        QCOMPARE(known.destination, QStringLiteral("127.0.0.1"));
        QCOMPARE(session().jobs().job(0).type, DiscType::DVD);
        QCOMPARE(session().jobs().job(0).sizeKb, 3000000);
        QCOMPARE(session().jobs().job(1).type, DiscType::DVD);
        // One summary for one batch, however its runs end.
        QCOMPARE(m_dialogs.lists.size(), 1);
        const QStringList summary = m_dialogs.lists.last();
        QCOMPARE(summary.size(), 3);
        QVERIFY(summary.filter(QStringLiteral("holiday.nrg: not a PS2 game")).size() == 1);
        // A possible duplicate is named by its startup, with both names.
        QVERIFY(summary
                    .filter(QStringLiteral("there.iml: \"there\" has the startup "
                                           "SLUS_123.45 of \"Net Game\", which is on 127.0.0.1"))
                    .size() == 1);
        QVERIFY(summary
                    .filter(QStringLiteral("second.iso: \"second\" has the startup SLES_500.02 of "
                                           "\"again\", which is in the job queue"))
                    .size() == 1);
        // The tool does not say CD or DVD for an image file: the size did, and it is said.
        QVERIFY(m_dialogs.texts().last().contains(QStringLiteral("does not say whether an image")));
        QCOMPARE(m_dialogs.listAccept, QStringLiteral("Add Duplicates Anyway"));
        // At most four discs were read at once, each once.
        int reads = 0;
        for (const QStringList& c : m_world->calls())
            reads += c.value(0).startsWith(QLatin1String("cdvd_info")) ? 1 : 0;
        QCOMPARE(reads, 6);

        // Again, with the duplicates added anyway.
        session().jobs().clear();
        m_dialogs.folders.push_back(root);
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("addFolderButton")->click();
        QVERIFY(idle());
        QCOMPARE(session().jobs().count(), 5);
        QVERIFY(jobNames().contains(QStringLiteral("there")));

        ProblemListDialog dialog(QStringLiteral("3 of 6 images were added to the job queue. These "
                                                "were not:"),
                                 summary, QStringLiteral("Add Duplicates Anyway"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        if (scaleName() == QLatin1String("100"))
            SaveScreenshot(&dialog, QStringLiteral("batch-summary.png"));
    }

    void imagesDroppedOnTheWindowAreQueued()
    {
        start(QStringLiteral("linux"));
        const QString root = imageTree();
        attachNetwork();
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(root + QStringLiteral("/First.ISO")),
                       QUrl::fromLocalFile(root + QStringLiteral("/a/b")),
                       QUrl::fromLocalFile(root + QStringLiteral("/a/readme.txt"))});
        child<QRadioButton>("queueView")->click();
        QWidget* target = child<QTreeView>("jobList")->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
        QVERIFY(idle());
        // The file, and the folder with its subfolder (again.Cue; there.iml is installed).
        QCOMPARE(jobNames(), (QStringList{QStringLiteral("First"), QStringLiteral("again")}));
        // The text file is named among what was not added, with the reason.
        QVERIFY2(m_dialogs.lists.last()
                         .filter(QStringLiteral("readme.txt: skipped (not a disc image"))
                         .size() == 1,
                 qPrintable(m_dialogs.lists.last().join(u'|')));
        auto* bar = child<QStatusBar>("runStatusBar");
        QVERIFY2(bar->currentMessage().contains(QStringLiteral("were added to the job queue")),
                 qPrintable(bar->currentMessage()));

        // With nothing to decide, what was left out is said beside the window, not in a box.
        session().jobs().clear();
        m_dialogs.lists.clear();
        mime->setUrls({QUrl::fromLocalFile(root + QStringLiteral("/First.ISO")),
                       QUrl::fromLocalFile(root + QStringLiteral("/a/readme.txt"))});
        QDragEnterEvent enterAgain(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enterAgain);
        QDropEvent again(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &again);
        QVERIFY(idle());
        QCOMPARE(jobNames(), QStringList{QStringLiteral("First")});
        QVERIFY(m_dialogs.lists.isEmpty());
        QCOMPARE(bar->currentMessage(),
                 QStringLiteral("1 of 2 images were added to the job queue."));
        const QStringList told = child<MessageBar>("messageBar")->texts();
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(QStringLiteral("readme.txt: skipped (not a disc image")),
                 qPrintable(told[0]));
        delete mime;

        // Nothing else is taken.
        QMimeData text;
        text.setText(QStringLiteral("hello"));
        QDragEnterEvent other(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        other.setAccepted(false);
        QApplication::sendEvent(&main(), &other);
        QVERIFY(!other.isAccepted());
    }

    void aBatchReadCanBeCancelled()
    {
        start(QStringLiteral("linux"));
        const QString root = imageTree();
        attachNetwork();
        m_world->setFault({{"mode", "hang"}, {"command", "cdvd_info2"}});
        m_dialogs.folders.push_back(root);
        child<QPushButton>("addFolderButton")->click();
        auto* bar = child<QProgressBar>("batchProgress");
        QTRY_VERIFY(bar->isVisible());
        QCOMPARE(bar->maximum(), 6);
        // Runs at a time: at least two where the machine has two cores, never more than four.
        auto reading = [this] {
            int n = 0;
            for (const QStringList& c : m_world->calls())
                n += c.value(0) == QLatin1String("cdvd_info2") ? 1 : 0;
            return n;
        };
        QTRY_VERIFY(reading() >= std::min(2, QThread::idealThreadCount()));
        QTest::qWait(200);
        auto* cancel = child<QPushButton>("batchCancelButton");
        QVERIFY(cancel->isVisible());
        cancel->click();
        QVERIFY(idle());
        QCOMPARE(session().jobs().count(), 0);
        QVERIFY(!bar->isVisible());
        QVERIFY(reading() >= std::min(2, QThread::idealThreadCount()) && reading() <= 4);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
