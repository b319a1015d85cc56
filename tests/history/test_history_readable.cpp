// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// The history file as another tool reads it, and the marks a user sets on its
// attempts: the names table and the readable view that a migration adds, the
// names kept in step with the program, marks that leave the statistics and come
// back with undo.
#include "core/disciplines.h"
#include "history/history_statistics.h"
#include "history/history_store.h"
#include "history/mark_undo.h"
#include "history/readable_schema.h"
#include "tests/support/fakes.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Store {
    explicit Store(const TempProgramDir& dir, const QDateTime& now = {})
    {
        if (now.isValid())
            clock = now;
        store.setClock([this] { return clock; });
        store.open(dir.path());
    }
    void record(int points, qint64 laterSeconds = 60)
    {
        AttemptRecord a;
        a.discipline = 11;
        a.setting.count = 30;
        a.result.points = points;
        store.record(a);
        clock = clock.addSecs(laterSeconds);
    }
    std::vector<StoredAttempt> attempts() { return store.attempts(11, {30, {}, {}, {}, {}}); }
    QDateTime clock = QDateTime(QDate(2024, 5, 1), QTime(14, 30, 0), Qt::OffsetFromUTC, 7200);
    HistoryStore store;
};

// The rows the sqlite3 program prints for a query, fields split at '|'.
QStringList sqlite3(const QString& file, const QString& sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {file, sql});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return {QStringLiteral("sqlite3 failed: ") + QString::fromUtf8(p.readAllStandardError())};
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// The points of attempts, newest first, with '-' after a marked one and 'x'
// after a deleted one.
QStringList marked(const std::vector<StoredAttempt>& attempts)
{
    QStringList out;
    for (const StoredAttempt& s : attempts)
        out << QString::number(*s.attempt.result.points)
                + (s.mark == AttemptMark::Marked ? "-" : s.mark == AttemptMark::Deleted ? "x" : "");
    return out;
}

} // namespace

