// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "history/history_analysis.h"

#include "core/disciplines.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

std::atomic<int> connectionSerial{0};

// The rows of one kind of count of the request, summed over its months.
bool select(QSqlQuery& q, const QString& columns, const AnalysisRequest& r, TallyKind kind, int size,
            const QString& more = QString())
{
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT key, ") + columns
              + QStringLiteral(" FROM item_tallies WHERE discipline = ? AND kind = ? AND size = ?"
                               " AND month BETWEEN ? AND ?")
              + more + QStringLiteral(" GROUP BY key"));
    q.addBindValue(r.discipline);
    q.addBindValue(int(kind));
    q.addBindValue(size);
    q.addBindValue(r.period.fromMonth);
    q.addBindValue(r.period.toMonth);
    return q.exec();
}

} // namespace

AnalysisPeriod AnalysisPeriod::LastMonths(const QDate& today, int months)
{
    if (months <= 0)
        return {};
    const QDate first = today.addMonths(-(months - 1));
    return {first.year() * 100 + first.month(), today.year() * 100 + today.month()};
}

HistoryAnalysis::HistoryAnalysis(const HistoryConnection& history)
    : connection_(QStringLiteral("korvanis-analysis-%1").arg(++connectionSerial))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(history.databaseName);
    db.setConnectOptions(history.options);
    if (!db.open())
        error_ = db.lastError().text();
}

HistoryAnalysis::~HistoryAnalysis()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

void HistoryAnalysis::run(const AnalysisRequest& request,
                          const std::function<void(const AnalysisResult&)>& afterStep,
                          const std::atomic<bool>& cancel)
{
    AnalysisResult result;
    if (!error_.isEmpty()) {
        result.error = error_;
        afterStep(result);
        return;
    }
    const std::function<bool()> steps[] = {
        [&] { return positions(request, TallyKind::Column, result.columns); },
        [&] { return positions(request, TallyKind::Row, result.rows); },
        [&] { return images(request, result.images); },
        [&] { return confusions(request, result.confusions); },
        [&] { return showTimes(request, result.showTimes); },
        [&] { return trend(request, result.images, result.trend); },
    };
    for (const auto& step : steps) {
        if (cancel)
            return;
        if (!step()) {
            result.error = error_;
            afterStep(result);
            return;
        }
        ++result.stepsDone;
        afterStep(result);
    }
}

qint64 HistoryAnalysis::imageCount(const AnalysisRequest& r) const
{
    const Discipline* discipline = FindDiscipline(r.discipline);
    return discipline ? ImageCount(discipline->alphabetSize, r.imageSize) : 1;
}

bool HistoryAnalysis::positions(const AnalysisRequest& r, TallyKind kind, std::vector<PositionRow>& into)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!select(q, QStringLiteral("SUM(given), SUM(wrong)"), r, kind, 0)) {
        error_ = q.lastError().text();
        return false;
    }
    while (q.next())
        into.push_back({q.value(0).toInt(), q.value(1).toLongLong(), q.value(2).toLongLong()});
    std::sort(into.begin(), into.end(), [](const PositionRow& a, const PositionRow& b) { return a.place < b.place; });
    return true;
}

bool HistoryAnalysis::confusions(const AnalysisRequest& r, std::vector<ConfusionRow>& into)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!select(q, QStringLiteral("SUM(wrong)"), r, TallyKind::Confusion, r.imageSize)) {
        error_ = q.lastError().text();
        return false;
    }
    const qint64 base = imageCount(r);
    while (q.next()) {
        const qint64 key = q.value(0).toLongLong();
        into.push_back({key / base, key % base, q.value(1).toLongLong()});
    }
    std::stable_sort(into.begin(), into.end(), [](const ConfusionRow& a, const ConfusionRow& b) {
        return a.times != b.times ? a.times > b.times : a.given < b.given;
    });
    return true;
}

