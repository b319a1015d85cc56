// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/win_spoken.h"

#include "core/app_context.h"
#include "numbers/memo_page.h"
#include "numbers/memo_sheets.h"
#include "numbers/sheet_view_choice.h"
#include "numbers/spoken_settings.h"
#include "training/clock_text.h"
#include "widgets/format_choice.h"
#include "widgets/panel.h"
#include "widgets/result_column.h"
#include "widgets/rule_table.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"
#include "widgets/window_helpers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace {

// The widest label of a 1000-digit sheet, 990, decides the label font.
constexpr int LargestCount = 1000;
constexpr int JumpWidth = 10;
constexpr int ClientHeight = 358;
constexpr int SheetsLeft = 140;
// The table of rule sets below the sheets and the left column's last control.
constexpr int TableTop = 330;
constexpr int TableHeight = TableTop - 290 + TRuleTable::Height + 8;

} // namespace

TWinSpoken::TWinSpoken(AppContext& ctx, QWidget* parent)
    : TTrainingDialog(ctx, "WinSpoken", QStringLiteral("Spoken Numbers Training"), parent), voice_(ctx)
{
    buildControls();
    nameControls();
    guarded([this] { FormCreate(); });
    connectHandlers();
}

TWinSpoken::~TWinSpoken() = default;

// ---------------------------------------------------------------------------
// Controls

void TWinSpoken::buildControls()
{
    pcTraining = new QTabWidget(this);
    tsMemo = new QWidget;
    pcTraining->addTab(tsMemo, QStringLiteral("Memorieren"));
    buildSettings();
    buildSheets();

    // Rows of 30 need less width than the numbers window's 40: the page ends a
    // margin after the points heading, and the right-hand column follows it.
    const int pageWidth = SheetsLeft + gbMemorieren->width() + 13;
    pcTraining->setGeometry(4, 4, pageWidth, 317 + TableHeight);
    tbRegelwerke = new TRuleTable(ctx_, tsMemo);
    tbRegelwerke->setGeometry(8, TableTop, pageWidth - 21, TRuleTable::Height);
    const int columnX = pcTraining->geometry().right() + 8;
    buildRightColumn(columnX);
    setFixedSize(columnX + ResultColumn::Width + 4, ClientHeight + TableHeight);

    tSprache = new QTimer(this);
    // Each pulse is armed for its own due tick; a coarse timer may fire several
    // per cent of the wait late, and the pulse needs the millisecond.
    tSprache->setTimerType(Qt::PreciseTimer);
    tSprache->setSingleShot(true);
    tZehntel = new QTimer(this);
    tZehntel->setInterval(100);
    tZehntel->setTimerType(Qt::PreciseTimer);
    buildAttempt();
}

void TWinSpoken::buildSettings()
{
    settings_ = std::make_unique<TSpokenSettings>(*this, tsMemo);
    const TSpokenSettings& c = *settings_;
    labAnzahlM = c.labAnzahlM;
    udAnzahlM = c.udAnzahlM;
    labMemoZeit = c.labMemoZeit;
    udMemoZeit = c.udMemoZeit;
    labReplay = c.labReplay;
    udReplay = c.udReplay;
    rbGerman = c.rbGerman;
    rbEnglisch = c.rbEnglisch;
    labFormat = c.labFormat;
    cbFormat = c.cbFormat;
    chbMerken = c.chbMerken;
    cbFormat->fill = [this](const AttemptRecord::Setting& format) {
        guarded([this, format] { cbFormatChoose(format); });
    };
}

void TWinSpoken::buildSheets()
{
    sheets = new TMemoSheets(tsMemo, QRect(SheetsLeft, 4, 616, 280), font(), RowWidth, JumpWidth, LargestCount);
    gbMemorieren = sheets->gbMemorieren;
    sgMemo = sheets->sgMemo;
    sgReplay = sheets->sgReplay;
    sgPoints = sheets->sgPoints;
    lab1 = sheets->columnHeadings.value(0);
    lab10 = sheets->columnHeadings.value(1);
    lab20 = sheets->columnHeadings.value(2);
    lab30 = sheets->columnHeadings.value(3);
    labMPunkte = sheets->labPoints;
    gbMemorieren->resize(labMPunkte->geometry().right() + 10, gbMemorieren->height());
    view = new TSheetViewChoice(*this, sheets, tsMemo, QRect(8, 256, 128, 22), "Spoken");
    labFortschritt = new QLabel(gbMemorieren);
    labFortschritt->setGeometry(10, 110, gbMemorieren->width() - 20, 40);
    labFortschritt->setAlignment(Qt::AlignCenter);
    labFortschritt->setFont(PixelFont(24, true));
}

