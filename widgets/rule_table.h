// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/rule_sets.h"

#include <QStringList>
#include <QTableWidget>
#include <optional>

class AppContext;

// The compact table under a result: one line per rule set with its points and
// championship points, beside the score the window shows by its own rule. It
// is empty until an attempt ends and emptied again at the next START.
class TRuleTable : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int RowHeight = 19;
    // Room for the header and four rule sets.
    static constexpr int Height = 5 * RowHeight + 6;

    // A window whose texts are German only hands in that language; the
    // others follow the interface language.
    TRuleTable(const AppContext& ctx, QWidget* parent, std::optional<qint32> language = std::nullopt);

    // The ended attempt under every rule set of its discipline.
    void showAttempt(const AttemptForRules& attempt);
    // Results scored elsewhere, one line each, with a tooltip per line where given.
    void showResults(const std::vector<RuleSetResult>& results, const QStringList& toolTips = {});
    void clearResults();
    // Header texts in the interface language; the lines shown keep theirs
    // until the next attempt.
    void applyTexts();

private:
    void resizeColumns();
    qint32 language() const;
    QString text(int id, const char* german) const;

    const AppContext& ctx_;
    std::optional<qint32> language_;
};
