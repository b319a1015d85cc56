// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/rule_set_bests.h"
#include "overviews/background_reader.h"

#include <QWidget>
#include <vector>

class AppContext;
class HistoryStore;
class QLabel;
class TRuleTable;

// The strip under the history table that shows results under other rule sets:
// the attempt selected under every rule set of its discipline, and the best of
// the setting under each. The best needs every attempt's items, so it is read in
// a thread of its own and the window goes on meanwhile.
class TVerlaufRegelwerke : public QWidget {
    Q_OBJECT

public:
    static constexpr int Height = 140;

    TVerlaufRegelwerke(AppContext& ctx, HistoryStore& history, QWidget* parent);
    ~TVerlaufRegelwerke() override;

    void ApplyInterfaceTexts();
    // The attempts selected in the table; one of a scored discipline is shown.
    void showSelected(const std::vector<StoredAttempt>& selected);
    // The attempts of the setting on show: their best is read anew.
    void showSetting(int discipline, const std::vector<StoredAttempt>& attempts);
    // Whether the best is still being read.
    bool reading() const { return reader_.reading(); }

    QLabel* labVersuch = nullptr;
    TRuleTable* tbVersuch = nullptr;
    QLabel* labVersuchHinweis = nullptr;
    QLabel* labBeste = nullptr;
    TRuleTable* tbBeste = nullptr;
    QLabel* labBesteStand = nullptr;

protected:
    // A closed window reads nothing; it reads afresh when it shows again.
    void hideEvent(QHideEvent* event) override;

private:
    // What a reading thread hands over.
    struct Read {
        std::vector<RuleSetBest> bests;
        int scored = 0;
        int withoutItems = 0;
        QString error;
    };

    void startReading(const std::vector<StoredAttempt>& attempts);
    void showProgress(int read);
    void showBests(const Read& read);
    void showNote(const QString& text);
    QString text(int id, const char* german) const;

    AppContext& ctx_;
    HistoryStore& history_;
    bool scoredDiscipline_ = true;
    int toRead_ = 0;
    std::vector<StoredAttempt> selected_;
    int discipline_ = -1;
    std::vector<StoredAttempt> settingAttempts_;
    qint32 languageRead_ = -1;
    BackgroundReader reader_;
};
