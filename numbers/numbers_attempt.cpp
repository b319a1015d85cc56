// The memorisation page of a number window: an attempt through memorising,
// recall and scoring, the clock with its limits, and the points record.

#include "numbers/numbers_base.h"

#include "core/app_context.h"
#include "numbers/memo_sheets.h"
#include "numbers/points_lookup.h"
#include "records/records_table.h"
#include "training/attempt_clock.h"
#include "training/clock_text.h"
#include "training/points_offer.h"
#include "widgets/panel.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"
#include "widgets/win_wait.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>

void TNumbersBase::setMemoSettingsEnabled(bool enabled)
{
    rbNoLimit->setEnabled(enabled);
    rbLimit->setEnabled(enabled);
    udAnzahlM->setEnabled(enabled && rbLimit->isChecked());
    udMemoZeit->setEnabled(enabled);
    udReplay->setEnabled(enabled);
    bClose->setEnabled(enabled);
}

void TNumbersBase::startMemorising()
{
    phase = Memorising;
    sgMemo->setFocus();
    const bool wasActive = isActiveWindow();
    if (waitWindow_) {
        waitWindow_->lNachricht->setText(ctx_.InterfaceText(161, QStringLiteral("Zahlen werden vorbereitet ...")));
        waitWindow_->show();
        repaintNow();
    }
    gbMemorieren->setTitle(ctx_.InterfaceText(157, QStringLiteral("Memorieren")));
    setMemoSettingsEnabled(false);
    bChange->hide();
    bStartStop->setText(ctx_.InterfaceText(162, QStringLiteral("Memorieren fertig")));

    digitCount = rbNoLimit->isChecked() ? k_.NoLimitCount : udAnzahlM->value();
    sheets->layOut(digitCount);
    repaintNow();
    sheets->fill([this] { return randomDigit().toLatin1(); });
    sheets->home();

    if (waitWindow_)
        waitWindow_->hide();
    // Some window systems hand the activation to the wait window and leave it
    // nowhere when that goes; the keys of the attempt must reach this window.
    if (wasActive && !isActiveWindow())
        activateWindow();
    repaintNow();
    sgMemo->setFocus();

    pErgeb->setText(ClockZeroText);
    tZehntel->start();
    startTick = ctx_.tickSource.now();
}

void TNumbersBase::startRecalling()
{
    nowTick = ctx_.tickSource.now();
    const quint32 elapsed = AttemptClock(startTick).usedMs(nowTick, udMemoZeit->value());
    memoTimeUsed = elapsed / 1000.0;
    startTick = nowTick;
    phase = Recalling;
    gbMemorieren->setTitle(ctx_.InterfaceText(163, QStringLiteral("Wiedergabe")));
    bStartStop->setText(ctx_.InterfaceText(164, QStringLiteral("Wiedergabe fertig")));
    pErgeb->setText(ClockText(elapsed));
    sheets->showRecallAtMemoCursor();
}