class TestHistoryReadable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aNewFileNamesEveryDiscipline()
    {
        TempProgramDir dir;
        { Store s(dir); }
        const QStringList rows =
            sqlite3(dir.file("KORVANIS.SQLITE"), "SELECT code, name_de, name_en, kind FROM disciplines ORDER BY code");
        QCOMPARE(rows, QStringList({
                           "0|Zahlen – Bildertraining|Numbers – picture training|picture run",
                           "1|Binärzahlen – Bildertraining|Binary numbers – picture training|picture run",
                           "2|Spielkarten|Playing cards|picture run",
                           "10|Zahlen – Memorieren|Numbers – memorisation|scored attempt",
                           "11|Binärzahlen – Memorieren|Binary numbers – memorisation|scored attempt",
                           "12|Spielkarten – Memorieren|Playing cards – memorisation|scored attempt",
                           "13|Gesprochene Zahlen|Spoken numbers|scored attempt",
                       }));
    }

    void theViewShowsLocalTimesAndNames_data()
    {
        QTest::addColumn<int>("offsetSeconds");
        QTest::addColumn<QString>("local");
        // The attempt took 90 s and ended at 14:30 local time: it began at 14:28:30.
        QTest::newRow("summer time in Berlin") << 7200 << "2024-05-01 14:28:30";
        QTest::newRow("New York") << -4 * 3600 << "2024-05-01 14:28:30";
        QTest::newRow("Kathmandu") << 5 * 3600 + 45 * 60 << "2024-05-01 14:28:30";
        QTest::newRow("UTC") << 0 << "2024-05-01 14:28:30";
    }

    void theViewShowsLocalTimesAndNames()
    {
        QFETCH(int, offsetSeconds);
        QFETCH(QString, local);
        TempProgramDir dir;
        {
            Store s(dir, QDateTime(QDate(2024, 5, 1), QTime(14, 30), Qt::OffsetFromUTC, offsetSeconds));
            AttemptRecord a;
            a.discipline = 13;
            a.setting = {100, {}, {}, 5, 2000};
            a.result = {{}, 42, 44, 1, 60.0, 30.0};
            s.store.record(a);
            AttemptRecord unknown;
            unknown.discipline = 77;
            unknown.result.points = 3;
            s.store.record(unknown);
        }
        const QStringList rows = sqlite3(dir.file("KORVANIS.SQLITE"),
                                         "SELECT started_local, discipline_code, discipline_de, discipline_en, kind,"
                                         " item_count, pulse_ms, recall_minutes, points, set_aside IS NULL"
                                         " FROM attempts_readable ORDER BY id");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0], local + "|13|Gesprochene Zahlen|Spoken numbers|scored attempt|100|2000|5|42|1");
        // A code no version of the program has named yet still shows, unnamed.
        QCOMPARE(rows[1], "2024-05-01 14:30:00|77|||||||3|1");
    }

    void theNamesFollowTheProgramAtEveryOpen_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("renamed") << "UPDATE disciplines SET name_en = 'old name' WHERE code = 12";
        QTest::newRow("missing") << "DELETE FROM disciplines WHERE code = 12";
        QTest::newRow("kind") << "UPDATE disciplines SET kind = 'x' WHERE code = 12";
        QTest::newRow("all gone") << "DELETE FROM disciplines WHERE code < 99";
    }

    void theNamesFollowTheProgramAtEveryOpen()
    {
        QFETCH(QString, change);
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        { Store s(dir); }
        // A code a later version added stays as that version wrote it.
        QCOMPARE(sqlite3(file, "INSERT INTO disciplines VALUES (99, 'Neu', 'New', 'scored attempt');" + change),
                 QStringList());
        { Store s(dir); }
        const QStringList rows = sqlite3(file, "SELECT code, name_en, kind FROM disciplines ORDER BY code");
        QCOMPARE(rows.size(), int(AllDisciplines().size()) + 1);
        QVERIFY(rows.contains("12|Playing cards – memorisation|scored attempt"));
        QCOMPARE(rows.last(), QString("99|New|scored attempt"));
    }

    void aSecondOpenWritesNothingWhenTheNamesAreRight()
    {
        TempProgramDir dir;
        { Store s(dir); }
        const QString file = dir.file("KORVANIS.SQLITE");
        const QByteArray bytes = ReadBytes(file);
        { Store s(dir); }
        QCOMPARE(ReadBytes(file), bytes);
    }

    void aFileOfTheVersionBeforeGainsTheNamesAndKeepsItsAttempts()
    {
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        QString script;
        for (const HistoryMigration& step : HistoryMigrations()) {
            if (step.version < 3)
                script += step.statements.join(";\n") + ";\n";
        }
        script += "PRAGMA user_version = 2;\n"
                  "INSERT INTO attempts (discipline, count, points, completed, saved_as_record, started_utc,"
                  " utc_offset_s) VALUES (11, 30, 17, 1, 0, '2023-01-02T03:04:05.000Z', 3600);";
        QCOMPARE(sqlite3(file, script), QStringList());
        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::Writable);
        QVERIFY(s.store.canMark());
        QCOMPARE(marked(s.attempts()), QStringList{"17"});
        QCOMPARE(sqlite3(file, "SELECT started_local, discipline_en, set_aside IS NULL FROM attempts_readable"),
                 QStringList{"2023-01-02 04:04:05|Binary numbers – memorisation|1"});
        QVERIFY(sqlite3(file, "PRAGMA user_version").value(0).toInt() >= 3);
    }

    void aReadOnlyFileOfTheVersionBeforeIsShownWithoutMarks()
    {
        TempProgramDir dir;
        const QString file = dir.file("KORVANIS.SQLITE");
        QString script;
        for (const HistoryMigration& step : HistoryMigrations()) {
            if (step.version < 3)
                script += step.statements.join(";\n") + ";\n";
        }
        script += "PRAGMA user_version = 2;"
                  "INSERT INTO attempts (discipline, count, points, completed, saved_as_record, started_utc,"
                  " utc_offset_s) VALUES (11, 30, 17, 1, 0, '2023-01-02T03:04:05.000Z', 3600);";
        QCOMPARE(sqlite3(file, script), QStringList());
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        Store s(dir);
        QCOMPARE(s.store.state(), HistoryStore::State::ReadOnly);
        QVERIFY(!s.store.canMark());
        QCOMPARE(marked(s.attempts()), QStringList{"17"});
        QVERIFY(!s.store.setMarks(MarkUndo::ChangesTo(s.attempts(), AttemptMark::Marked)).isEmpty());
    }

    // Commands on the attempts 10, 20, ..., 60 (newest first: 60 .. 10): "m" marks
    // (or unmarks) the listed attempts, "d" deletes (or restores) them, "u" undoes
    // the last command.
    void marksLeaveTheStatisticsAndComeBackWithUndo_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("median");
        QTest::newRow("nothing") << QStringList{} << QStringList{"60", "50", "40", "30", "20", "10"} << "35";
        QTest::newRow("a lost attempt marked") << QStringList{"m 10"} << QStringList{"60", "50", "40", "30", "20", "10-"}
                                               << "40";
        QTest::newRow("marked twice: counts again")
            << QStringList{"m 10", "m 10"} << QStringList{"60", "50", "40", "30", "20", "10"} << "35";
        QTest::newRow("some marked: all marked")
            << QStringList{"m 10", "m 10 20"} << QStringList{"60", "50", "40", "30", "20-", "10-"} << "45";
        QTest::newRow("deleted") << QStringList{"d 60 50"} << QStringList{"60x", "50x", "40", "30", "20", "10"}
                                 << "25";
        QTest::newRow("deleted, undone") << QStringList{"d 60 50", "u"}
                                         << QStringList{"60", "50", "40", "30", "20", "10"} << "35";
        QTest::newRow("marked then deleted, undone once")
            << QStringList{"m 10", "d 10 20", "u"} << QStringList{"60", "50", "40", "30", "20", "10-"} << "40";
        QTest::newRow("undone to the start, one more undo is nothing")
            << QStringList{"m 10", "d 10 20", "u", "u", "u"} << QStringList{"60", "50", "40", "30", "20", "10"}
            << "35";
        QTest::newRow("a deleted one restored") << QStringList{"d 30", "d 30"}
                                                << QStringList{"60", "50", "40", "30", "20", "10"} << "35";
        QTest::newRow("all set aside") << QStringList{"m 10 20 30", "d 40 50 60"}
                                       << QStringList{"60x", "50x", "40x", "30-", "20-", "10-"} << "";
    }

    void marksLeaveTheStatisticsAndComeBackWithUndo()
    {
        QFETCH(QStringList, commands);
        QFETCH(QStringList, after);
        QFETCH(QString, median);
        TempProgramDir dir;
        MarkUndo undo;
        {
            Store s(dir);
            for (int points = 10; points <= 60; points += 10)
                s.record(points);
            for (const QString& command : commands) {
                QStringList words = command.split(' ');
                const QString what = words.takeFirst();
                if (what == "u") {
                    QCOMPARE(s.store.setMarks(undo.takeUndo()), QString());
                    continue;
                }
                std::vector<StoredAttempt> chosen;
                for (const StoredAttempt& a : s.attempts()) {
                    if (words.contains(QString::number(*a.attempt.result.points)))
                        chosen.push_back(a);
                }
                const AttemptMark mark = what == "m" ? AttemptMark::Marked : AttemptMark::Deleted;
                std::vector<MarkChange> changes = MarkUndo::ChangesTo(chosen, MarkUndo::Toggled(chosen, mark));
                QCOMPARE(s.store.setMarks(changes), QString());
                undo.done(changes);
            }
        }
        // The marks are in the file: a new start reads them.
        Store s(dir);
        QCOMPARE(marked(s.attempts()), after);
        const HistoryStatistics stats = ComputeStatistics(s.attempts());
        QCOMPARE(stats.medianOfLastTen ? QString::number(*stats.medianOfLastTen) : QString(), median);
        QCOMPARE(stats.attempts, int(after.size() - after.filter(QRegularExpression("[-x]$")).size()));
        // Another tool sees the same marks.
        const QStringList words = sqlite3(dir.file("KORVANIS.SQLITE"),
                                          "SELECT points || coalesce(set_aside, '') FROM attempts_readable"
                                          " ORDER BY started_utc DESC");
        QStringList expected;
        for (QString a : after)
            expected << a.replace("-", "marked").replace("x", "deleted");
        QCOMPARE(words, expected);
    }

    // An undo kept from before must not land on another attempt: one whose mark
    // another copy changed since, or a row of the same number in a new file.
    void aChangeMeetsOnlyTheAttemptItWasMadeFor_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("another copy marked it") << "UPDATE attempts SET set_aside = 'deleted' WHERE points = 20";
        QTest::newRow("a new file with other attempts")
            << "DELETE FROM attempts; INSERT INTO attempts (id, discipline, count, points, completed,"
               " saved_as_record, started_utc, utc_offset_s, set_aside) VALUES (1, 11, 30, 99, 1, 0,"
               " '2025-01-01T00:00:00.000Z', 0, 'marked'), (2, 11, 30, 98, 1, 0, '2025-01-01T00:01:00.000Z', 0,"
               " 'marked')";
    }

    void aChangeMeetsOnlyTheAttemptItWasMadeFor()
    {
        QFETCH(QString, meanwhile);
        TempProgramDir dir;
        Store s(dir);
        s.record(10);
        s.record(20);
        MarkUndo undo;
        std::vector<MarkChange> changes = MarkUndo::ChangesTo(s.attempts(), AttemptMark::Marked);
        QCOMPARE(s.store.setMarks(changes), QString());
        undo.done(changes);
        QCOMPARE(sqlite3(dir.file("KORVANIS.SQLITE"), meanwhile), QStringList());
        const QStringList before = marked(s.attempts());
        const std::vector<MarkChange> back = undo.takeUndo();
        QVERIFY(!s.store.setMarks(back).isEmpty());
        // All or none: the attempt that was still as expected kept its mark too.
        QCOMPARE(marked(s.attempts()), before);
        undo.putBack(back);
        QVERIFY(undo.canUndo());
    }

    void theFileRefusesAMarkItDoesNotKnow()
    {
        TempProgramDir dir;
        { Store s(dir); s.record(5); }
        QVERIFY(sqlite3(dir.file("KORVANIS.SQLITE"), "UPDATE attempts SET set_aside = 'gone'")
                    .value(0)
                    .startsWith("sqlite3 failed"));
    }
};

QTEST_GUILESS_MAIN(TestHistoryReadable)
#include "test_history_readable.moc"
