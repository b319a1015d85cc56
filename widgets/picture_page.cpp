// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/picture_page.h"

#include "core/app_context.h"
#include "core/disciplines.h"
#include "records/record_lookup.h"
#include "training/best_time_text.h"
#include "training/clock_text.h"
#include "training/settings_key.h"
#include "widgets/panel.h"
#include "widgets/training_dialog.h"
#include "widgets/up_down_edit.h"

#include <QLabel>
#include <QTimer>

TPicturePage::TPicturePage(TTrainingDialog& window, const Discipline& discipline, QWidget* page, const Setup& setup)
    : QObject(page), window_(window), discipline_(discipline)
{
    const auto label = [page](const QString& text, int y) {
        auto* l = new QLabel(text, page);
        l->setGeometry(16, y, 130, 15);
        return l;
    };
    const auto spin = [page](const Spin& s, int y) {
        auto* ud = new TUpDownEdit(page);
        ud->setUp(s.min, s.max, s.step, s.value);
        ud->setGeometry(16, y, 100, 22);
        return ud;
    };
    lab1 = label(QString::fromUtf8(setup.countLabel), 16);
    udAnzahl = spin(setup.count, 32);
    lab2 = label(QStringLiteral("Anzahl pro Zeile"), 72);
    udZeile = spin(setup.perLine, 88);
    lab3 = label(QStringLiteral("Zeit pro Zeile"), 128);
    pSpeedZahlen = new TPanel(page);
    pSpeedZahlen->setGeometry(16, 144, setup.speedPanelWidth, 24);

    labFortschritt = new QLabel(page);
    labFortschritt->setObjectName(QStringLiteral("labFortschritt"));
    labFortschritt->setAlignment(Qt::AlignCenter);

    window.rememberSpin(udAnzahl, SettingsKey(setup.settingsWord, "Anzahl"), setup.storedCount);
    window.rememberSpin(udZeile, SettingsKey(setup.settingsWord, "Zeile"), setup.storedPerLine);
    udAnzahl->changing = window.guardedHook([this](int v) { return refresh(udAnzahl, v); });
    udZeile->changing = window.guardedHook([this](int v) { return refresh(udZeile, v); });
}

void TPicturePage::startStop()
{
    if (run_.running())
        end();
    else
        start();
}

void TPicturePage::start()
{
    AppContext& ctx = window_.context();
    // The focus goes to the material before the settings are disabled, so it
    // never passes through "Schliessen", where the next Space would close the window.
    runFocus->setFocus();
    udAnzahl->setEnabled(false);
    udZeile->setEnabled(false);
    QByteArray material = draw(udAnzahl->value());
    run_ = PictureRun(std::move(material), udZeile->value(), ctx.tickSource.now());
    showLine(run_);
    showProgress();
    pErgeb->setText(PictureClockZeroText);
    tZehntel->start();
}

void TPicturePage::press()
{
    if (!run_.running())
        return;
    if (run_.advance(window_.context().tickSource.now())) {
        showLine(run_);
        showProgress();
    } else {
        end();
    }
}

void TPicturePage::tick()
{
    if (run_.running())
        pErgeb->setText(RunningSecondsText(run_.elapsedMs(window_.context().tickSource.now())));
}

void TPicturePage::end()
{
    AppContext& ctx = window_.context();
    // START/STOP during a run breaks it off: no result, but training all the same.
    run_.breakOff(ctx.tickSource.now());
    tZehntel->stop();
    pErgeb->setText(FinalSecondsText(run_.runMs()));
    udAnzahl->setEnabled(true);
    udZeile->setEnabled(true);
    udAnzahl->setFocus();
    showIdle(udZeile->value());
    showProgress();

    AttemptRecord attempt = run_.record(discipline_.code);
    if (!run_.completed()) {
        ctx.recordAttempt(attempt);
        return;
    }
    if (window_.concludeAttempt(attempt, discipline_, run_.offersRecord(bestTime_)))
        bestTime_ = run_.seconds();
    showBestTime(udAnzahl->value(), udZeile->value(), true);
}

bool TPicturePage::refresh(TUpDownEdit* sender, int newValue)
{
    if (sender && !sender->acceptable(newValue))
        return false;
    AttemptRecord::Setting setting;
    setting.count = sender == udAnzahl ? newValue : udAnzahl->value();
    setting.perLine = sender == udZeile ? newValue : udZeile->value();
    // A run's material stays on show; only a page without a run shows the idle view.
    if (!run_.running())
        showIdle(*setting.perLine);
    bestTime_ = LookupRecordOf(window_.context().DBDaten, discipline_, setting).stored.value_or(NoBestTime);
    showBestTime(*setting.count, *setting.perLine, false);
    return true;
}

void TPicturePage::showBestTime(int count, int perLine, bool afterRun)
{
    pRekZahlen->setText(BestTimeText(bestTime_, afterRun));
    pSpeedZahlen->setText(TimePerLineText(bestTime_, count, perLine));
}

void TPicturePage::showProgress()
{
    labFortschritt->setText(run_.running() && progressText ? progressText(run_) : QString());
}
