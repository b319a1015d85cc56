// The spoken-numbers attempt: the digits drawn and spoken on the pulse, recall
// against its clock, scoring up to the first error, and the points record.

#include "numbers/win_spoken.h"

#include "core/app_context.h"
#include "core/attempt_log.h"
#include "numbers/memo_sheets.h"
#include "numbers/points_lookup.h"
#include "records/records_table.h"
#include "training/attempt_clock.h"
#include "training/clock_text.h"
#include "training/points_offer.h"
#include "training/scoring_rule.h"
#include "widgets/panel.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QScopeGuard>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const FirstErrorRule UntilFirstError;

} // namespace

void TWinSpoken::bStartStopClick(QObject* sender)
{
    switch (phase) {
    case Idle:
        startSpeaking();
        break;
    case Memorising:
        // The button cuts off the digit being spoken; at the natural end the last
        // digit is left to finish.
        startRecalling(sender != nullptr, true);
        break;
    default:
        endRecalling();
        break;
    }
}

void TWinSpoken::setSettingsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{udAnzahlM, udMemoZeit, udReplay, bClose})
        control->setEnabled(enabled);
}

void TWinSpoken::startSpeaking()
{
    phase = Memorising;
    gbMemorieren->setTitle(ctx_.InterfaceText(157, QStringLiteral("Memorieren")));
    setSettingsEnabled(false);
    bChange->hide();
    sheets->setHeadingsVisible(false);
    bStartStop->setText(ctx_.InterfaceText(162, QStringLiteral("Memorieren fertig")));

    digitCount = udAnzahlM->value();
    sheets->layOut(digitCount, false);
    sheets->fill([this] { return char('0' + ctx_.random.next(10)); });
    sheets->home();
    // The voice is all that can be changed while the digits are spoken.
    (rbGerman->isChecked() ? rbGerman : rbEnglisch)->setFocus();

    nextDigit = 1;
    pErgeb->setText(ClockZeroText);
    preloadSounds();
    pulses = PulseSchedule(ctx_.tickSource.now(), udMemoZeit->value(), digitCount);
    tSpracheTimer();
}

void TWinSpoken::tSpracheTimer()
{
    if (phase != Memorising)
        return;
    // A pulse is never early: a timer event before the due tick waits out the rest.
    if (pulses.msUntil(nextDigit, ctx_.tickSource.now()) > 0) {
        armPulse();
        return;
    }
    if (nextDigit > digitCount) {
        tSprache->stop();
        bStartStopClick(nullptr);
        return;
    }
    const int i = nextDigit - 1;
    const QChar digit = QChar::fromLatin1(sgMemo->cellChar(i % RowWidth + 1, i / RowWidth));
    // The voice is read at every pulse, so a switch counts from the next digit.
    const QString voice = rbGerman->isChecked() ? QStringLiteral("Deutsch") : QStringLiteral("Englisch");
    ctx_.SRWavePlayer.play(digitSound(voice, digit));
    ++nextDigit;
    armPulse();
}

void TWinSpoken::armPulse()
{
    // Armed for the next pulse's own due tick, not one pulse from now, so a late
    // event delays only its own digit and nothing drifts over a long attempt.
    tSprache->start(pulses.msUntil(nextDigit, ctx_.tickSource.now()));
}

void TWinSpoken::startRecalling(bool cutOff, bool takeFocus)
{
    tSprache->stop();
    if (cutOff)
        ctx_.SRWavePlayer.stop();
    phase = Recalling;
    gbMemorieren->setTitle(ctx_.InterfaceText(163, QStringLiteral("Wiedergabe")));
    bStartStop->setText(ctx_.InterfaceText(164, QStringLiteral("Wiedergabe fertig")));
    // Listening takes none of the user's own time: memoTimeUsed stays 0, and the
    // clock shows zero until recall's first tick.
    pErgeb->setText(ClockText(0));
    sheets->setHeadingsVisible(true);
    sheets->showRecallAtStart();
    if (takeFocus)
        sgReplay->setFocus();
    tZehntel->start();
    startTick = ctx_.tickSource.now();
}