void TNumbersBase::endRecalling()
{
    tZehntel->stop();
    nowTick = ctx_.tickSource.now();
    recallTimeUsed = AttemptClock(startTick).usedMs(nowTick, udReplay->value()) / 1000.0;
    phase = Idle;

    lastScore = sheets->score(scoring_);
    pPunkte->setText(QString::number(lastScore.totalPoints));
    pZiffern->setText(QString::number(lastScore.correctDigits));

    const int memoMinutes = udMemoZeit->value();
    const int recallMinutes = udReplay->value();
    const bool offer = pointsOffer(memoMinutes, recallMinutes).offersRecord(lastScore.totalPoints);

    gbMemorieren->setTitle(ctx_.InterfaceText(165, QStringLiteral("Ergebnis")));
    setMemoSettingsEnabled(true);
    bStartStop->setText(ctx_.InterfaceText(166, QStringLiteral("START")));
    bChange->setText(ctx_.InterfaceText(150, QStringLiteral("Vorgabe anzeigen")));
    bChange->show();

    AttemptRecord attempt;
    attempt.discipline = k_.memoCode;
    attempt.setting.count = digitCount;
    attempt.setting.memoMinutes = memoMinutes;
    attempt.setting.recallMinutes = recallMinutes;
    attempt.result.points = lastScore.totalPoints;
    attempt.result.correctDigits = lastScore.correctDigits;
    attempt.result.markedErrors = sheets->wrongMarks();
    attempt.result.memoSecondsUsed = memoTimeUsed;
    attempt.result.recallSecondsUsed = recallTimeUsed;
    // The history keeps the attempt however the record question ends, even when
    // the records table refuses the record and the error box follows.
    const auto report = qScopeGuard([&] { ctx_.recordAttempt(attempt); });

    if (offer
        && ctx_.dialogs.askYesNo(
            ctx_.InterfaceText(160, QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?")))) {
        pPunkteRekord->setText(QString::number(lastScore.totalPoints));
        ctx_.DBDaten.StorePointsRecord(k_.memoCode, digitCount, memoMinutes * 60.0, recallMinutes * 60.0,
                                       lastScore.totalPoints, memoTimeUsed, recallTimeUsed);
        attempt.savedAsRecord = true;
    }
}

void TNumbersBase::tZehntelTimer()
{
    nowTick = ctx_.tickSource.now();
    const AttemptClock clock(startTick);
    const quint32 elapsed = clock.elapsedMs(nowTick);
    if (!onMemoPage()) {
        pErgeb->setText(RunningSecondsText(elapsed));
        return;
    }
    const int minutes = phase == Memorising ? udMemoZeit->value() : udReplay->value();
    if (clock.isSignalSecond(nowTick, minutes))
        ctx_.SRWavePlayer.play(ctx_.signalSound());
    if (clock.limitReached(nowTick, minutes)) {
        pErgeb->setText(LimitText(minutes));
        bStartStopClick(nullptr);
        return;
    }
    pErgeb->setText(ClockText(elapsed));
}

// ---------------------------------------------------------------------------
// Keys and scrolling of the sheets

bool TNumbersBase::sgMemoKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return phase == Memorising && sheets->memoKeyDown(key, modifiers);
}

void TNumbersBase::sgMemoTopLeftChanged()
{
    sheets->memoScrolled();
}

bool TNumbersBase::sgReplayKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return sheets->replayKeyDown(key, modifiers, phase == Recalling);
}

void TNumbersBase::sgReplayKeyPress(QChar ch)
{
    if (phase == Recalling)
        sheets->replayKeyPress(ch, k_.alphabetSize);
}

void TNumbersBase::sgReplayTopLeftChanged()
{
    sheets->replayScrolled();
}

void TNumbersBase::bChangeClick()
{
    sheets->toggleResultView(bChange, ctx_);
}

// ---------------------------------------------------------------------------
// The points record of the current times

PointsOffer TNumbersBase::pointsOffer(int memoMinutes, int recallMinutes) const
{
    return LookUpPoints(ctx_.DBDaten, k_.memoCode, memoMinutes * 60.0, recallMinutes * 60.0);
}

bool TNumbersBase::pointsRecordChanging(TUpDownEdit* sender, int newValue)
{
    if (sender && !sender->acceptable(newValue))
        return false;
    const PointsOffer stored = pointsOffer(sender == udMemoZeit ? newValue : udMemoZeit->value(),
                                           sender == udReplay ? newValue : udReplay->value());
    pPunkteRekord->setText(stored.recordText());
    return true;
}

bool TNumbersBase::udAnzahlMChangingEx(QObject* sender, int newValue)
{
    return pointsRecordChanging(sender ? udAnzahlM : nullptr, newValue);
}

bool TNumbersBase::udMemoZeitChangingEx(QObject* sender, int newValue)
{
    return pointsRecordChanging(sender ? udMemoZeit : nullptr, newValue);
}

bool TNumbersBase::udReplayChangingEx(QObject* sender, int newValue)
{
    return pointsRecordChanging(sender ? udReplay : nullptr, newValue);
}
