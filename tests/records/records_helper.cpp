// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
// A second running copy of the program as far as the records table goes, driven by
// tst_records_access:
//   records_helper <folder> probe           open, look up, try a store, close
//   records_helper <folder> store-and-wait  open, store, report, wait to be killed
//   records_helper <folder> store-several   open, store a new best time, move one
//                                           in the times index, add and edit a
//                                           points record, close
#include "core/error_handler.h"
#include "records/records_table.h"
#include "tests/support/fakes.h"

#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const std::string command = argv[2];
    ScriptedDialogs dialogs;
    RecordsTable records;
    RunGuarded(dialogs, [&] { records.OpenRecordsTable(folder); });

    if (command == "probe") {
        const std::optional<double> best = records.LookupBestTime(0, 200, 2);
        RunGuarded(dialogs, [&] { records.StoreBestTime(0, 200, 2, 1.0); });
        std::printf("open=%d best=%s errors=%s\n", records.isOpen() ? 1 : 0,
                    best ? QByteArray::number(*best).constData() : "none",
                    dialogs.errors.join(QLatin1Char('|')).toUtf8().constData());
        records.CloseRecordsTable();
        return 0;
    }
    if (command == "store-several") {
        records.StoreBestTime(0, 700, 7, 33.5);
        records.StoreBestTime(1, 2, 2, 1.25);
        records.StorePointsRecord(10, 400, 300, 600, 120, 299.5, 512);
        records.StorePointsRecord(10, 380, 300, 600, 130, 280, 590);
        records.CloseRecordsTable();
        return 0;
    }
    if (command == "store-and-wait") {
        records.StoreBestTime(0, 300, 3, 12.5);
        std::puts("stored");
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    return 2;
}
