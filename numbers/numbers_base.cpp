// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/numbers_base.h"

#include "core/app_context.h"
#include "numbers/memo_page.h"
#include "numbers/memo_sheets.h"
#include "numbers/numbers_memo_page.h"
#include "numbers/sheet_view_choice.h"
#include "training/clock_text.h"
#include "training/digit_draw.h"
#include "widgets/page_guard.h"
#include "widgets/panel.h"
#include "widgets/result_column.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"
#include "widgets/window_helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

TNumbersBase::TNumbersBase(AppContext& ctx, const NumbersWindowConstants& constants, QWidget* parent)
    : TTrainingDialog(ctx, constants.objectName, QString::fromUtf8(constants.caption), parent), k_(constants)
{
    setFixedSize(913, 358);
    buildControls();
    nameControls();
    guarded([this] { FormCreate(); });
    // Handlers are attached once the stored settings are in place, so creation
    // does not run them for every value it applies.
    connectHandlers();
}

TNumbersBase::~TNumbersBase() = default;

// ---------------------------------------------------------------------------
// Controls

void TNumbersBase::buildControls()
{
    pcTraining = new QTabWidget(this);
    pcTraining->setGeometry(4, 4, 769, 317);
    tsBilder = new QWidget;
    tsMemo = new QWidget;
    pcTraining->addTab(tsBilder, QStringLiteral("Bildertraining"));
    pcTraining->addTab(tsMemo, QStringLiteral("Memorieren"));
    buildPicturePage();
    buildMemoPage();
    buildRightColumn();
}

void TNumbersBase::buildPicturePage()
{
    picturePage = new TPicturePage(*this, DisciplineOf(k_.pictureCode), tsBilder,
                                   {k_.countLabel, k_.anzahl, k_.zeile, k_.settingsWord, k_.anzahl.value,
                                    k_.zeile.value, 100});
    lab1 = picturePage->lab1;
    udAnzahl = picturePage->udAnzahl;
    lab2 = picturePage->lab2;
    udZeile = picturePage->udZeile;
    lab3 = picturePage->lab3;
    pSpeedZahlen = picturePage->pSpeedZahlen;

    pZahlen = new TPanel(tsBilder);
    pZahlen->setGeometry(170, 60, 570, 120);
    pZahlen->setFont(PixelFont(k_.pictureFontPx, true));
    pZahlen->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // A run goes on from the keyboard: the panel takes the focus and Space or Right.
    pZahlen->setFocusPolicy(Qt::StrongFocus);

    picturePage->runFocus = pZahlen;
    const int alphabet = DisciplineOf(k_.pictureCode).alphabetSize;
    picturePage->draw = [this, alphabet](int count) { return DrawDigits(count, alphabet, ctx_.random); };
    picturePage->showLine = [this](const PictureRun& run) {
        const DrillGroup group = run.current();
        pZahlen->setText(QString::fromLatin1(run.attempt().given.mid(group.first, group.size)));
    };
    picturePage->showIdle = [this](int) { pZahlen->clear(); };
    picturePage->labFortschritt->setGeometry(170, 184, 570, 18);
    picturePage->progressText = [this](const PictureRun& run) {
        const int perLine = run.drill().perLine();
        return ctx_.InterfaceText(501, QStringLiteral("Gruppe %1 von %2"))
            .arg(run.current().first / perLine + 1)
            .arg(run.drill().groupCount());
    };
}

void TNumbersBase::buildMemoPage()
{
    memo = new TNumbersMemoPage(*this, k_, tsMemo);
    rbNoLimit = memo->rbNoLimit;
    rbLimit = memo->rbLimit;
    lab4 = memo->lab4;
    udAnzahlM = memo->udAnzahlM;
    lab5 = memo->lab5;
    udMemoZeit = memo->udMemoZeit;
    lab6 = memo->lab6;
    udReplay = memo->udReplay;
    chbMerken = memo->chbMerken;
    sheets = memo->sheets;
    gbMemorieren = sheets->gbMemorieren;
    sgMemo = sheets->sgMemo;
    sgReplay = sheets->sgReplay;
    sgPoints = sheets->sgPoints;
    lab7 = sheets->labPoints;
}