void TWinSpoken::buildRightColumn(int x)
{
    const ResultColumn column(this, x, ResultColumn::Points);
    bStartStop = column.bStartStop;
    pErgeb = column.pErgeb;
    labPunkteRekord = column.labPunkteRekord;
    pPunkteRekord = column.pPunkteRekord;
    labPunkte = column.labPunkte;
    pPunkte = column.pPunkte;
    labZiffern = column.labZiffern;
    pZiffern = column.pZiffern;
    bChange = column.bChange;
    bClose = column.bClose;
}

void TWinSpoken::buildAttempt()
{
    memoPage = new TMemoPage(*this, DisciplineOf(SpokenNumbers),
                             {sheets, bStartStop, pErgeb, pPunkteRekord, pPunkte, pZiffern, bChange, tZehntel});
    memoPage->setting = [this](TUpDownEdit* sender, int newValue) { return settings_->setting(sender, newValue); };
    memoPage->setSettingsEnabled = [this](bool enabled) {
        settings_->setEnabled(enabled);
        for (QWidget* control : std::initializer_list<QWidget*>{view->cbGroesse, view->cbGruppen, bClose})
            control->setEnabled(enabled);
    };
    memoPage->moveOn = [this] { bStartStopClick(nullptr); };
    // Typing into an edit refreshes nothing: the value counts from the next START.
    memoPage->refreshOnSteps({udAnzahlM, udMemoZeit, udReplay});
    memoPage->setRuleTable(tbRegelwerke);
    memoPage->settingShown = [this](const AttemptRecord::Setting& s) { cbFormat->showSetting(s); };
}

void TWinSpoken::cbFormatChoose(const AttemptRecord::Setting& format)
{
    if (phase() != Idle)
        return;
    settings_->fill(format);
    memoPage->refreshPointsRecord();
}

void TWinSpoken::nameControls()
{
    SetObjectNames({
        {pcTraining, "pcTraining"}, {tsMemo, "tsMemo"}, {bStartStop, "bStartStop"}, {pErgeb, "pErgeb"},
        {labPunkteRekord, "labPunkteRekord"}, {pPunkteRekord, "pPunkteRekord"}, {labPunkte, "labPunkte"},
        {pPunkte, "pPunkte"}, {labZiffern, "labZiffern"}, {pZiffern, "pZiffern"}, {bChange, "bChange"},
        {bClose, "bClose"}, {labAnzahlM, "labAnzahlM"}, {udAnzahlM, "udAnzahlM"}, {labMemoZeit, "labMemoZeit"},
        {udMemoZeit, "udMemoZeit"}, {labReplay, "labReplay"}, {udReplay, "udReplay"}, {rbGerman, "rbGerman"},
        {rbEnglisch, "rbEnglisch"}, {labFormat, "labFormat"}, {cbFormat, "cbFormat"}, {tbRegelwerke, "tbRegelwerke"},
        {chbMerken, "chbMerken"}, {view->cbGroesse, "cbGroesse"}, {view->cbGruppen, "cbGruppen"},
        {gbMemorieren, "gbMemorieren"}, {sgMemo, "sgMemo"}, {sgReplay, "sgReplay"},
        {sgPoints, "sgPoints"}, {lab1, "lab1"}, {lab10, "lab10"}, {lab20, "lab20"}, {lab30, "lab30"},
        {labMPunkte, "labMPunkte"}, {labFortschritt, "labFortschritt"}, {tSprache, "tSprache"},
        {tZehntel, "tZehntel"},
    });
    // Each label names the control it stands beside, for assistive technology.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {labPunkteRekord, pPunkteRekord}, {labPunkte, pPunkte}, {labZiffern, pZiffern},
        {labAnzahlM, udAnzahlM}, {labMemoZeit, udMemoZeit}, {labReplay, udReplay}, {labMPunkte, sgPoints},
        {labFormat, cbFormat},
    };
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);
}

