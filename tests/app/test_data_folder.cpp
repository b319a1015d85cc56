// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
//
// Where the program keeps the user's files and finds its own: the choice of the
// data folder, the program started from a folder nobody may write, and the
// signal sound wherever the program was started from.
#include "app/korvanis_application.h"
#include "app/main_win.h"
#include "app/startup.h"
#include "app/win_about.h"
#include "core/ini_file.h"
#include "core/program_folders.h"
#include "records/records_table.h"
#include "tests/support/fakes.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>
#include <grp.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder the test process cannot write while the object lives: the folder of
// an installed copy. Its permissions come back at the end, so it can be removed.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : path_(QFile::encodeName(path))
    {
        ::chmod(path_.constData(), 0555);
    }
    ~ReadOnlyFolder() { ::chmod(path_.constData(), 0755); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False where permissions bind nobody, as for root.
    bool holds() const
    {
        QFile probe(QFile::decodeName(path_) + QStringLiteral("/probe"));
        const bool written = probe.open(QIODevice::WriteOnly);
        if (written)
            probe.remove();
        return !written;
    }

private:
    QByteArray path_;
};

// Points the user's data folder (XDG_DATA_HOME) at a fresh folder for one test,
// so no test ever reaches the real ~/.local/share.
class UserHome {
public:
    UserHome() : previous_(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path())); }
    ~UserHome() { qputenv("XDG_DATA_HOME", previous_); }
    UserHome(const UserHome&) = delete;
    UserHome& operator=(const UserHome&) = delete;

    QString dataDir() const { return dir.file(QStringLiteral("Korvanis/")); }
    TempProgramDir dir;

private:
    QByteArray previous_;
};

// The files a folder holds, without SQLite's companions of an open database.
QStringList DataFilesIn(const QString& dir)
{
    QStringList names;
    for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (!name.endsWith(QLatin1String("-wal")) && !name.endsWith(QLatin1String("-shm")))
            names << name;
    }
    return names;
}

QStringList Sorted(QStringList names)
{
    names.sort();
    return names;
}

// Changes the working folder for one test, as a start from a menu or a terminal does.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& dir) : previous_(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~WorkingFolder() { QDir::setCurrent(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    QString previous_;
};

bool PutSound(const QString& dir)
{
    return QDir().mkpath(dir + QStringLiteral("Sounds")) && WriteBytes(dir + QStringLiteral("Sounds/Beep.wav"), "RIFF");
}

} // namespace

Q_DECLARE_METATYPE(DataFolderRule)

class TestDataFolder : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainWin> start(FakeServices& services, const QString& programDir,
                                    DataFolderRule rule = DataFolderRule::ProgramFolderFirst)
    {
        return CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                     programDir + QStringLiteral("korvanis"), rule);
    }

