// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/analysis_tables.h"

#include "cards/card_images.h"
#include "core/app_context.h"
#include "core/disciplines.h"
#include "core/formats.h"

namespace {

QString number(double value, int decimals, CellStyle style)
{
    return style == CellStyle::Screen ? FormatFixed(value, decimals) : QString::number(value, 'f', decimals);
}

AnalysisCell count(qint64 value)
{
    return {QString::number(value), double(value)};
}

AnalysisCell percent(qint64 wrong, qint64 given, CellStyle style)
{
    const double rate = given > 0 ? 100.0 * double(wrong) / double(given) : 0;
    return {number(rate, 1, style), rate};
}

class TableMaker {
public:
    TableMaker(const AppContext& ctx, int discipline, int imageSize, CellStyle style)
        : ctx_(ctx), size_(imageSize), style_(style)
    {
        const Discipline* known = FindDiscipline(discipline);
        alphabet_ = known ? known->alphabetSize : 10;
    }

    QString text(int id, const char* german) const { return ctx_.InterfaceText(id, QString::fromUtf8(german)); }
    AnalysisCell image(qint64 key) const { return {ImageText(alphabet_, size_, key), double(key)}; }

    AnalysisTable positions(const std::vector<PositionRow>& rows, bool columns) const
    {
        AnalysisTable t;
        // Cards are recalled a deck to a row: a column is a place in the deck.
        const bool cards = alphabet_ == 52;
        const QString place = columns ? (cards ? text(437, "Platz im Stapel") : text(419, "Spalte"))
                                      : (cards ? text(438, "Stapel") : text(420, "Zeile"));
        t.header = {place, text(422, "Gegeben"), text(423, "Falsch"), text(424, "Fehlerquote %")};
        t.numeric = {true, true, true, true};
        for (const PositionRow& r : rows)
            t.rows.push_back({count(r.place + 1), count(r.given), count(r.wrong), percent(r.wrong, r.given, style_)});
        return t;
    }

    AnalysisTable images(const std::vector<ImageRow>& rows) const
    {
        AnalysisTable t;
        t.header = {text(421, "Bild"), text(422, "Gegeben"), text(423, "Falsch"), text(424, "Fehlerquote %"),
                    text(425, "Stattdessen geschrieben")};
        t.numeric = {false, true, true, true, false};
        for (const ImageRow& r : rows) {
            QStringList instead;
            for (std::size_t i = 0; i < r.writtenInstead.size() && i < 3; ++i)
                instead << QStringLiteral("%1 (%2)").arg(ImageText(alphabet_, size_, r.writtenInstead[i].written))
                                                    .arg(r.writtenInstead[i].times);
            const QString insteadText = instead.join(QStringLiteral(", "));
            t.rows.push_back({image(r.image), count(r.given), count(r.wrong), percent(r.wrong, r.given, style_),
                              {insteadText, r.writtenInstead.empty() ? 0 : double(r.writtenInstead.front().times)}});
        }
        return t;
    }

    AnalysisTable confusions(const std::vector<ConfusionRow>& rows) const
    {
        AnalysisTable t;
        t.header = {text(421, "Bild"), text(426, "Geschrieben"), text(427, "Anzahl"), text(416, "Verwechslungen")};
        t.numeric = {false, false, true, false};
        const QString pattern = text(428, "%1 geschrieben als %2: %3-mal");
        for (const ConfusionRow& r : rows) {
            const QString given = ImageText(alphabet_, size_, r.given);
            const QString written = ImageText(alphabet_, size_, r.written);
            t.rows.push_back({image(r.given), image(r.written), count(r.times),
                              {pattern.arg(given, written).arg(r.times), double(r.times)}});
        }
        return t;
    }

    AnalysisTable showTimes(const std::vector<ShowTimeRow>& rows) const
    {
        AnalysisTable t;
        t.header = {text(421, "Bild"), text(429, "Gezeigt"), text(430, "Mittel (s)"), text(431, "Streuung (s)")};
        t.numeric = {false, true, true, true};
        for (const ShowTimeRow& r : rows) {
            t.rows.push_back({image(r.image), count(r.shown), {number(r.meanMs / 1000.0, 2, style_), r.meanMs},
                              {number(r.spreadMs / 1000.0, 2, style_), r.spreadMs}});
        }
        return t;
    }

private:
    const AppContext& ctx_;
    int alphabet_ = 10;
    int size_;
    CellStyle style_;
};

} // namespace

QList<QStringList> AnalysisTable::textRows() const
{
    QList<QStringList> all{header};
    for (const std::vector<AnalysisCell>& row : rows) {
        QStringList texts;
        for (const AnalysisCell& cell : row)
            texts << cell.text;
        all << texts;
    }
    return all;
}

QString ImageText(int alphabetSize, int size, qint64 image)
{
    if (alphabetSize == 52) {
        if (size == 1)
            return CardName(int(image));
        return CardName(int(image / 52) + 1) + QStringLiteral(" + ") + CardName(int(image % 52) + 1);
    }
    QString digits;
    for (int i = 0; i < size; ++i) {
        digits.prepend(QChar(u'0' + int(image % alphabetSize)));
        image /= alphabetSize;
    }
    return digits;
}

AnalysisTable MakeAnalysisTable(const AppContext& ctx, AnalysisTableKind kind, const AnalysisResult& result,
                                int discipline, int imageSize, CellStyle style)
{
    const TableMaker maker(ctx, discipline, imageSize, style);
    switch (kind) {
    case AnalysisTableKind::Columns:
        return maker.positions(result.columns, true);
    case AnalysisTableKind::Rows:
        return maker.positions(result.rows, false);
    case AnalysisTableKind::Images:
        return maker.images(result.images);
    case AnalysisTableKind::Confusions:
        return maker.confusions(result.confusions);
    case AnalysisTableKind::ShowTimes:
        return maker.showTimes(result.showTimes);
    }
    return {};
}