void TWinSpoken::connectHandlers()
{
    bindStartStop(bStartStop, [this] { bStartStopClick(bStartStop); });
    onSignal(tSprache, &QTimer::timeout, [this] { tSpracheTimer(); });
    onSignal(tZehntel, &QTimer::timeout, [this] { tZehntelTimer(); });
    connect(bClose, &QPushButton::clicked, this, [this] { done(1); });
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TWinSpoken::FormCreate()
{
    readSettings();
    // The digits are only heard: nothing of the sheets shows before recall.
    sheets->hideAll();
    // A new user starts with the count, not on the page's tab.
    udAnzahlM->setFocus();
}

void TWinSpoken::FormShow()
{
    ApplyInterfaceTexts();
    memoPage->refreshPointsRecord();
    voice_.preload();
    // Speaking broken off by closing the window begins its recall now, with the
    // whole recall time; a recall left open when the window was closed goes on
    // where it stands, its clock and its limit applying again at once.
    if (recallOnShow_) {
        recallOnShow_ = false;
        startRecalling(SpeakingEnd::ByClosing);
    } else if (phase() == Recalling) {
        tZehntel->start();
        sgReplay->setFocus();
    }
}

void TWinSpoken::FormClose()
{
    // Digits must not go on sounding from a closed window, nor may their end
    // later hand the focus to it. Closing ends the speaking as "Memorieren
    // fertig" does, and the digits not yet spoken stay in the attempt; but no
    // one recalls into a closed window, so recall and its clock begin when the
    // window is shown again.
    if (phase() == Memorising) {
        tSprache->stop();
        voice_.stop();
        recallOnShow_ = true;
    }
    tZehntel->stop();
    pErgeb->setText(ClosedClockText);
    writeSettings();
}

void TWinSpoken::ApplyInterfaceTexts()
{
    ApplyTitles(ctx_, this, 170, pcTraining, {142});
    sgMemo->setAccessibleName(ctx_.InterfaceText(168, QStringLiteral("Vorgabe")));
    sgReplay->setAccessibleName(ctx_.InterfaceText(163, QStringLiteral("Wiedergabe")));
    ApplyCaptions(ctx_, this,
                  {{labAnzahlM, 154}, {labMemoZeit, 171}, {labReplay, 156}, {bStartStop, 146}, {labPunkteRekord, 147},
                   {labPunkte, 148}, {labZiffern, 149}, {bChange, 150}, {bClose, 151}, {rbGerman, 172},
                   {rbEnglisch, 173}, {labMPunkte, 158}, {gbMemorieren, 157}, {labFormat, 461}, {chbMerken, 506}});
    cbFormat->applyTexts();
    tbRegelwerke->applyTexts();
    view->ApplyInterfaceTexts(ctx_);
}

// ---------------------------------------------------------------------------
// The attempt

quint8 TWinSpoken::phase() const
{
    return memoPage->phase();
}

quint32 TWinSpoken::startTick() const
{
    return memoPage->attempt().startTick();
}

void TWinSpoken::bStartStopClick(QObject* sender)
{
    switch (phase()) {
    case Idle:
        startSpeaking();
        break;
    case Memorising:
        startRecalling(sender ? SpeakingEnd::ByButton : SpeakingEnd::Finished);
        break;
    default:
        memoPage->endRecalling();
        break;
    }
}

void TWinSpoken::startSpeaking()
{
    // The voice is all that can be changed while the digits are spoken.
    memoPage->begin(rbGerman->isChecked() ? rbGerman : rbEnglisch);
    sheets->setHeadingsVisible(false);
    memoPage->prepare(udAnzahlM->value(), false);
    nextDigit = 1;
    voice_.preload();
    memoPage->startMemorising();
    const ScoredAttempt& attempt = memoPage->attempt();
    pulses = PulseSchedule(attempt.startTick(), *attempt.setting().pulseMs, attempt.digitCount());
    tSpracheTimer();
}

void TWinSpoken::tSpracheTimer()
{
    // A pulse queued before the window closed speaks nothing more.
    if (phase() != Memorising || recallOnShow_)
        return;
    // A pulse is never early: a timer event before the due tick waits out the rest.
    if (pulses.msUntil(nextDigit, ctx_.tickSource.now()) > 0) {
        armPulse();
        return;
    }
    if (nextDigit > memoPage->attempt().digitCount()) {
        tSprache->stop();
        bStartStopClick(nullptr);
        return;
    }
    const QChar digit = QChar::fromLatin1(memoPage->attempt().attempt().given.at(nextDigit - 1));
    // The voice is read at every pulse, so a switch counts from the next digit.
    voice_.play(rbGerman->isChecked() ? QStringLiteral("Deutsch") : QStringLiteral("Englisch"), digit);
    showProgress();
    ++nextDigit;
    armPulse();
}

void TWinSpoken::showProgress()
{
    if (phase() != Memorising) {
        labFortschritt->clear();
        return;
    }
    labFortschritt->setText(ctx_.InterfaceText(503, QStringLiteral("Ziffer %1 von %2"))
                                .arg(nextDigit)
                                .arg(memoPage->attempt().digitCount()));
}

void TWinSpoken::armPulse()
{
    // Armed for the next pulse's own due tick, not one pulse from now, so a late
    // event delays only its own digit and nothing drifts over a long attempt.
    tSprache->start(pulses.msUntil(nextDigit, ctx_.tickSource.now()));
}

void TWinSpoken::startRecalling(SpeakingEnd how)
{
    tSprache->stop();
    if (how != SpeakingEnd::Finished)
        voice_.stop();
    memoPage->startRecalling(TMemoPage::RecallFrom::Start);
    sgReplay->setFocus();
    showProgress();
}

void TWinSpoken::tZehntelTimer()
{
    memoPage->tZehntelTimer();
}