bool HistoryAnalysis::images(const AnalysisRequest& r, std::vector<ImageRow>& into)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!select(q, QStringLiteral("SUM(given), SUM(wrong)"), r, TallyKind::Image, r.imageSize)) {
        error_ = q.lastError().text();
        return false;
    }
    std::map<qint64, std::size_t> at;
    while (q.next()) {
        at[q.value(0).toLongLong()] = into.size();
        into.push_back({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toLongLong(), {}});
    }
    // What was written instead comes from the confusions, most often first.
    std::vector<ConfusionRow> written;
    if (!confusions(r, written))
        return false;
    for (const ConfusionRow& c : written) {
        const auto found = at.find(c.given);
        if (found != at.end())
            into[found->second].writtenInstead.push_back({c.written, c.times});
    }
    std::stable_sort(into.begin(), into.end(), [](const ImageRow& a, const ImageRow& b) {
        if (a.wrong != b.wrong)
            return a.wrong > b.wrong;
        return a.image < b.image;
    });
    return true;
}

bool HistoryAnalysis::showTimes(const AnalysisRequest& r, std::vector<ShowTimeRow>& into)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!select(q, QStringLiteral("SUM(given), SUM(ms_sum), SUM(ms_square_sum)"), r, TallyKind::ShowTime,
                r.imageSize)) {
        error_ = q.lastError().text();
        return false;
    }
    while (q.next()) {
        const qint64 n = q.value(1).toLongLong();
        if (n <= 0)
            continue;
        const double mean = q.value(2).toDouble() / double(n);
        const double variance = std::max(0.0, q.value(3).toDouble() / double(n) - mean * mean);
        into.push_back({q.value(0).toLongLong(), n, mean, std::sqrt(variance)});
    }
    std::stable_sort(into.begin(), into.end(),
                     [](const ShowTimeRow& a, const ShowTimeRow& b) { return a.meanMs > b.meanMs; });
    return true;
}

std::vector<qint64> HistoryAnalysis::WorstImages(const std::vector<ImageRow>& images, std::size_t count,
                                                 qint64 minGiven)
{
    std::vector<const ImageRow*> candidates;
    for (const ImageRow& row : images) {
        if (row.given >= minGiven && row.wrong > 0)
            candidates.push_back(&row);
    }
    // Compared as wrong_a * given_b against wrong_b * given_a, so equal rates
    // are equal and the ties go by the errors.
    std::stable_sort(candidates.begin(), candidates.end(), [](const ImageRow* a, const ImageRow* b) {
        const qint64 left = a->wrong * b->given;
        const qint64 right = b->wrong * a->given;
        if (left != right)
            return left > right;
        if (a->wrong != b->wrong)
            return a->wrong > b->wrong;
        return a->image < b->image;
    });
    std::vector<qint64> worst;
    for (std::size_t i = 0; i < candidates.size() && i < count; ++i)
        worst.push_back(candidates[i]->image);
    return worst;
}

bool HistoryAnalysis::trend(const AnalysisRequest& r, const std::vector<ImageRow>& images,
                            std::vector<TrendSeries>& into)
{
    const std::vector<qint64> worst = WorstImages(images);
    if (worst.empty())
        return true;
    QStringList keys;
    for (qint64 image : worst)
        keys << QString::number(image);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT key, month, given, wrong FROM item_tallies WHERE discipline = ? AND kind = ?"
                             " AND size = ? AND month BETWEEN ? AND ? AND key IN (%1) ORDER BY month")
                  .arg(keys.join(QLatin1Char(','))));
    q.addBindValue(r.discipline);
    q.addBindValue(int(TallyKind::Image));
    q.addBindValue(r.imageSize);
    q.addBindValue(r.period.fromMonth);
    q.addBindValue(r.period.toMonth);
    if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
    }
    for (qint64 image : worst)
        into.push_back({image, {}});
    while (q.next()) {
        const qint64 given = q.value(2).toLongLong();
        const auto series = std::find_if(into.begin(), into.end(),
                                         [&](const TrendSeries& s) { return s.image == q.value(0).toLongLong(); });
        if (given > 0 && series != into.end())
            series->rateByMonth.emplace_back(q.value(1).toInt(), double(q.value(3).toLongLong()) / double(given));
    }
    return true;
}
