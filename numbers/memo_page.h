// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/points_offer.h"
#include "training/scored_attempt.h"

#include <QObject>
#include <functional>

class QPushButton;
class QTimer;
class TMemoSheets;
class TPanel;
class TRuleTable;
class TTrainingDialog;
class TUpDownEdit;

// A scored attempt on the memorisation page of a number window: the attempt
// through its phases on the sheets, the clock of each phase with its signal
// and limit, the points and correct digits in the right-hand column, the
// result view, the points record of the setting and the record question. The
// window builds the controls and decides how its material is presented (on a
// sheet behind the wait window, or spoken on a pulse); everything else of the
// attempt is done here, alike for every number window.
class TMemoPage : public QObject {
    Q_OBJECT

public:
    // The controls of the window that the attempt uses.
    struct Controls {
        TMemoSheets* sheets;
        QPushButton* bStartStop;
        TPanel* pErgeb;
        TPanel* pPunkteRekord;
        TPanel* pPunkte;
        TPanel* pZiffern;
        QPushButton* bChange;
        QTimer* tZehntel;
    };
    TMemoPage(TTrainingDialog& window, const Discipline& discipline, const Controls& controls);

    // The window's part. The setting as its spin buttons give it, one of them
    // (sender) proposing newValue; with no sender as they stand.
    std::function<AttemptRecord::Setting(TUpDownEdit* sender, int newValue)> setting;
    // Its settings (and "Schliessen") off while an attempt runs.
    std::function<void(bool enabled)> setSettingsEnabled;
    // START/STOP as the clock presses it when a limit runs out.
    std::function<void()> moveOn;
    // Told of the setting whenever the points record is refreshed for it.
    std::function<void(const AttemptRecord::Setting& setting)> settingShown;
    // The table that shows an ended attempt under every rule set; none by default.
    void setRuleTable(TRuleTable* table) { ruleTable_ = table; }

    const ScoredAttempt& attempt() const { return attempt_; }
    ScoredAttempt::Phase phase() const { return attempt_.phase(); }

    // START, in steps the window calls in this order: a new attempt under way,
    // focus (a control of the attempt) taking the focus before the settings go off;
    // the sheets laid out for count digits (repaint between layout and filling
    // when the window wants the new size seen at once); the material drawn and
    // filled in; memorising from now on.
    void begin(QWidget* focus);
    void prepare(int count, bool showGiven, const std::function<void()>& repaint = {});
    void startMemorising();
    // Recall from now on: at the memorisation sheet's cursor, or from the first digit.
    enum class RecallFrom { MemoCursor, Start };
    void startRecalling(RecallFrom from);
    void endRecalling();
    // The 100 ms clock of the phase under way.
    void tZehntelTimer();

    // The points record of the setting, newValue proposed by sender; false (and
    // nothing shown) when the spin button's rule refuses the value.
    bool pointsRecordChanging(TUpDownEdit* sender, int newValue);
    void refreshPointsRecord() { pointsRecordChanging(nullptr, 0); }
    // The spin buttons whose steps refresh the points record.
    void refreshOnSteps(std::initializer_list<TUpDownEdit*> spins);

    // Handlers of the sheets and of the result-view toggle.
    bool sgMemoKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void sgMemoTopLeftChanged();
    bool sgReplayKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void sgReplayKeyPress(QChar ch);
    void sgReplayTopLeftChanged();
    void bChangeClick();

private:
    void connectSheets();
    PointsOffer pointsOffer(const AttemptRecord::Setting& setting) const;

    TTrainingDialog& window_;
    Controls c_;
    ScoredAttempt attempt_;
    TRuleTable* ruleTable_ = nullptr;
};
