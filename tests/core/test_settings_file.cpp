// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/formats.h"
#include "core/ini_file.h"
#include "core/korvanis_error.h"
#include "tests/support/fakes.h"
#include "tests/support/file_size_limit.h"

#include <QFile>
#include <QLocale>
#include <QtTest>
#include <algorithm>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Obstacle { ReadOnlyFile, FolderInPlace, NoRoom, OddUtf16Byte, LoneSurrogate };

// The text as Windows Notepad saves it as "Unicode": UTF-16 with a byte-order mark.
QByteArray utf16(const QString& text, QStringConverter::Encoding order)
{
    QStringEncoder encode(order, QStringConverter::Flag::WriteBom);
    return encode(text);
}

} // namespace

Q_DECLARE_METATYPE(Obstacle)

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
        // A new file gets the line breaks the Windows profile functions write.
        ini.WriteInteger("Korvanis", "Sprache", 0);
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")), QByteArray("[Korvanis]\r\nSprache=0\r\n"));
        ini.WriteInteger("Korvanis", "Training Zahlen Anzahl", 200);
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")),
                 QByteArray("[Korvanis]\r\nSprache=0\r\nTraining Zahlen Anzahl=200\r\n"));
        ini.WriteInteger("Stoppuhr", "Zeiten_1_1", 30);
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")),
                 QByteArray("[Korvanis]\r\nSprache=0\r\nTraining Zahlen Anzahl=200\r\n[Stoppuhr]\r\nZeiten_1_1=30\r\n"));
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
            << QByteArray("[Stoppuhr]\nx=1\n[Korvanis]\nTraining Zahlen Anzahl=300\n");
        QTest::newRow("new section after a blank last line")
            << QByteArray("[Stoppuhr]\r\nx=1\r\n\r\n")
            << QByteArray("[Stoppuhr]\r\nx=1\r\n\r\n[Korvanis]\r\nTraining Zahlen Anzahl=300\r\n");
        QTest::newRow("one line without a break: the breaks of a new file")
            << QByteArray("; Korvanis")
            << QByteArray("; Korvanis\r\n[Korvanis]\r\nTraining Zahlen Anzahl=300\r\n");
        QTest::newRow("CR-only line ends")
            << QByteArray("[Stoppuhr]\rZeiten_1_1=30\r\r[Korvanis]\rTraining Zahlen Anzahl=200\rSprache=1\r")
            << QByteArray("[Stoppuhr]\rZeiten_1_1=30\r\r[Korvanis]\rTraining Zahlen Anzahl=300\rSprache=1\r");
        QTest::newRow("new key with CR-only line ends")
            << QByteArray("[Korvanis]\rSprache=1\r\r[Stoppuhr]\rx=1")
            << QByteArray("[Korvanis]\rSprache=1\rTraining Zahlen Anzahl=300\r\r[Stoppuhr]\rx=1");
        const QString notepad("; Einstellungen für Korvanis\r\n[Stoppuhr]\r\nZeiten_1_1=30\r\n\r\n[Korvanis]\r\n"
                              "Sprache=1\r\n");
        QTest::newRow("UTF-16 LE, value changed")
            << utf16(notepad + "Training Zahlen Anzahl=200\r\n", QStringConverter::Utf16LE)
            << utf16(notepad + "Training Zahlen Anzahl=300\r\n", QStringConverter::Utf16LE);
        QTest::newRow("UTF-16 BE, new key")
            << utf16(notepad + "\r\n[Wandeln]\r\n", QStringConverter::Utf16BE)
            << utf16(notepad + "Training Zahlen Anzahl=300\r\n\r\n[Wandeln]\r\n", QStringConverter::Utf16BE);
        QTest::newRow("UTF-16 LE, new section")
            << utf16("[Stoppuhr]\r\nZeiten_1_1=30\r\n", QStringConverter::Utf16LE)
            << utf16("[Stoppuhr]\r\nZeiten_1_1=30\r\n[Korvanis]\r\nTraining Zahlen Anzahl=300\r\n",
                     QStringConverter::Utf16LE);
        QTest::newRow("UTF-16 BE, CR only")
            << utf16("[Korvanis]\rTraining Zahlen Anzahl=200\r", QStringConverter::Utf16BE)
            << utf16("[Korvanis]\rTraining Zahlen Anzahl=300\r", QStringConverter::Utf16BE);
        QTest::newRow("UTF-16 LE, nothing but the byte-order mark")
            << utf16("", QStringConverter::Utf16LE)
            << utf16("[Korvanis]\r\nTraining Zahlen Anzahl=300\r\n", QStringConverter::Utf16LE);
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

    void severalKeysGoInOneWrite()
    {
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), "[Stoppuhr]\r\n; by hand\r\nZeiten_1_2=31\r\n\r\n[Korvanis]\r\n"));
        IniFile ini(dir.file("BRAIN.INI"));
        ini.WriteStrings("Stoppuhr", {{"Zeiten_1_1", "30"}, {"zeiten_1_2", "0"}, {"Wandeln_1", "4"}});
        QCOMPARE(ReadBytes(dir.file("BRAIN.INI")),
                 QByteArray("[Stoppuhr]\r\n; by hand\r\nZeiten_1_2=0\r\nZeiten_1_1=30\r\nWandeln_1=4\r\n\r\n"
                            "[Korvanis]\r\n"));
    }

    void readsInEveryForm_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("LF") << QByteArray("[Stoppuhr]\nZeiten_1_1=30\n[Korvanis]\nSprache=1\nx=\"Zürich\"\n");
        QTest::newRow("CRLF") << QByteArray("[Stoppuhr]\r\nZeiten_1_1=30\r\n[Korvanis]\r\nSprache=1\r\nx='Zürich'\r\n");
        QTest::newRow("CR only") << QByteArray("[Stoppuhr]\rZeiten_1_1=30\r[Korvanis]\rSprache=1\rx=Zürich");
        QTest::newRow("CR only after a blank line")
            << QByteArray("\r[Stoppuhr]\rZeiten_1_1=30\r\r[Korvanis]\rSprache=1\rx=Zürich\r");
        const QString text("[Stoppuhr]\r\nZeiten_1_1=30\r\n[Korvanis]\r\nSprache=1\r\nx=Zürich\r\n");
        QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" + text.toUtf8();
        QTest::newRow("UTF-16 LE") << utf16(text, QStringConverter::Utf16LE);
        QTest::newRow("UTF-16 BE") << utf16(text, QStringConverter::Utf16BE);
        QTest::newRow("UTF-16 LE, CR only") << utf16(QString(text).replace("\r\n", "\r"), QStringConverter::Utf16LE);
        QTest::newRow("UTF-16 BE, LF") << utf16(QString(text).replace("\r\n", "\n"), QStringConverter::Utf16BE);
    }

    void readsInEveryForm()
    {
        QFETCH(QByteArray, content);
        TempProgramDir dir;
        QVERIFY(WriteBytes(dir.file("BRAIN.INI"), content));
        const IniFile ini(dir.file("BRAIN.INI"));
        QCOMPARE(ini.ReadInteger("Stoppuhr", "Zeiten_1_1", 999), 30);
        QCOMPARE(ini.ReadInteger("Korvanis", "Sprache", 0), 1);
        QCOMPARE(ini.ReadString("Korvanis", "x", "none"), QString("Zürich"));
        QCOMPARE(ini.ReadString("Korvanis", "Zeiten_1_1", "none"), QString("none"));
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
        QCOMPARE(ReadBytes(ini.fileName()), QByteArray("[Stoppuhr]\r\nZeiten_1_1=125\r\nWandeln_1=4,5\r\n"));
        QCOMPARE(ini.ReadFloat("Stoppuhr", "Wandeln_1", 0), 4.5);
        QCOMPARE(ini.ReadInteger("Stoppuhr", "Zeiten_1_1", 999), 125);
        QLocale::setDefault(QLocale::c());
        ini.WriteFloat("Stoppuhr", "Wandeln_2", 0.1 + 0.2);
        QVERIFY(ReadBytes(ini.fileName()).endsWith("Wandeln_2=0.3\r\n"));
        // A value written under the other separator still reads.
        QCOMPARE(ini.ReadFloat("Stoppuhr", "Wandeln_1", 0), 4.5);
        QCOMPARE(ini.ReadFloat("Stoppuhr", "Missing", 4), 4.0);
    }

    // As with the Windows profile functions, writing the value a key already
    // holds changes nothing, so it succeeds on a read-only file too: however the
    // line is spaced, quoted or encoded, and whatever case its names are in.
    void writingWhatTheFileHoldsChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("blanks around =, read-only") << QByteArray("[Korvanis]\r\nSprache = 1\r\n") << true;
        QTest::newRow("blanks around =") << QByteArray("[Korvanis]\r\nSprache = 1\r\n") << false;
        QTest::newRow("tabs, LF") << QByteArray("[Korvanis]\n\tSprache\t=\t1 \n") << true;
        QTest::newRow("quoted") << QByteArray("[Korvanis]\r\nSprache=\"1\"\r\n") << true;
        QTest::newRow("other case, last line without break") << QByteArray("[ KORVANIS ]\r\nsprache =1") << true;
        QTest::newRow("UTF-16") << utf16("[Korvanis]\r\nSprache = 1\r\n", QStringConverter::Utf16LE) << true;
    }
    void writingWhatTheFileHoldsChangesNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, readOnly);
        TempProgramDir dir;
        const QString name = dir.file("BRAIN.INI");
        QVERIFY(WriteBytes(name, content));
        if (readOnly)
            QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadUser));
        struct stat before {};
        QVERIFY(::stat(QFile::encodeName(name).constData(), &before) == 0);
        IniFile ini(name);
        ini.WriteInteger("Korvanis", "Sprache", ini.ReadInteger("Korvanis", "Sprache", 0));
        ini.WriteStrings("korvanis", {{"SPRACHE", "1"}});
        QCOMPARE(ReadBytes(name), content);
        struct stat after {};
        QVERIFY(::stat(QFile::encodeName(name).constData(), &after) == 0);
        QCOMPARE(after.st_ino, before.st_ino); // not even replaced by a copy of itself
        // A value it does not hold is still refused on a read-only file.
        bool refused = false;
        try {
            ini.WriteInteger("Korvanis", "Sprache", 0);
        } catch (const KorvanisError&) {
            refused = true;
        }
        QCOMPARE(refused, readOnly);
    }

    void failedWritesRaiseAndKeepTheFile_data()
    {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::newRow("read-only file") << Obstacle::ReadOnlyFile;
        QTest::newRow("folder in place of the file") << Obstacle::FolderInPlace;
        QTest::newRow("no room for the new file") << Obstacle::NoRoom;
        // Text that does not survive decoding would come back altered in lines
        // the write does not concern.
        QTest::newRow("UTF-16 with an odd last byte") << Obstacle::OddUtf16Byte;
        QTest::newRow("UTF-16 with half a surrogate pair") << Obstacle::LoneSurrogate;
    }

    void failedWritesRaiseAndKeepTheFile()
    {
        QFETCH(Obstacle, obstacle);
        TempProgramDir dir;
        const QString name = dir.file("BRAIN.INI");
        // Hand-entered times, so that a file lost to a failed write would show.
        QByteArray content("[Korvanis]\r\nSprache=1\r\n\r\n[Stoppuhr]\r\n");
        for (int level = 1; level <= 10; ++level)
            content += "Zeiten_1_" + QByteArray::number(level) + '=' + QByteArray::number(30 + level) + "\r\n";
        if (obstacle == Obstacle::OddUtf16Byte)
            content = utf16(QString::fromLatin1(content), QStringConverter::Utf16LE) + ';';
        if (obstacle == Obstacle::LoneSurrogate)
            content = utf16("; " + QString(QChar(0xD83D)) + "\r\n" + QString::fromLatin1(content), QStringConverter::Utf16BE);
        if (obstacle == Obstacle::FolderInPlace) {
            QVERIFY(QDir().mkdir(name));
        } else {
            QVERIFY(WriteBytes(name, content));
        }
        if (obstacle == Obstacle::ReadOnlyFile)
            QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadUser));
        IniFile ini(name);
        QCOMPARE(ini.ReadInteger("Korvanis", "Sprache", 0), obstacle == Obstacle::FolderInPlace ? 0 : 1);
        try {
            // The new file needs every byte of the old one and then some.
            const FileSizeLimit full(obstacle == Obstacle::NoRoom ? content.size() / 2 : RLIM_INFINITY);
            QVERIFY(full.isSet());
            ini.WriteInteger("Korvanis", "Sprache", 0);
            QFAIL("the write should have failed");
        } catch (const KorvanisError& e) {
            QCOMPARE(e.text(), QString("nach %1 kann nicht geschrieben werden").arg(name));
        }
        if (obstacle != Obstacle::FolderInPlace)
            QCOMPARE(ReadBytes(name), content);
        if (obstacle == Obstacle::ReadOnlyFile) {
            // Writing back what is already there is no failure.
            ini.WriteInteger("Korvanis", "Sprache", 1);
        }
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() <= 1); // no temporary left over
    }

    void writesClearWhatKilledWritesLeft()
    {
        TempProgramDir dir;
        const QString name = dir.file("BRAIN.INI");
        QVERIFY(WriteBytes(name, "[Korvanis]\r\nSprache=1\r\n"));
        QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        // A copy that was killed between writing its file and renaming it, and one
        // that runs (pid 1 always does) and may be writing right now.
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        QVERIFY(child > 0 && waitpid(child, nullptr, 0) == child);
        const QString dead = dir.file(".BRAIN.INI." + QString::number(child));
        const QString running = dir.file(".BRAIN.INI.1");
        QVERIFY(WriteBytes(dead, "[Korvanis]\r\nSpr"));
        QVERIFY(WriteBytes(running, "[Korvanis]\r\n"));
        IniFile(name).WriteInteger("Korvanis", "Sprache", 0);
        QVERIFY(!QFile::exists(dead));
        QVERIFY(QFile::exists(running));
        QCOMPARE(ReadBytes(name), QByteArray("[Korvanis]\r\nSprache=0\r\n"));
        // The new file keeps the old one's mode.
        struct stat status {};
        QVERIFY(::stat(QFile::encodeName(name).constData(), &status) == 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0640));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
