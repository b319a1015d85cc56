// The picture page of a number window: the drill that flashes the digits line
// by line, and the best time of the current setting.

#include "numbers/numbers_base.h"

#include "core/app_context.h"
#include "records/records_table.h"
#include "training/attempt_clock.h"
#include "training/best_time_text.h"
#include "training/clock_text.h"
#include "widgets/panel.h"
#include "widgets/up_down_edit.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

void TNumbersBase::startPictureRun()
{
    phase = Running;
    // The focus goes to the panel before the settings are disabled, so it never
    // passes through "Schliessen", where the next Space would close the window.
    pZahlen->setFocus();
    udAnzahl->setEnabled(false);
    udZeile->setEnabled(false);
    const int count = udAnzahl->value();
    pictureDigits.clear();
    pictureDigits.reserve(count);
    for (int i = 0; i < count; ++i)
        pictureDigits += randomDigit();
    drill = PictureDrill(count, udZeile->value());
    showDrillGroup();
    pErgeb->setText(PictureClockZeroText);
    tZehntel->start();
    startTick = ctx_.tickSource.now();
}

void TNumbersBase::showDrillGroup()
{
    const DrillGroup group = drill.current();
    pZahlen->setText(pictureDigits.mid(group.first, group.size));
}

void TNumbersBase::pZahlenClick()
{
    if (phase != Running || onMemoPage())
        return;
    drill.advance();
    if (drill.finished()) {
        bStartStopClick(nullptr);
        return;
    }
    showDrillGroup();
}

void TNumbersBase::endPictureRun(QObject* sender)
{
    nowTick = ctx_.tickSource.now();
    tZehntel->stop();
    phase = Idle;
    const quint32 elapsed = ElapsedMs(startTick, nowTick);
    pErgeb->setText(FinalSecondsText(elapsed));
    pZahlen->clear();
    udAnzahl->setEnabled(true);
    udZeile->setEnabled(true);
    udAnzahl->setFocus();

    const int count = udAnzahl->value();
    const int perLine = udZeile->value();
    const double seconds = elapsed / 1000.0;
    AttemptRecord run;
    run.discipline = k_.pictureCode;
    run.setting.count = count;
    run.setting.perLine = perLine;
    run.result.runSeconds = seconds;
    // START/STOP during a run breaks it off: no result, but training all the same.
    run.completed = sender != bStartStop;
    const auto report = qScopeGuard([&] { ctx_.recordAttempt(run); });
    if (!run.completed)
        return;

    if (IsNewBestTime(seconds, bestTime)
        && ctx_.dialogs.askYesNo(
            ctx_.InterfaceText(160, QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?")))) {
        bestTime = seconds;
        ctx_.DBDaten.StoreBestTime(k_.pictureCode, count, perLine, bestTime);
        run.savedAsRecord = true;
    }
    showBestTime(count, perLine, true);
}

// ---------------------------------------------------------------------------
// The best time of the current setting

void TNumbersBase::showBestTime(int count, int perLine, bool afterRun)
{
    pRekZahlen->setText(BestTimeText(bestTime, afterRun));
    pSpeedZahlen->setText(TimePerLineText(bestTime, count, perLine));
}

bool TNumbersBase::bestTimeChanging(TUpDownEdit* sender, int newValue)
{
    if (sender && !sender->acceptable(newValue))
        return false;
    const int count = sender == udAnzahl ? newValue : udAnzahl->value();
    const int perLine = sender == udZeile ? newValue : udZeile->value();
    bestTime = ctx_.DBDaten.LookupBestTime(k_.pictureCode, count, perLine).value_or(NoBestTime);
    showBestTime(count, perLine, false);
    return true;
}

bool TNumbersBase::udAnzahlChangingEx(QObject* sender, int newValue)
{
    return bestTimeChanging(sender ? udAnzahl : nullptr, newValue);
}

bool TNumbersBase::udZeileChangingEx(QObject* sender, int newValue)
{
    return bestTimeChanging(sender ? udZeile : nullptr, newValue);
}
