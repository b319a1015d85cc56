// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// What the user reads about the history file: in either language, every message
// names the file and fills in everything the store said, so no "%2" reaches a
// message box and no name of a file set aside is left out.
#include "core/app_context.h"
#include "history/history_messages.h"
#include "history/history_store.h"
#include "records/records_table.h"
#include "tests/support/fakes.h"

#include <QRegularExpression>
#include <QtTest>

Q_DECLARE_METATYPE(HistoryProblem)

class TestHistoryMessages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyMessageSaysWhatHappenedInBothLanguages_data()
    {
        QTest::addColumn<HistoryProblem>("problem");
        QTest::addColumn<QStringList>("mentions");
        const auto problem = [](HistoryProblem::Kind kind) {
            HistoryProblem p;
            p.kind = kind;
            p.fileName = "/home/anna/Korvanis/KORVANIS.SQLITE";
            return p;
        };
        const QString file = "/home/anna/Korvanis/KORVANIS.SQLITE";
        HistoryProblem p = problem(HistoryProblem::CannotOpen);
        p.detail = "disk I/O error";
        QTest::newRow("cannot open") << p << QStringList{file, p.detail};
        p = problem(HistoryProblem::SetAside);
        p.setAsideAs = "KORVANIS-2024-05-01-143000.SQLITE";
        p.detail = "database disk image is malformed";
        QTest::newRow("set aside") << p << QStringList{file, p.setAsideAs, p.detail};
        QTest::newRow("read-only") << problem(HistoryProblem::ReadOnly) << QStringList{file};
        QTest::newRow("newer version") << problem(HistoryProblem::NewerVersion) << QStringList{file};
        p = problem(HistoryProblem::WriteFailed);
        p.detail = "database or disk is full";
        QTest::newRow("write failed") << p << QStringList{file, p.detail};
        p = problem(HistoryProblem::ReadFailed);
        p.detail = "disk I/O error";
        QTest::newRow("read failed") << p << QStringList{file, p.detail};
        p = problem(HistoryProblem::LeftoversSetAside);
        p.detail = "KORVANIS.SQLITE-wal, KORVANIS.SQLITE-shm";
        p.setAsideAs = "KORVANIS-2024-05-01-143000.SQLITE-wal, KORVANIS-2024-05-01-143000.SQLITE-shm";
        QTest::newRow("leftovers set aside") << p << QStringList{file, p.detail, p.setAsideAs};
        p = problem(HistoryProblem::KeptForLater);
        p.attempts = 3;
        p.keptIn = "KORVANIS.SQLITE.4711.pending.json";
        QTest::newRow("kept for later") << p << QStringList{file, "3", p.keptIn};
        p = problem(HistoryProblem::Merged);
        p.attempts = 5;
        p.keptIn = "KORVANIS.SQLITE.4711.pending.json, KORVANIS.SQLITE.4712.pending.json";
        QTest::newRow("merged") << p << QStringList{file, "5", p.keptIn};
        p = problem(HistoryProblem::Lost);
        p.attempts = 2;
        p.keptIn = "KORVANIS.SQLITE.4711.pending.json";
        p.detail = "File too large";
        QTest::newRow("lost") << p << QStringList{file, "2", p.keptIn, p.detail};
        p = problem(HistoryProblem::WaitingUnreadable);
        p.keptIn = "KORVANIS.SQLITE.4711.pending.json";
        p.detail = "unterminated object";
        QTest::newRow("waiting file unreadable") << p << QStringList{p.keptIn, p.detail};
    }

    void everyMessageSaysWhatHappenedInBothLanguages()
    {
        QFETCH(HistoryProblem, problem);
        QFETCH(QStringList, mentions);
        RecordsTable records;
        FakeServices services;
        AppContext ctx{records, services.tick, services.wave, services.dialogs, services.random};
        QStringList texts;
        for (int language : {0, 1}) {
            ctx.Language = language;
            const QString text = HistoryProblemText(ctx, problem);
            for (const QString& mention : mentions)
                QVERIFY2(text.contains(mention), qPrintable(text));
            QVERIFY2(!text.contains(QRegularExpression("%\\d")), qPrintable(text));
            texts << text;
        }
        QVERIFY(texts[0] != texts[1]);
    }
};

QTEST_GUILESS_MAIN(TestHistoryMessages)
#include "test_history_messages.moc"