void TWinSpoken::endRecalling()
{
    tZehntel->stop();
    nowTick = ctx_.tickSource.now();
    recallTimeUsed = AttemptClock(startTick).usedMs(nowTick, udReplay->value()) / 1000.0;
    phase = Idle;

    lastScore = sheets->score(UntilFirstError);
    pPunkte->setText(QString::number(lastScore.totalPoints));
    pZiffern->setText(QString::number(lastScore.correctDigits));

    const int pulseMs = pulses.intervalMs();
    const double recallSeconds = udReplay->value() * 60.0;
    const bool offer = LookUpPoints(ctx_.DBDaten, SpokenCode, pulseMs, recallSeconds)
                           .offersRecord(lastScore.totalPoints);

    gbMemorieren->setTitle(ctx_.InterfaceText(165, QStringLiteral("Ergebnis")));
    setSettingsEnabled(true);
    bStartStop->setText(ctx_.InterfaceText(166, QStringLiteral("START")));
    bChange->setText(ctx_.InterfaceText(150, QStringLiteral("Vorgabe anzeigen")));
    bChange->show();

    AttemptRecord attempt;
    attempt.discipline = SpokenCode;
    attempt.setting.count = digitCount;
    attempt.setting.pulseMs = pulseMs;
    attempt.setting.recallMinutes = udReplay->value();
    attempt.result.points = lastScore.totalPoints;
    attempt.result.correctDigits = lastScore.correctDigits;
    attempt.result.markedErrors = sheets->wrongMarks();
    // The record keeps no listening time; the history does, so it dates the
    // attempt from its START.
    attempt.result.memoSecondsUsed = ElapsedMs(pulses.startTick(), startTick) / 1000.0;
    attempt.result.recallSecondsUsed = recallTimeUsed;
    const auto report = qScopeGuard([&] { ctx_.recordAttempt(attempt); });

    if (offer
        && ctx_.dialogs.askYesNo(
            ctx_.InterfaceText(160, QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?")))) {
        pPunkteRekord->setText(QString::number(lastScore.totalPoints));
        ctx_.DBDaten.StorePointsRecord(SpokenCode, digitCount, pulseMs, recallSeconds, lastScore.totalPoints,
                                       memoTimeUsed, recallTimeUsed);
        attempt.savedAsRecord = true;
    }
}

void TWinSpoken::tZehntelTimer()
{
    if (phase != Recalling)
        return;
    nowTick = ctx_.tickSource.now();
    const AttemptClock clock(startTick);
    const int minutes = udReplay->value();
    if (clock.isSignalSecond(nowTick, minutes))
        ctx_.SRWavePlayer.play(ctx_.signalSound());
    if (clock.limitReached(nowTick, minutes)) {
        pErgeb->setText(LimitText(minutes));
        bStartStopClick(nullptr);
        return;
    }
    pErgeb->setText(ClockText(clock.elapsedMs(nowTick)));
}

// ---------------------------------------------------------------------------
// Keys and scrolling of the sheets

bool TWinSpoken::sgMemoKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return phase == Memorising && sheets->memoKeyDown(key, modifiers);
}

void TWinSpoken::sgMemoTopLeftChanged()
{
    sheets->memoScrolled();
}

bool TWinSpoken::sgReplayKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return sheets->replayKeyDown(key, modifiers, phase == Recalling);
}

void TWinSpoken::sgReplayKeyPress(QChar ch)
{
    if (phase == Recalling)
        sheets->replayKeyPress(ch, 10);
}

void TWinSpoken::sgReplayTopLeftChanged()
{
    sheets->replayScrolled();
}

void TWinSpoken::bChangeClick()
{
    sheets->toggleResultView(bChange, ctx_);
}

// ---------------------------------------------------------------------------
// The points record of the current pulse and recall time

bool TWinSpoken::pointsRecordChanging(TUpDownEdit* sender, int newValue)
{
    if (sender && !sender->acceptable(newValue))
        return false;
    const int pulseMs = sender == udMemoZeit ? newValue : udMemoZeit->value();
    const int recallMinutes = sender == udReplay ? newValue : udReplay->value();
    pPunkteRekord->setText(LookUpPoints(ctx_.DBDaten, SpokenCode, pulseMs, recallMinutes * 60.0).recordText());
    return true;
}

bool TWinSpoken::udAnzahlMChangingEx(QObject* sender, int newValue)
{
    return pointsRecordChanging(sender ? udAnzahlM : nullptr, newValue);
}

bool TWinSpoken::udMemoZeitChangingEx(QObject* sender, int newValue)
{
    return pointsRecordChanging(sender ? udMemoZeit : nullptr, newValue);
}

bool TWinSpoken::udReplayChangingEx(QObject* sender, int newValue)
{
    return pointsRecordChanging(sender ? udReplay : nullptr, newValue);
}
