#include "TestSupport.h"
#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestIniFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_file;

    QByteArray content() const
    {
        QFile f(m_file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void setContent(const QByteArray& bytes) const
    {
        QFile f(m_file);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }

private slots:
    void init()
    {
        m_file = m_dir.filePath(QStringLiteral("config.cfg"));
        QFile::remove(m_file);
        QFile::remove(m_file + QStringLiteral(".bak"));
    }

    // Every key read one way by its type; the defaults write only the thirteen they always did.
    void typedSettingsReadOneWay()
    {
        SettingsFile s(m_file);
        WriteDefaultSettings(m_file);
        QVERIFY(s.flag(Setting::StayOnTop));
        QVERIFY(!s.flag(Setting::ViewOutput));
        QCOMPARE(s.text(Setting::ToolConfig), DefaultToolConfigPath());
        QCOMPARE(s.colour(Setting::Backcolor), 0x8000000Fu);
        // The window's own keys are no defaults: none is written.
        QVERIFY(ReadSetting(kSettingsSection, QStringLiteral("MainGeometry"), m_file).isEmpty());
        QFile written(m_file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray all = written.readAll();
        QVERIFY(all.contains("UseColor"));
        QVERIFY(!all.contains("ReadTimeout"));

        // A flag is on only when its value converts to 1, however it is written.
        for (const auto& [value, on] :
             {std::pair{"1", true}, std::pair{" 1", true}, std::pair{"1.0", true},
              std::pair{"2", false}, std::pair{"yes", false}, std::pair{"", false}}) {
            QVERIFY(s.write(Setting::StayOnTop, QString::fromLatin1(value)));
            QCOMPARE(s.flag(Setting::StayOnTop), on);
        }
        QVERIFY(s.setFlag(Setting::UseColor, true));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("UseColor"), m_file),
                 QStringLiteral("1"));
        const QByteArray bytes("\x00\x01binary=\n", 10);
        QVERIFY(s.setState(Setting::MainSplitter, bytes));
        QCOMPARE(s.state(Setting::MainSplitter), bytes);
        // Colours are stored as colours; the numbers of older files read as they did.
        QVERIFY(s.setColour(Setting::Forecolor, 0x80000012u));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("Forecolor"), m_file),
                 QStringLiteral("system:button-text"));
        QCOMPARE(s.colour(Setting::Forecolor), 0x80000012u);
        QVERIFY(s.setColour(Setting::Forecolor, 0x00204080u));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("Forecolor"), m_file),
                 QStringLiteral("#804020"));
        QCOMPARE(s.colour(Setting::Forecolor), 0x00204080u);
        for (const auto& [old, colour] :
             {std::pair{"-2147483630", 0x80000012u}, std::pair{"-2147483633", 0x8000000Fu},
              std::pair{"2113664", 0x00204080u}, std::pair{"0", 0u}}) {
            QVERIFY(s.write(Setting::Forecolor, QString::fromLatin1(old)));
            QCOMPARE(s.colour(Setting::Forecolor), colour);
        }
        // Read from memory, but a change by another program (or a hand) is seen at once,
        // however quickly it follows and even at the same size.
        QVERIFY(s.setFlag(Setting::ViewOutput, false));
        QVERIFY(!s.flag(Setting::ViewOutput));
        QVERIFY(WriteSetting(kSettingsSection, QStringLiteral("ViewOutput"), QStringLiteral("1"),
                             m_file));
        QVERIFY(s.flag(Setting::ViewOutput));
        // The balloon key is the other way round: 0 shows them.
        QVERIFY(s.setFlag(Setting::BalloonTips, false));
        QVERIFY(s.balloonsOn());
    }

    void missingFileReadsEmptyAndWriteCreatesIt()
    {
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("IP"), m_file), QString());
        QVERIFY(!QFile::exists(m_file));
        WriteSetting(kSettingsSection, QStringLiteral("IP"), QStringLiteral("10.0.0.2"), m_file);
        QCOMPARE(content(), QByteArray("[hdl_dump]\nIP=10.0.0.2\n"));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("IP"), m_file),
                 QStringLiteral("10.0.0.2"));
    }

    void namesMatchWithoutCase()
    {
        setContent("[HDL_Dump]\r\nviewoutput=1\r\n");
        QCOMPARE(ReadSetting(QStringLiteral("hdl_dump"), QStringLiteral("ViewOutput"), m_file),
                 QStringLiteral("1"));
        WriteSetting(QStringLiteral("hdl_dump"), QStringLiteral("VIEWOUTPUT"), QStringLiteral("0"),
                     m_file);
        // Replaced in place, CRLF kept, no second key.
        QCOMPARE(content(), QByteArray("[HDL_Dump]\r\nVIEWOUTPUT=0\r\n"));
    }

    void writeReplacesInPlaceAndAppendsToItsSection()
    {
        setContent("; note\n[other]\nIP=1\n[hdl_dump]\nIP=2\nClosePS2=0\n\n[later]\nx=y\n");
        WriteSetting(kSettingsSection, QStringLiteral("IP"), QStringLiteral("3"), m_file);
        WriteSetting(kSettingsSection, QStringLiteral("UseColor"), QStringLiteral("1"), m_file);
        QCOMPARE(
            content(),
            QByteArray(
                "; "
                "note\n[other]\nIP=1\n[hdl_dump]\nIP=3\nClosePS2=0\nUseColor=1\n\n[later]\nx=y\n"));
        QCOMPARE(ReadSetting(QStringLiteral("other"), QStringLiteral("IP"), m_file),
                 QStringLiteral("1"));
        QCOMPARE(ReadSetting(QStringLiteral("later"), QStringLiteral("x"), m_file),
                 QStringLiteral("y"));
    }

    void missingSectionIsAddedAtTheEnd()
    {
        setContent("[other]\nk=v"); // no final line feed
        WriteSetting(kSettingsSection, QStringLiteral("IP"), QStringLiteral("9"), m_file);
        QCOMPARE(content(), QByteArray("[other]\nk=v\n[hdl_dump]\nIP=9\n"));
    }

    void longValuesAreNeverCut()
    {
        const QString path =
            QStringLiteral("/media/games/") + QString(300, u'x') + QStringLiteral("/hdl_dump.conf");
        WriteSetting(kSettingsSection, QStringLiteral("hdl_config"), path, m_file);
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("hdl_config"), m_file), path);
    }

    void valuesKeepBackslashesQuotesAndNonAscii()
    {
        const QString value = QStringLiteral("C:\\ISO\\\"Spiel\" für Zoë");
        WriteSetting(kSettingsSection, QStringLiteral("DefaultISO"), value, m_file);
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("DefaultISO"), m_file), value);
    }

    void garbageKeepsWhatWasReadable()
    {
        QByteArray garbage(
            "\x00\xff\xfe[hdl_dump\n==\n[hdl_dump]\nIP=5.6.7.8\n\x01\x02 binary \x00 tail\n", 55);
        setContent(garbage);
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("IP"), m_file),
                 QStringLiteral("5.6.7.8"));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("ViewOutput"), m_file), QString());
        WriteSetting(kSettingsSection, QStringLiteral("ViewOutput"), QStringLiteral("1"), m_file);
        const QByteArray after = content();
        // Every byte of the damaged file is still there, the new key beside the readable one.
        QVERIFY(after.startsWith(
            QByteArray("\x00\xff\xfe[hdl_dump\n==\n[hdl_dump]\nIP=5.6.7.8\nViewOutput=1\n", 51)));
        QVERIFY(after.endsWith(QByteArray("\x01\x02 binary \x00 tail\n", 17)));
    }

    void hugeFileIsSetAsideNotDestroyed()
    {
        QByteArray huge = "[hdl_dump]\nIP=1.2.3.4\n";
        huge.append(QByteArray(IniFile::kMaxFileSize, 'z'));
        setContent(huge);
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("IP"), m_file), QString());
        WriteSetting(kSettingsSection, QStringLiteral("IP"), QStringLiteral("4.3.2.1"), m_file);
        QCOMPARE(content(), QByteArray("[hdl_dump]\nIP=4.3.2.1\n"));
        QFile aside(m_file + QStringLiteral(".bak"));
        QCOMPARE(aside.size(), qint64(huge.size()));
    }

    void unreadableFileReadsEmpty()
    {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        setContent("[hdl_dump]\nIP=1\n");
        QFile::setPermissions(m_file, QFileDevice::WriteOwner);
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("IP"), m_file), QString());
    }

    void failedSaveLeavesTheOldFileWhole()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sub/config.cfg"));
        QDir().mkpath(dir.filePath(QStringLiteral("sub")));
        {
            QFile f(file);
            f.open(QIODevice::WriteOnly);
            f.write("[hdl_dump]\nIP=1\n");
        }
        // A directory where the temporary save file would go makes the save fail.
        QVERIFY(!IniFile::write(file + QStringLiteral("/nested"), kSettingsSection,
                                QStringLiteral("IP"), QStringLiteral("2")));
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(), QByteArray("[hdl_dump]\nIP=1\n"));
    }

    void fullDiskKeepsTheOldFileByteForByte()
    {
        const QByteArray before = "[hdl_dump]\nIP=127.0.0.1\nDefaultISO=/data/iso/\n";
        setContent(before);
        QString error;
        {
            const FileSizeLimit full(40);
            QVERIFY(!IniFile::write(m_file, kSettingsSection, QStringLiteral("DefaultISO"),
                                    QString(200, u'x'), &error));
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(content(), before);
        // Nothing is left beside it either.
        QCOMPARE(QDir(QFileInfo(m_file).absolutePath()).entryList(QDir::Files).size(), 1);
        // The same through the settings of the program, whose failure is reported.
        QStringList reported;
        SettingsFile settings(m_file);
        settings.setFailureHandler([&](const QString& path, const QString&) { reported << path; });
        {
            const FileSizeLimit full(40);
            QVERIFY(!settings.write(QStringLiteral("DefaultISO"), QString(200, u'y')));
        }
        QCOMPARE(reported, QStringList{m_file});
        QCOMPARE(content(), before);
    }

    void lineBreaksNeverBecomeKeys()
    {
        setContent("[hdl_dump]\nIP=127.0.0.1\n");
        for (const QString& value :
             {QStringLiteral("127.0.0.1\nhdl_config=/some/file"), QStringLiteral("a\rb"),
              QStringLiteral("a") + QChar(0) + QStringLiteral("b")}) {
            QString error;
            QVERIFY(!IniFile::write(m_file, kSettingsSection, QStringLiteral("IP"), value, &error));
            QVERIFY(error.contains(QStringLiteral("line break")));
        }
        QCOMPARE(content(), QByteArray("[hdl_dump]\nIP=127.0.0.1\n"));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("hdl_config"), m_file), QString());
    }

    void defaultsResetTheThirteenKeysAndKeepOthers()
    {
        setContent("[hdl_dump]\nIP=1.1.1.1\nMine=kept\nStayOnTop=0\n");
        WriteDefaultSettings(m_file);
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("Mine"), m_file),
                 QStringLiteral("kept"));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("IP"), m_file),
                 QStringLiteral("192.168.0.10"));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("StayOnTop"), m_file),
                 QStringLiteral("1"));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("Backcolor"), m_file),
                 QStringLiteral("system:button-face"));
        QCOMPARE(ReadSetting(kSettingsSection, QStringLiteral("hdl_config"), m_file),
                 DefaultToolConfigPath());
        QVERIFY(DefaultToolConfigPath().endsWith(QStringLiteral("/.hdl_dump.conf")));
        QCOMPARE(content().count('='), qsizetype(14));
    }

    // Several keys saved at once give the bytes one save each gave, and a line break in any
    // of them saves none.
    void severalKeysInOneSave()
    {
        const QByteArray start("[other]\r\nA=1\r\n[hdl_dump]\r\nIP=1.1.1.1\r\nMine=kept\r\n");
        const IniFile::Entries entries{{QStringLiteral("ip"), QStringLiteral("127.0.0.1")},
                                       {QStringLiteral("New"), QStringLiteral("x y")},
                                       {QStringLiteral("IP"), QStringLiteral("127.0.0.2")}};
        setContent(start);
        for (const auto& [key, value] : entries)
            QVERIFY(IniFile::write(m_file, kSettingsSection, key, value));
        const QByteArray oneByOne = content();
        setContent(start);
        QVERIFY(IniFile::write(m_file, kSettingsSection, entries));
        QCOMPARE(content(), oneByOne);
        QVERIFY(oneByOne.contains("IP=127.0.0.2\r\nMine=kept\r\nNew=x y\r\n"));

        QString error;
        QVERIFY(!IniFile::write(m_file, kSettingsSection,
                                {{QStringLiteral("Fine"), QStringLiteral("1")},
                                 {QStringLiteral("IP"), QStringLiteral("1\nhdl_config=/x")}},
                                &error));
        QVERIFY(error.contains(QStringLiteral("line break")));
        QCOMPARE(content(), oneByOne);
    }

    void numericConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("value");
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("word") << "yes" << 0;
        QTest::newRow("leading number") << "  12abc" << 12;
        QTest::newRow("system colour") << "-2147483633" << qint32(0x8000000F);
        QTest::newRow("text colour") << "-2147483630" << qint32(0x80000012);
        QTest::newRow("fraction rounds") << "2.5" << 2;
        QTest::newRow("huge") << "1e400" << 0;
    }
    void numericConversion()
    {
        QFETCH(QString, text);
        QFETCH(qint32, value);
        QCOMPARE(IntegerValue(text), value);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
