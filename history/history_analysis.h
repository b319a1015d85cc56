// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_connection.h"
#include "history/item_tally.h"

#include <QDate>
#include <QString>
#include <atomic>
#include <functional>
#include <vector>

// The months an analysis looks at, both included, as yyyymm.
struct AnalysisPeriod {
    int fromMonth = 0;
    int toMonth = 999912;
    bool operator==(const AnalysisPeriod&) const = default;
    // The calendar months up to today's, `months` of them; every month for 0.
    static AnalysisPeriod LastMonths(const QDate& today, int months);
};

// What to analyse: the attempts of one discipline in a period, read in images of
// one size (ImageSizesOf its alphabet).
struct AnalysisRequest {
    int discipline = 0;
    int imageSize = 2;
    AnalysisPeriod period;
};

// A column or a row of the sheet, from 0.
struct PositionRow {
    int place = 0;
    qint64 given = 0;
    qint64 wrong = 0;
    bool operator==(const PositionRow&) const = default;
};

// What the user wrote for an image, and how often.
struct WrittenAs {
    qint64 written = 0;
    qint64 times = 0;
    bool operator==(const WrittenAs&) const = default;
};

struct ImageRow {
    qint64 image = 0;
    qint64 given = 0;
    qint64 wrong = 0;
    std::vector<WrittenAs> writtenInstead;  // most often first
    double errorRate() const { return given > 0 ? double(wrong) / double(given) : 0; }
    bool operator==(const ImageRow&) const = default;
};

struct ConfusionRow {
    qint64 given = 0;
    qint64 written = 0;
    qint64 times = 0;
    bool operator==(const ConfusionRow&) const = default;
};

struct ShowTimeRow {
    qint64 image = 0;
    qint64 shown = 0;
    double meanMs = 0;
    double spreadMs = 0;  // the standard deviation of its times
};

// One image's error rate month by month, months without it left out.
struct TrendSeries {
    qint64 image = 0;
    std::vector<std::pair<int, double>> rateByMonth;
};

struct AnalysisResult {
    std::vector<PositionRow> columns;     // by column
    std::vector<PositionRow> rows;        // by row
    std::vector<ImageRow> images;         // most often wrong first
    std::vector<ConfusionRow> confusions; // most often first
    std::vector<ShowTimeRow> showTimes;   // slowest first
    std::vector<TrendSeries> trend;       // the worst images, worst first
    enum Step { Columns = 1, Rows, Images, Confusions, ShowTimes, Trend };
    static constexpr int Steps = Trend;
    int stepsDone = 0;
    QString error;  // set when a read failed; the steps done until then stand
};

// The analysis of a history file, read from the counts kept by month through a
// connection of its own, read-only, so that it runs in a thread of its own while
// the program writes attempts.
class HistoryAnalysis {
public:
    explicit HistoryAnalysis(const HistoryConnection& history);
    ~HistoryAnalysis();
    HistoryAnalysis(const HistoryAnalysis&) = delete;
    HistoryAnalysis& operator=(const HistoryAnalysis&) = delete;

    // Reads the steps one after another, the table the view shows first first,
    // and hands the result on after each; stops between steps once `cancel` is
    // set, and after a failed read.
    void run(const AnalysisRequest& request, const std::function<void(const AnalysisResult&)>& afterStep,
             const std::atomic<bool>& cancel);

    // The images whose error rate is highest among those given at least
    // `minGiven` times, ties by more errors: the ones the trend follows.
    static std::vector<qint64> WorstImages(const std::vector<ImageRow>& images, std::size_t count = 10,
                                           qint64 minGiven = 5);

private:
    bool positions(const AnalysisRequest& r, TallyKind kind, std::vector<PositionRow>& into);
    bool images(const AnalysisRequest& r, std::vector<ImageRow>& into);
    bool confusions(const AnalysisRequest& r, std::vector<ConfusionRow>& into);
    bool showTimes(const AnalysisRequest& r, std::vector<ShowTimeRow>& into);
    bool trend(const AnalysisRequest& r, const std::vector<ImageRow>& images, std::vector<TrendSeries>& into);
    qint64 imageCount(const AnalysisRequest& r) const;

    QString connection_;
    QString error_;
};
