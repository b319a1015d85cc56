// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// A second running copy of the program as far as the training history goes,
// driven by test_history_store:
//   history_helper <folder> write <n>      records n attempts, then reports
//   history_helper <folder> write-forever  records until killed, counting aloud
//   history_helper <folder> write-and-wait <n>  records n attempts, reports, waits to be killed
#include "history/history_store.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const std::string command = argv[2];
    QStringList problems;
    HistoryStore store;
    store.setReporter([&problems](const HistoryProblem& problem) { problems << problem.detail; });
    store.open(QString::fromLocal8Bit(argv[1]));

    AttemptRecord attempt;
    attempt.discipline = 11;
    attempt.setting.count = 30;
    attempt.result.points = 0;
    if (command == "write" && argc == 4) {
        const int n = std::stoi(argv[3]);
        for (int i = 0; i < n; ++i) {
            attempt.result.points = i;
            store.record(attempt);
        }
        std::printf("pending=%zu problems=%s\n", store.pendingCount(), qPrintable(problems.join('|')));
        return 0;
    }
    if (command == "write-and-wait" && argc == 4) {
        const int n = std::stoi(argv[3]);
        for (int i = 0; i < n; ++i) {
            attempt.result.points = 1000 + i;
            store.record(attempt);
        }
        std::printf("pending=%zu\n", store.pendingCount());
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    if (command == "write-forever") {
        for (int i = 1;; ++i) {
            attempt.result.points = i;
            store.record(attempt);
            if (store.pendingCount() == 0)
                std::printf("%d\n", i);
            std::fflush(stdout);
        }
    }
    return 2;
}
