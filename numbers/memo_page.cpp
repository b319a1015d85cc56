// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/memo_page.h"

#include "core/app_context.h"
#include "numbers/memo_sheets.h"
#include "records/record_lookup.h"
#include "training/clock_text.h"
#include "training/digit_draw.h"
#include "training/scoring_rule.h"
#include "widgets/panel.h"
#include "widgets/rule_table.h"
#include "widgets/scored_attempt_clock.h"
#include "widgets/string_align_grid.h"
#include "widgets/training_dialog.h"
#include "widgets/up_down_edit.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

TMemoPage::TMemoPage(TTrainingDialog& window, const Discipline& discipline, const Controls& controls)
    : QObject(&window), window_(window), c_(controls), attempt_(discipline)
{
    connectSheets();
}

void TMemoPage::connectSheets()
{
    TMemoSheets* sheets = c_.sheets;
    sheets->sgMemo->setKeyDownHook(window_.guardedHook([this](int key, Qt::KeyboardModifiers m) {
        return sgMemoKeyDown(key, m);
    }));
    window_.onSignal(sheets->sgMemo, &TStringAlignGrid::topLeftChanged, [this] { sgMemoTopLeftChanged(); });
    sheets->sgReplay->setKeyDownHook(window_.guardedHook([this](int key, Qt::KeyboardModifiers m) {
        return sgReplayKeyDown(key, m);
    }));
    sheets->sgReplay->setKeyPressHook([this](QChar ch) { window_.guarded([this, ch] { sgReplayKeyPress(ch); }); });
    window_.onSignal(sheets->sgReplay, &TStringAlignGrid::topLeftChanged, [this] { sgReplayTopLeftChanged(); });
    sheets->edited = [this](int index, char value) {
        attempt_.answer(index, value, window_.context().tickSource.now());
    };
    window_.onSignal(c_.bChange, &QPushButton::clicked, [this] { bChangeClick(); });
}

void TMemoPage::refreshOnSteps(std::initializer_list<TUpDownEdit*> spins)
{
    for (TUpDownEdit* spin : spins)
        spin->changing = window_.guardedHook([this, spin](int v) { return pointsRecordChanging(spin, v); });
}

// ---------------------------------------------------------------------------
// The attempt

void TMemoPage::begin(QWidget* focus)
{
    attempt_.begin(setting(nullptr, 0));
    focus->setFocus();
    const AppContext& ctx = window_.context();
    c_.sheets->gbMemorieren->setTitle(ctx.InterfaceText(157, QStringLiteral("Memorieren")));
    setSettingsEnabled(false);
    c_.bChange->hide();
    if (ruleTable_)
        ruleTable_->clearResults();
    c_.bStartStop->setText(ctx.InterfaceText(162, QStringLiteral("Memorieren fertig")));
}

void TMemoPage::prepare(int count, bool showGiven, const std::function<void()>& repaint)
{
    c_.sheets->layOut(count, showGiven);
    if (repaint)
        repaint();
    QByteArray given = DrawDigits(count, attempt_.discipline().alphabetSize, window_.context().random);
    c_.sheets->fill(given);
    c_.sheets->home();
    attempt_.setGiven(std::move(given));
}

void TMemoPage::startMemorising()
{
    c_.pErgeb->setText(ClockZeroText);
    // Material that is heard sets its own pace: no clock runs while it plays.
    if (attempt_.limitMinutes())
        c_.tZehntel->start();
    attempt_.startMemorising(window_.context().tickSource.now());
}

void TMemoPage::startRecalling(RecallFrom from)
{
    attempt_.startRecalling(window_.context().tickSource.now());
    const AppContext& ctx = window_.context();
    c_.sheets->gbMemorieren->setTitle(ctx.InterfaceText(163, QStringLiteral("Wiedergabe")));
    c_.bStartStop->setText(ctx.InterfaceText(164, QStringLiteral("Wiedergabe fertig")));
    // The memorisation time stays on show until recall's first tick.
    c_.pErgeb->setText(ClockText(attempt_.memoMsUsed()));
    if (from == RecallFrom::MemoCursor) {
        c_.sheets->showRecallAtMemoCursor();
    } else {
        c_.sheets->setHeadingsVisible(true);
        c_.sheets->showRecallAtStart();
    }
    c_.tZehntel->start();
}

void TMemoPage::endRecalling()
{
    c_.tZehntel->stop();
    const AppContext& ctx = window_.context();
    const Discipline& discipline = attempt_.discipline();
    const ScoreResult& score = attempt_.end(ctx.tickSource.now(), ScoringRuleOf(discipline.scoring),
                                            c_.sheets->geometry().rowWidth);
    c_.sheets->showScore(attempt_.attempt(), score);
    c_.sheets->showPace(ctx, attempt_.memoMsUsed(), score.correctDigits);
    c_.pPunkte->setText(QString::number(score.totalPoints));
    c_.pZiffern->setText(QString::number(score.correctDigits));
    if (ruleTable_)
        ruleTable_->showAttempt({&discipline, attempt_.setting(), &attempt_.attempt(),
                                 c_.sheets->geometry().rowWidth, attempt_.memoTimeUsed()});
    const bool offer = pointsOffer(attempt_.setting()).offersRecord(score.totalPoints);

    c_.sheets->gbMemorieren->setTitle(ctx.InterfaceText(165, QStringLiteral("Ergebnis")));
    setSettingsEnabled(true);
    c_.bStartStop->setText(ctx.InterfaceText(166, QStringLiteral("START")));
    c_.bChange->setText(ctx.InterfaceText(150, QStringLiteral("Vorgabe anzeigen")));
    c_.bChange->show();

    AttemptRecord record = attempt_.record();
    if (window_.concludeAttempt(record, discipline, offer))
        c_.pPunkteRekord->setText(QString::number(score.totalPoints));
}

void TMemoPage::tZehntelTimer()
{
    if (ShowScoredAttemptClock(attempt_, window_.context(), c_.pErgeb))
        moveOn();
}

// ---------------------------------------------------------------------------
// The points record of the setting

PointsOffer TMemoPage::pointsOffer(const AttemptRecord::Setting& setting) const
{
    const RecordLookup found = LookupRecordOf(window_.context().DBDaten, attempt_.discipline(), setting);
    return PointsOffer::from(found.keyFits, found.stored);
}

bool TMemoPage::pointsRecordChanging(TUpDownEdit* sender, int newValue)
{
    if (sender && !sender->acceptable(newValue))
        return false;
    const AttemptRecord::Setting shown = setting(sender, newValue);
    c_.pPunkteRekord->setText(pointsOffer(shown).recordText());
    if (settingShown)
        settingShown(shown);
    return true;
}

// ---------------------------------------------------------------------------
// Keys and scrolling of the sheets, the result view

bool TMemoPage::sgMemoKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return attempt_.phase() == ScoredAttempt::Memorising && c_.sheets->memoKeyDown(key, modifiers);
}

void TMemoPage::sgMemoTopLeftChanged()
{
    c_.sheets->memoScrolled();
}

bool TMemoPage::sgReplayKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return c_.sheets->replayKeyDown(key, modifiers, attempt_.phase() == ScoredAttempt::Recalling);
}

void TMemoPage::sgReplayKeyPress(QChar ch)
{
    if (attempt_.phase() == ScoredAttempt::Recalling)
        c_.sheets->replayKeyPress(ch, attempt_.discipline().alphabetSize);
}

void TMemoPage::sgReplayTopLeftChanged()
{
    c_.sheets->replayScrolled();
}

void TMemoPage::bChangeClick()
{
    c_.sheets->toggleResultView(c_.bChange, window_.context());
}