private Q_SLOTS:
    void dataFolderChoice_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<DataFolderRule>("rule");
        QTest::addColumn<bool>("inUserFolder");
        const auto first = DataFolderRule::ProgramFolderFirst;
        const auto user = DataFolderRule::UserFolder;
        QTest::newRow("empty writable folder") << QString() << false << first << false;
        QTest::newRow("writable folder with records") << "KORVANIS.DBF" << false << first << false;
        QTest::newRow("read-only folder with settings") << "BRAIN.INI" << true << first << false;
        QTest::newRow("read-only folder with history only") << "KORVANIS.SQLITE" << true << first << false;
        QTest::newRow("read-only empty folder") << QString() << true << first << true;
        QTest::newRow("read-only folder with other files") << "korvanis" << true << first << true;
        QTest::newRow("packaged, writable folder with records") << "KORVANIS.DBF" << false << user << true;
    }

    void dataFolderChoice()
    {
        QFETCH(QString, held);
        QFETCH(bool, readOnly);
        QFETCH(DataFolderRule, rule);
        QFETCH(bool, inUserFolder);
        TempProgramDir program;
        UserHome home;
        if (!held.isEmpty())
            QVERIFY(WriteBytes(program.file(held), "x"));
        std::optional<ReadOnlyFolder> locked;
        if (readOnly)
            locked.emplace(program.path());
        if (locked && !locked->holds())
            QSKIP("this user writes folders without write permission");

        const QString chosen = ChooseDataDir(program.path(), home.dataDir(), rule);
        QCOMPARE(chosen, inUserFolder ? home.dataDir() : program.path());
        // The user's folder exists once it is chosen, and is made only then; the
        // probe leaves nothing behind.
        QCOMPARE(QFileInfo(home.dataDir()).isDir(), inUserFolder);
        QCOMPARE(DataFilesIn(program.path()), held.isEmpty() ? QStringList() : QStringList(held));
    }

    void userFolderEndsInOneSeparator()
    {
        UserHome home;
        TempProgramDir program;
        const QString bare = home.dir.file(QStringLiteral("deeper/Korvanis"));
        QCOMPARE(ChooseDataDir(program.path(), bare, DataFolderRule::UserFolder), bare + QLatin1Char('/'));
        QVERIFY(QFileInfo(bare).isDir());
        QCOMPARE(UserDataDir(), home.dataDir());
    }

    // A first start makes every data file the choice looks for, and no other: a
    // file added elsewhere and missing from the list would not keep a program
    // folder that holds only it.
    void firstStartMakesExactlyTheDataFiles()
    {
        FakeServices services;
        TempProgramDir program;
        auto win = start(services, program.path());
        QCOMPARE(services.dialogs.errors, QStringList());
        QCOMPARE(win->context().DataDir, program.path());
        QCOMPARE(DataFilesIn(program.path()), Sorted(DataFileNames()));
    }

    void readOnlyProgramFolderKeepsEverythingInTheUsersFolder()
    {
        UserHome home;
        TempProgramDir program;
        QVERIFY(PutSound(program.path()));
        ReadOnlyFolder locked(program.path());
        if (!locked.holds())
            QSKIP("this user writes folders without write permission");
        {
            FakeServices services;
            auto win = start(services, program.path());
            AppContext& ctx = win->context();
            QCOMPARE(ctx.DataDir, home.dataDir());
            QCOMPARE(ctx.ProgramDir, program.path());
            QCOMPARE(DataFilesIn(home.dataDir()), Sorted(DataFileNames()));
            QCOMPARE(IniFile(ctx.settingsFile()).ReadInteger("Korvanis", "Training Zahlen Anzahl", -1), 200);

            // Records and history are on, and a window that closes writes its settings.
            QVERIFY(ctx.DBDaten.isOpen());
            ctx.DBDaten.StoreBestTime(0, 200, 2, 61.5);
            QCOMPARE(ctx.DBDaten.LookupBestTime(0, 200, 2), std::optional<double>(61.5));
            QCOMPARE(win->history().state(), HistoryStore::State::Writable);
            for (QDialog* window : {win->windows().WinZahlen, win->windows().WinBinaer, win->windows().WinKarten,
                                    win->windows().WinQuendor, win->windows().WinSpoken})
                window->reject();
            QCOMPARE(services.dialogs.errors, QStringList());

            // The about window tells where the files are.
            auto* about = qobject_cast<TWinAbout*>(win->windows().WinAbout);
            QCOMPARE(about->labDaten->toolTip(), QDir::toNativeSeparators(home.dataDir()));
            QVERIFY(about->labDaten->text().startsWith(QLatin1String("Daten: ")));
            QVERIFY(about->labDaten->fontMetrics().horizontalAdvance(about->labDaten->text())
                    <= about->labDaten->width());
        }
        QCOMPARE(DataFilesIn(program.path()), QStringList());

        // The next start finds the language and the record where it left them.
        IniFile(home.dataDir() + QStringLiteral("BRAIN.INI")).WriteInteger("Korvanis", "Sprache", 1);
        FakeServices services;
        auto win = start(services, program.path());
        QCOMPARE(win->context().Language, 1);
        QCOMPARE(win->menuBar()->actions().first()->text(), QString("&File"));
        QCOMPARE(win->context().DBDaten.LookupBestTime(0, 200, 2), std::optional<double>(61.5));
        QCOMPARE(services.dialogs.errors, QStringList());
    }

    void packagedProgramNeverWritesItsOwnFolder()
    {
        UserHome home;
        TempProgramDir program;
        FakeServices services;
        auto win = start(services, program.path(), DataFolderRule::UserFolder);
        QCOMPARE(win->context().DataDir, home.dataDir());
        QCOMPARE(DataFilesIn(program.path()), QStringList());
        QCOMPARE(services.dialogs.errors, QStringList());
    }

    // A settings file that cannot be written stops the main window's creation,
    // with its error box; the history must not go quietly with it.
    void historyIsOnWhenTheSettingsCannotBeWritten()
    {
        TempProgramDir program;
        QVERIFY(QDir().mkdir(program.file("BRAIN.INI")));
        FakeServices services;
        auto win = start(services, program.path());
        QVERIFY(!services.dialogs.errors.isEmpty());
        QCOMPARE(win->history().state(), HistoryStore::State::Writable);
    }

    void shippedFiles_data()
    {
        QTest::addColumn<QString>("soundsIn");
        QTest::addColumn<QString>("expected");
        QTest::newRow("built or unpacked copy") << "bin/" << "bin/";
        QTest::newRow("installed") << "share/korvanis/" << "share/korvanis/";
        QTest::newRow("both: the program's own folder wins") << "bin/,share/korvanis/" << "bin/";
        QTest::newRow("no sounds anywhere") << "" << "bin/";
    }

    void shippedFiles()
    {
        QFETCH(QString, soundsIn);
        QFETCH(QString, expected);
        TempProgramDir prefix;
        QVERIFY(QDir().mkpath(prefix.file("bin")));
        for (const QString& dir : soundsIn.split(QLatin1Char(','), Qt::SkipEmptyParts))
            QVERIFY(PutSound(prefix.file(dir)));
        QCOMPARE(ShippedFilesDir(prefix.file("bin/korvanis")), prefix.file(expected));
    }

    void signalSound_data()
    {
        QTest::addColumn<bool>("inWorkingFolder");
        QTest::addColumn<bool>("inProgramFolder");
        QTest::addColumn<bool>("relative");
        QTest::newRow("started in its folder") << true << true << true;
        QTest::newRow("started from a menu") << false << true << false;
        QTest::newRow("other sounds where it starts") << true << false << true;
        QTest::newRow("no sound anywhere") << false << false << true;
    }

    void signalSound()
    {
        QFETCH(bool, inWorkingFolder);
        QFETCH(bool, inProgramFolder);
        QFETCH(bool, relative);
        TempProgramDir working;
        TempProgramDir program;
        if (inWorkingFolder)
            QVERIFY(PutSound(working.path()));
        if (inProgramFolder)
            QVERIFY(PutSound(program.path()));
        WorkingFolder cd(working.path());
        RecordsTable records;
        FakeServices services;
        AppContext ctx(records, services.tick, services.wave, services.dialogs, services.random);
        ctx.ProgramDir = program.path();
        QCOMPARE(ctx.signalSound(), relative ? QString("Sounds/Beep.wav") : program.file("Sounds/Beep.wav"));
    }
};

