// A logout, a shutdown or Ctrl+C ends the program as "Beenden" does: the windows
// close through their own handlers, the records table gets its closing mark and
// the training history is whole in its file, without a log beside it.
#include "app/main_win.h"
#include "app/quit_signals.h"
#include "app/startup.h"
#include "tests/support/fakes.h"

#include <QMessageBox>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <csignal>

namespace {

QStringList tablesIn(const QString& file)
{
    QStringList tables;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), db);
            while (q.next())
                tables << q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return tables;
}

} // namespace

class TestOrderlyQuit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aSignalEndsTheProgramAsBeendenDoes_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("messageAtStart");
        QTest::newRow("SIGTERM (a logout, a shutdown)") << int(SIGTERM) << false;
        QTest::newRow("SIGINT (Ctrl+C)") << int(SIGINT) << false;
        QTest::newRow("SIGHUP (the terminal closed)") << int(SIGHUP) << false;
        // The start shows that it set a leftover log aside and waits for an answer.
        QTest::newRow("SIGTERM while the start shows a message") << int(SIGTERM) << true;
    }

    void aSignalEndsTheProgramAsBeendenDoes()
    {
        QFETCH(int, signal);
        QFETCH(bool, messageAtStart);
        // A copy of the program in a folder of its own, where it keeps its files.
        TempProgramDir dir;
        QVERIFY(QFile::copy(QStringLiteral(KORVANIS_PROGRAM), dir.file("korvanis")));
        if (messageAtStart)
            QVERIFY(WriteBytes(dir.file("KORVANIS.SQLITE-wal"), QByteArray(4096, 'x')));
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "qt.multimedia*=false");
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(dir.path());
        program.start(dir.file("korvanis"), {});
        QVERIFY(program.waitForStarted());
        // Both files are open once the history's log is there; the message shows
        // once the leftover has gone aside.
        const auto started = [&] {
            if (messageAtStart)
                return !QDir(dir.path()).entryList({"KORVANIS-*.SQLITE-wal"}).isEmpty();
            return QFileInfo::exists(dir.file("KORVANIS.SQLITE-wal"));
        };
        QTRY_VERIFY_WITH_TIMEOUT(started(), 30000);
        QVERIFY(QFileInfo::exists(dir.file("KORVANIS.DBF")));
        QCOMPARE(program.state(), QProcess::Running);

        ::kill(pid_t(program.processId()), signal);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QByteArray table = ReadBytes(dir.file("KORVANIS.DBF"));
        QVERIFY(table.size() > 32);
        QCOMPARE(int(table[1]), 1);
        QVERIFY(!QFileInfo::exists(dir.file("KORVANIS.SQLITE-wal")));
        QVERIFY(!QFileInfo::exists(dir.file("KORVANIS.SQLITE-shm")));
        QCOMPARE(tablesIn(dir.file("KORVANIS.SQLITE")), QStringList("attempts"));
    }

    // A question on top of a training window: the question goes first, then the
    // window (through its own close handler), then the main window.
    void theOpenWindowsCloseTopmostFirst()
    {
        FakeServices services;
        TempProgramDir dir;
        auto main = CreateKorvanisWindows(services.tick, services.wave, services.dialogs, services.random,
                                          dir.file("korvanis"));
        main->show();
        QuitSignals quitSignals;
        QDialog* zahlen = main->windows().WinZahlen;
        QStringList closed;
        QObject::connect(zahlen, &QDialog::finished, [&] { closed << "Zahlen"; });
        QTimer::singleShot(0, zahlen, [&] {
            QMessageBox question(QMessageBox::Question, "Korvanis", "?", QMessageBox::Yes | QMessageBox::No, zahlen);
            QObject::connect(&question, &QDialog::finished, [&] { closed << "question"; });
            QTimer::singleShot(0, [] { ::raise(SIGTERM); });
            question.exec();
        });
        main->mZahlen->trigger();
        QCOMPARE(closed, QStringList({"question", "Zahlen"}));
        QVERIFY(!zahlen->isVisible());
        QVERIFY(!main->isVisible());
    }
};

QTEST_MAIN(TestOrderlyQuit)
#include "test_orderly_quit.moc"