void TNumbersBase::buildRightColumn()
{
    const ResultColumn column(this, 780, ResultColumn::BestTime | ResultColumn::Points);
    bStartStop = column.bStartStop;
    pErgeb = column.pErgeb;
    labBestzeit = column.labBestzeit;
    pRekZahlen = column.pRekZahlen;
    labPunkteRekord = column.labPunkteRekord;
    pPunkteRekord = column.pPunkteRekord;
    labPunkte = column.labPunkte;
    pPunkte = column.pPunkte;
    labZiffern = column.labZiffern;
    pZiffern = column.pZiffern;
    for (QWidget* item : memoPageItems())
        item->hide();
    bChange = column.bChange;
    bClose = column.bClose;

    tZehntel = new QTimer(this);
    tZehntel->setInterval(100);
    tZehntel->setTimerType(Qt::PreciseTimer);
    picturePage->pErgeb = pErgeb;
    picturePage->pRekZahlen = pRekZahlen;
    picturePage->tZehntel = tZehntel;
    memo->attach(column, tZehntel);
    memoPage = memo->attempt;
    memoPage->moveOn = [this] { bStartStopClick(nullptr); };
}

void TNumbersBase::nameControls()
{
    SetObjectNames({
        {pcTraining, "pcTraining"}, {tsBilder, "tsBilder"}, {tsMemo, "tsMemo"},
        {bStartStop, "bStartStop"}, {pErgeb, "pErgeb"}, {labBestzeit, "labBestzeit"},
        {pRekZahlen, "pRekZahlen"}, {labPunkteRekord, "labPunkteRekord"}, {pPunkteRekord, "pPunkteRekord"},
        {labPunkte, "labPunkte"}, {pPunkte, "pPunkte"}, {labZiffern, "labZiffern"},
        {pZiffern, "pZiffern"}, {bChange, "bChange"}, {bClose, "bClose"},
        {lab1, "lab1"}, {udAnzahl, "udAnzahl"}, {lab2, "lab2"}, {udZeile, "udZeile"},
        {lab3, "lab3"}, {pSpeedZahlen, "pSpeedZahlen"}, {pZahlen, "pZahlen"},
        {rbNoLimit, "rbNoLimit"}, {rbLimit, "rbLimit"}, {lab4, "lab4"}, {udAnzahlM, "udAnzahlM"},
        {lab5, "lab5"}, {udMemoZeit, "udMemoZeit"}, {lab6, "lab6"}, {udReplay, "udReplay"}, {chbMerken, "chbMerken"},
        {memo->view->cbGroesse, "cbGroesse"}, {memo->view->cbGruppen, "cbGruppen"},
        {gbMemorieren, "gbMemorieren"}, {sgMemo, "sgMemo"}, {sgReplay, "sgReplay"},
        {sgPoints, "sgPoints"}, {lab7, "lab7"}, {tZehntel, "tZehntel"},
    });
    // Each label names the control it stands beside, for assistive technology.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lab1, udAnzahl}, {lab2, udZeile}, {lab3, pSpeedZahlen}, {labBestzeit, pRekZahlen},
        {labPunkteRekord, pPunkteRekord}, {labPunkte, pPunkte}, {labZiffern, pZiffern},
        {lab4, udAnzahlM}, {lab5, udMemoZeit}, {lab6, udReplay}, {lab7, sgPoints},
    };
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);
}