// Root writes folders whatever their permissions say, and CI runs as root: this
// test then runs as the unprivileged user nobody, as the program's users do,
// with a home of its own so no library writes into root's.
static void RunAsUser(const QTemporaryDir& home)
{
    if (::geteuid() != 0)
        return;
    const QByteArray path = QFile::encodeName(home.path());
    const uid_t nobody = 65534;
    const gid_t nogroup = 65534;
    if (::chown(path.constData(), nobody, nogroup) != 0 || ::setgroups(0, nullptr) != 0 || ::setgid(nogroup) != 0
        || ::setuid(nobody) != 0)
        qWarning("could not drop root: read-only folders are not read-only here");
    qputenv("HOME", path);
    qputenv("XDG_RUNTIME_DIR", path);
}

int main(int argc, char** argv)
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/korvanis-home-XXXXXX"));
    RunAsUser(home);
    KorvanisApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    ScriptedDialogs escaped;
    app.setErrorDialogs(&escaped);
    TestDataFolder test;
    QTEST_SET_MAIN_SOURCE_PATH
    const int failed = QTest::qExec(&test, argc, argv);
    for (const QString& error : std::as_const(escaped.errors))
        qWarning("escaped a handler: %s", qPrintable(error));
    return failed + int(escaped.errors.size());
}
#include "test_data_folder.moc"
