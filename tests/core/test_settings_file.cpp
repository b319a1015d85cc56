#include "core/formats.h"
#include "core/ini_file.h"
#include "core/korvanis_error.h"
#include "tests/support/fakes.h"

#include <QFile>
#include <QLocale>
#include <QtTest>

class TestSettingsFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void missingFileGivesDefaultsAndFirstWriteCreatesIt()
    {
        TempProgramDir dir;
        IniFile ini(dir.file("BRAIN.INI"));
        QCOMPARE(ini.ReadInteger("Korvanis", "Sprache", 0), 0);
        QCOMPARE(ini.ReadString("Korvanis", "Sprache", "x"), QString("x"));
        ini.WriteInteger("Korvanis", "Sprache", 0);
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")), QByteArray("[Korvanis]\nSprache=0\n"));
        ini.WriteInteger("Korvanis", "Training Zahlen Anzahl", 200);
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")), QByteArray("[Korvanis]\nSprache=0\nTraining Zahlen Anzahl=200\n"));
    }

    void sectionsAndKeysIgnoreCase()
    {
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), "[KORVANIS]\nsprache=1\n"));
        IniFile ini(dir.file("BRAIN.INI"));
        QCOMPARE(ini.ReadInteger("Korvanis", "Sprache", 0), 1);
        ini.WriteInteger("korvanis", "SPRACHE", 0);
        // The key keeps its spelling in the file; no second key appears.
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")), QByteArray("[KORVANIS]\nsprache=0\n"));
    }

    void writeChangesOnlyItsLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("crlf, comments, other sections")
            << QByteArray("; my settings\r\n[Stoppuhr]\r\nZeiten_1_1=30\r\n\r\n[Korvanis]\r\nSprache=0\r\n"
                          "Training Zahlen Anzahl = 200 \r\nunknown line\r\n")
            << QByteArray("; my settings\r\n[Stoppuhr]\r\nZeiten_1_1=30\r\n\r\n[Korvanis]\r\nSprache=0\r\n"
                          "Training Zahlen Anzahl=300\r\nunknown line\r\n");
        QTest::newRow("byte-order mark before the section")
            << QByteArray("\xEF\xBB\xBF[Korvanis]\nTraining Zahlen Anzahl=200\n")
            << QByteArray("\xEF\xBB\xBF[Korvanis]\nTraining Zahlen Anzahl=300\n");
        QTest::newRow("new key after the section's last line, before the blank line")
            << QByteArray("[Korvanis]\r\nSprache=1\r\n\r\n[Stoppuhr]\r\nx=1\r\n")
            << QByteArray("[Korvanis]\r\nSprache=1\r\nTraining Zahlen Anzahl=300\r\n\r\n[Stoppuhr]\r\nx=1\r\n");
        QTest::newRow("new section appended after a last line without break")
            << QByteArray("[Stoppuhr]\nx=1")
            << QByteArray("[Stoppuhr]\nx=1\n\n[Korvanis]\nTraining Zahlen Anzahl=300\n");
        QTest::newRow("first of two sections of the same name")
            << QByteArray("[Korvanis]\nTraining Zahlen Anzahl=1\n[Korvanis]\nTraining Zahlen Anzahl=2\n")
            << QByteArray("[Korvanis]\nTraining Zahlen Anzahl=300\n[Korvanis]\nTraining Zahlen Anzahl=2\n");
    }

    void writeChangesOnlyItsLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), before));
        IniFile ini(dir.file("BRAIN.INI"));
        ini.WriteInteger("Korvanis", "Training Zahlen Anzahl", 300);
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")), after);
        QCOMPARE(ini.ReadInteger("Korvanis", "Training Zahlen Anzahl", 0), 300);
    }

    void integerReads_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("250") << 250;
        QTest::newRow("blanks") << QByteArray("  250  ") << 250;
        QTest::newRow("negative") << QByteArray("-5") << -5;
        QTest::newRow("quoted") << QByteArray("\"7\"") << 7;
        QTest::newRow("empty") << QByteArray("") << 600;
        QTest::newRow("word") << QByteArray("viele") << 600;
        QTest::newRow("trailing garbage") << QByteArray("12abc") << 600;
        QTest::newRow("decimal") << QByteArray("1.5") << 600;
        QTest::newRow("huge") << QByteArray("99999999999999999999") << 600;
        QTest::newRow("just beyond int") << QByteArray("2147483648") << 600;
        QTest::newRow("sign only") << QByteArray("-") << 600;
    }

    void integerReads()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), "[Korvanis]\nTraining Binaer Anzahl=" + stored + "\n"));
        QCOMPARE(IniFile(dir.file("BRAIN.INI")).ReadInteger("Korvanis", "Training Binaer Anzahl", 600), expected);
    }

    void floatsUseTheUsersSeparator()
    {
        TempProgramDir dir;
        IniFile ini(dir.file("BRAIN.INI"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ini.WriteFloat("Stoppuhr", "Zeiten_1_1", 125);
        ini.WriteFloat("Stoppuhr", "Wandeln_1", 4.5);
        QCOMPARE(ReadBytes(ini.fileName()), QByteArray("[Stoppuhr]\nZeiten_1_1=125\nWandeln_1=4,5\n"));
        QCOMPARE(ini.ReadFloat("Stoppuhr", "Wandeln_1", 0), 4.5);
        QCOMPARE(ini.ReadInteger("Stoppuhr", "Zeiten_1_1", 999), 125);
        QLocale::setDefault(QLocale::c());
        ini.WriteFloat("Stoppuhr", "Wandeln_2", 0.1 + 0.2);
        QVERIFY(ReadBytes(ini.fileName()).endsWith("Wandeln_2=0.3\n"));
        // A value written under the other separator still reads.
        QCOMPARE(ini.ReadFloat("Stoppuhr", "Wandeln_1", 0), 4.5);
        QCOMPARE(ini.ReadFloat("Stoppuhr", "Missing", 4), 4.0);
    }

    void failedWritesRaiseAndKeepTheFile_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("read-only file") << true;
        QTest::newRow("folder in place of the file") << false;
    }

    void failedWritesRaiseAndKeepTheFile()
    {
        QFETCH(bool, readOnly);
        TempProgramDir dir;
        const QString name = dir.file("BRAIN.INI");
        const QByteArray content("[Korvanis]\r\nSprache=1\r\n");
        if (readOnly) {
            QVERIFY(WriteBytes(name, content));
            QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadUser));
        } else {
            QVERIFY(QDir().mkdir(name));
        }
        IniFile ini(name);
        QCOMPARE(ini.ReadInteger("Korvanis", "Sprache", 0), readOnly ? 1 : 0);
        try {
            ini.WriteInteger("Korvanis", "Sprache", 0);
            QFAIL("the write should have failed");
        } catch (const KorvanisError& e) {
            QCOMPARE(e.text(), QString("nach %1 kann nicht geschrieben werden").arg(name));
        }
        if (readOnly) {
            QCOMPARE(ReadBytes(name), content);
            // Writing back what is already there is no failure.
            ini.WriteInteger("Korvanis", "Sprache", 1);
        }
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() <= 1); // no temporary left over
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
