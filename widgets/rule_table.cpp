// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/rule_table.h"

#include "core/app_context.h"
#include "core/formats.h"

#include <QHeaderView>

namespace {

constexpr int PointsColumnWidth = 56;
constexpr int ChampionshipColumnWidth = 136;

} // namespace

TRuleTable::TRuleTable(const AppContext& ctx, QWidget* parent, std::optional<qint32> language)
    : QTableWidget(0, 3, parent), ctx_(ctx), language_(language)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setFixedHeight(RowHeight + 2);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resizeColumns();
    applyTexts();
}

void TRuleTable::resizeColumns()
{
    setColumnWidth(1, PointsColumnWidth);
    setColumnWidth(2, ChampionshipColumnWidth);
}

qint32 TRuleTable::language() const
{
    return language_.value_or(ctx_.Language);
}

QString TRuleTable::text(int id, const char* german) const
{
    return InterfaceTextTable::builtIn().lookup(language(), id, QString::fromUtf8(german));
}

void TRuleTable::applyTexts()
{
    setHorizontalHeaderLabels({text(457, "Regelwerk"), text(458, "Punkte"), text(459, "Meisterschaftspunkte")});
    setAccessibleName(text(457, "Regelwerk"));
}

void TRuleTable::clearResults()
{
    setRowCount(0);
}

void TRuleTable::showAttempt(const AttemptForRules& attempt)
{
    showResults(ScoreUnderRuleSets(attempt, ctx_.standards, language()));
}

void TRuleTable::showResults(const std::vector<RuleSetResult>& results, const QStringList& toolTips)
{
    setRowCount(int(results.size()));
    for (int r = 0; r < int(results.size()); ++r) {
        const RuleSetResult& result = results[r];
        const QString tip = r < toolTips.size() ? result.name + QLatin1Char('\n') + toolTips[r] : result.name;
        auto* name = new QTableWidgetItem(result.name);
        name->setToolTip(tip);
        setItem(r, 0, name);
        auto* points = new QTableWidgetItem(QString::number(result.points));
        points->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        points->setToolTip(tip);
        setItem(r, 1, points);
        const QString championship =
            result.championshipPoints
                ? FormatFixed(*result.championshipPoints, 2) + QStringLiteral(" (%1)").arg(result.standardYear)
                : QStringLiteral("–");
        auto* cp = new QTableWidgetItem(championship);
        cp->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cp->setToolTip(tip);
        setItem(r, 2, cp);
    }
}