void TNumbersBase::connectHandlers()
{
    bindStartStop(bStartStop, [this] { bStartStopClick(bStartStop); });
    onSignal(tZehntel, &QTimer::timeout, [this] { tZehntelTimer(); });
    connect(bClose, &QPushButton::clicked, this, [this] { done(1); });

    new PageGuard(
        pcTraining, [this] { return pcTrainingChanging(); }, [this] { guarded([this] { pcTrainingChange(); }); });

    for (TUpDownEdit* edit : {udAnzahl, udZeile, udAnzahlM, udMemoZeit, udReplay})
        onSignal(edit, &QSpinBox::valueChanged, [this] { eAnzahlChange(); });
    onSignal(rbNoLimit, &QRadioButton::clicked, [this] { memo->rbNoLimitClick(); });
    onSignal(rbLimit, &QRadioButton::clicked, [this] { memo->rbNoLimitClick(); });

    onSignal(pZahlen, &TPanel::clicked, [this] { pZahlenClick(); });
    if (k_.speedPanelAdvances)
        onSignal(pSpeedZahlen, &TPanel::clicked, [this] { pZahlenClick(); });
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TNumbersBase::FormCreate()
{
    // The sheets are ready before this: the settings below may fail to be
    // written, and the window must be usable all the same.
    readSettings();
    memo->followLimitChoice();
}

void TNumbersBase::FormShow()
{
    ApplyInterfaceTexts();
    fitPage();
    refreshRecord();
    // An attempt left open when the window was closed goes on where it stands:
    // its clock and its time limit apply again at once.
    if (phase() != Idle)
        tZehntel->start();
}

void TNumbersBase::FormClose()
{
    tZehntel->stop();
    pErgeb->setText(ClosedClockText);
    writeSettings();
}

void TNumbersBase::ApplyInterfaceTexts()
{
    ApplyTitles(ctx_, this, k_.captionTextId, pcTraining, {141, 142});
    sgMemo->setAccessibleName(ctx_.InterfaceText(168, QStringLiteral("Vorgabe")));
    sgReplay->setAccessibleName(ctx_.InterfaceText(163, QStringLiteral("Wiedergabe")));
    ApplyCaptions(ctx_, this,
                  {{lab1, k_.countLabelTextId}, {lab2, 144}, {lab3, 145}, {bStartStop, 146}, {labPunkteRekord, 147},
                   {labPunkte, 148}, {labZiffern, 149}, {bChange, 150}, {bClose, 151}, {rbNoLimit, 152},
                   {rbLimit, 153}, {lab4, k_.countLabelTextId}, {lab5, 155}, {lab6, 156}, {gbMemorieren, 157},
                   {lab7, 158}, {labBestzeit, 159}, {chbMerken, 506}, {memo->labFormat, 461}});
    sgPoints->setAccessibleName(lab7->text());
    memo->applyTexts();
    memo->view->ApplyInterfaceTexts(ctx_);
}

void TNumbersBase::eAnzahlChange()
{
    ApplyInterfaceTexts();
    refreshRecord();
}

void TNumbersBase::refreshRecord()
{
    if (onMemoPage())
        memoPage->refreshPointsRecord();
    else
        picturePage->refresh();
}

// ---------------------------------------------------------------------------
// Pages and the state of the one under way

QList<QWidget*> TNumbersBase::memoPageItems() const
{
    return {labPunkteRekord, pPunkteRekord, labPunkte, pPunkte, labZiffern, pZiffern};
}

bool TNumbersBase::onMemoPage() const
{
    return pcTraining->currentWidget() == tsMemo;
}

quint8 TNumbersBase::phase() const
{
    return picturePage->running() ? Running : memoPage->phase();
}

quint32 TNumbersBase::startTick() const
{
    return onMemoPage() ? memoPage->attempt().startTick() : picturePage->run().startTick();
}

bool TNumbersBase::pcTrainingChanging()
{
    return phase() == Idle;
}

void TNumbersBase::pcTrainingChange()
{
    const bool memo = onMemoPage();
    bStartStop->setText(memo ? ctx_.InterfaceText(166, QStringLiteral("START"))
                             : ctx_.InterfaceText(146, QStringLiteral("START / STOP")));
    pErgeb->setText(memo ? ClockZeroText : PictureClockZeroText);
    labBestzeit->setVisible(!memo);
    pRekZahlen->setVisible(!memo);
    for (QWidget* item : memoPageItems())
        item->setVisible(memo);
    fitPage();
    if (memo)
        memoPage->refreshPointsRecord();
}

void TNumbersBase::fitPage()
{
    // The memorisation page holds the table of rule sets below its sheets; the
    // picture page keeps the designed size.
    const int extra = onMemoPage() ? TNumbersMemoPage::tableHeight() : 0;
    pcTraining->resize(pcTraining->width(), 317 + extra);
    setFixedSize(913, 358 + extra);
}

// ---------------------------------------------------------------------------
// START/STOP, the clock and the picture panel

void TNumbersBase::bStartStopClick(QObject* sender)
{
    // On both pages the step depends on the phase alone: only the press after a
    // picture run's last line ends it complete, and that is the panel's.
    Q_UNUSED(sender)
    if (onMemoPage())
        memo->startStop();
    else
        picturePage->startStop();
}

void TNumbersBase::tZehntelTimer()
{
    if (onMemoPage())
        memoPage->tZehntelTimer();
    else
        picturePage->tick();
}

void TNumbersBase::pZahlenClick()
{
    if (!onMemoPage())
        picturePage->press();
}

void TNumbersBase::setWaitWindow(TWinWait* wait)
{
    memo->setWaitWindow(wait);
}
