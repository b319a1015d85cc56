// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
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
        // A copy of the program in a folder of its own. It keeps its files there,
        // or, built for the user's folder, in a data folder of this test's.
        TempProgramDir dir;
        TempProgramDir home;
        QVERIFY(QFile::copy(QStringLiteral(KORVANIS_PROGRAM), dir.file("korvanis")));
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "qt.multimedia*=false");
        env.insert("XDG_DATA_HOME", home.path());
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(dir.path());
        const QStringList places = {dir.path(), home.path() + "Korvanis/"};
        if (messageAtStart) {
            for (const QString& place : places) {
                QDir().mkpath(place);
                QVERIFY(WriteBytes(place + "KORVANIS.SQLITE-wal", QByteArray(4096, 'x')));
            }
        }
        program.start(dir.file("korvanis"), {});
        QVERIFY(program.waitForStarted());
        // Both files are open once the table and the history's log are there; the
        // message shows once the leftover has gone aside.
        QString data;
        const auto started = [&] {
            for (const QString& place : places) {
                const bool history = messageAtStart ? !QDir(place).entryList({"KORVANIS-*.SQLITE-wal"}).isEmpty()
                                                    : QFileInfo::exists(place + "KORVANIS.SQLITE-wal");
                // The message stops the start before the records table is opened.
                if (history && (messageAtStart || QFileInfo::exists(place + "KORVANIS.DBF"))) {
                    data = place;
                    return true;
                }
            }
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(started(), 30000);
        QCOMPARE(program.state(), QProcess::Running);

        ::kill(pid_t(program.processId()), signal);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        if (!messageAtStart) {
            const QByteArray table = ReadBytes(data + "KORVANIS.DBF");
            QVERIFY(table.size() > 32);
            QCOMPARE(int(table[1]), 1);
        }
        QVERIFY(!QFileInfo::exists(data + "KORVANIS.SQLITE-wal"));
        QVERIFY(!QFileInfo::exists(data + "KORVANIS.SQLITE-shm"));
        QVERIFY(tablesIn(data + "KORVANIS.SQLITE").contains("attempts"));
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
