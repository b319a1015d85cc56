// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class XBaseTable;

// The personal-records table KORVANIS.DBF with its count index (KORVANIS.NTX) and
// times index (KORVANI2.NTX). This is the program's one connection to the table
// (the main window's DBDaten); every training window reaches it through the
// application context.
class RecordsTable {
public:
    RecordsTable();
    ~RecordsTable();
    RecordsTable(const RecordsTable&) = delete;
    RecordsTable& operator=(const RecordsTable&) = delete;

    // Opens the table in programDir (ending in '/'), creating it when missing (or
    // empty) and converting an old layout. A failure to create a missing table is
    // raised as KorvanisError; every later failure ends the call silently, leaving
    // the table closed or open without indexes. A table marked read-only is opened
    // for lookups only and never converted.
    void OpenRecordsTable(const QString& programDir);
    // Closes the table and marks the header's update year byte with 1.
    void CloseRecordsTable();

    bool isOpen() const;

    // Lookups find nothing on a closed or unindexed table.
    std::optional<double> LookupBestTime(int code, int count, int perLine);
    std::optional<double> LookupPointsRecord(int code, double memoTime, double recallTime);
    // The same by a key PointsKey built, for a caller that needs the key anyway.
    std::optional<double> LookupPointsRecord(const QString& key);
    // A points record with the memorisation time stored with it (ZEIT_NUTZ), for
    // disciplines in which equal points are better in less time.
    struct PointsEntry {
        double points = 0;
        std::optional<double> memoTimeUsed;  // none when the field is blank
    };
    std::optional<PointsEntry> LookupPointsEntry(const QString& key);

    // Other programs take no notice of the lock: before every lookup and store the
    // table is compared with the file under its name, and opened afresh, with its
    // indexes rebuilt, when another program has written, replaced or removed it.
    // A lookup then finds nothing if it cannot be opened again.
    //
    // Stores raise KorvanisError when the table is closed or read-only, cannot be
    // opened again after another program changed it, a value does not fit, or the
    // record cannot be written; a store that fails leaves the table as it was.
    void StoreBestTime(int code, int count, int perLine, double time);
    void StorePointsRecord(int code, int count, double memoTime, double recallTime, int points,
                           double memoTimeUsed, double recallTimeUsed);

    // The orders of the count index and the times index in the open table; 0
    // while the table is closed or has no such index.
    int CountIndexOrder() const { return countIndexOrder_; }
    int TimesIndexOrder() const { return timesIndexOrder_; }

    // The date stored with a record; tests fix it.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

private:
    void OpenHeldTable();
    std::unique_ptr<XBaseTable> ConvertOldTable(std::unique_ptr<XBaseTable> old);
    void Reopen();
    bool FollowTheFile();
    void Store(const int& order, const QString& indexName, const std::function<void(QDate)>& write);
    void RequireWritable() const;
    void RequireIndex(int order, const QString& indexName) const;

    std::unique_ptr<XBaseTable> table_;
    int countIndexOrder_ = 0;
    int timesIndexOrder_ = 0;
    // The table was open until another program changed it and it could not be
    // opened again; each store tries once more.
    bool lost_ = false;
    QString programDir_;
    std::function<QDate()> today_ = [] { return QDate::currentDate(); };
};

// The lookup keys, built exactly like the index expressions, with '.' as the
// decimal point whatever the locale. A value that would not fit its part of the
// key gives no key at all.
std::optional<QString> BestTimeKey(int code, int count, int perLine);
std::optional<QString> PointsKey(int code, double memoTime, double recallTime);
