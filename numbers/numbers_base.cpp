#include "numbers/numbers_base.h"

#include "core/app_context.h"
#include "numbers/memo_page.h"
#include "numbers/memo_sheets.h"
#include "training/clock_text.h"
#include "widgets/panel.h"
#include "widgets/result_column.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"
#include "widgets/win_wait.h"
#include "widgets/window_helpers.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
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

    tZehntel = new QTimer(this);
    tZehntel->setInterval(100);
    tZehntel->setTimerType(Qt::PreciseTimer);
    picturePage->tZehntel = tZehntel;
    buildMemoAttempt();
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
    picturePage->draw = [this, alphabet](int count) {
        QByteArray digits(count, Qt::Uninitialized);
        for (char& digit : digits)
            digit = char('0' + ctx_.random.next(alphabet));
        return digits;
    };
    picturePage->showLine = [this](const PictureRun& run) {
        const DrillGroup group = run.current();
        pZahlen->setText(QString::fromLatin1(run.attempt().given.mid(group.first, group.size)));
    };
    picturePage->showIdle = [this](int) { pZahlen->clear(); };
}

void TNumbersBase::buildMemoPage()
{
    rbNoLimit = new QRadioButton(QStringLiteral("ohne Limit"), tsMemo);
    rbNoLimit->setGeometry(8, 12, 130, 18);
    rbNoLimit->setChecked(true);
    rbLimit = new QRadioButton(QStringLiteral("limitiert"), tsMemo);
    rbLimit->setGeometry(8, 34, 130, 18);

    const auto spin = [this](const NumbersWindowConstants::Spin& s, int y) {
        auto* ud = new TUpDownEdit(tsMemo);
        ud->setUp(s.min, s.max, s.step, s.value);
        ud->setGeometry(8, y, 104, 22);
        return ud;
    };
    const auto label = [this](const QString& text, int y) {
        auto* l = new QLabel(text, tsMemo);
        l->setGeometry(8, y, 128, 15);
        return l;
    };
    lab4 = label(QString::fromUtf8(k_.countLabel), 66);
    udAnzahlM = spin(k_.anzahlM, 82);
    udAnzahlM->setEnabled(false);
    lab5 = label(QStringLiteral("Memorierzeit"), 118);
    udMemoZeit = spin(k_.memoZeit, 134);
    lab6 = label(QStringLiteral("Wiedergabezeit"), 170);
    udReplay = spin(k_.replay, 186);

    sheets = new TMemoSheets(tsMemo, QRect(140, 4, 616, 280), font(), k_.rowWidth, k_.jumpWidth, k_.NoLimitCount);
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
    picturePage->pErgeb = pErgeb;
    picturePage->pRekZahlen = pRekZahlen;
}

void TNumbersBase::buildMemoAttempt()
{
    memoPage = new TMemoPage(*this, DisciplineOf(k_.memoCode),
                             {sheets, bStartStop, pErgeb, pPunkteRekord, pPunkte, pZiffern, bChange, tZehntel});
    memoPage->setting = [this](TUpDownEdit* sender, int newValue) { return memoSetting(sender, newValue); };
    memoPage->setSettingsEnabled = [this](bool enabled) { setMemoSettingsEnabled(enabled); };
    memoPage->moveOn = [this] { bStartStopClick(nullptr); };
    memoPage->refreshOnSteps({udAnzahlM, udMemoZeit, udReplay});
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
        {lab5, "lab5"}, {udMemoZeit, "udMemoZeit"}, {lab6, "lab6"}, {udReplay, "udReplay"},
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

    pcTraining->tabBar()->installEventFilter(this);
    pcTraining->installEventFilter(this);
    connect(pcTraining, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == shownPage_)
            return;
        // Whatever got past the guard is turned back while an attempt runs.
        if (phase() != Idle) {
            const QSignalBlocker block(pcTraining);
            pcTraining->setCurrentIndex(shownPage_);
            return;
        }
        shownPage_ = index;
        guarded([this] { pcTrainingChange(); });
    });

    for (TUpDownEdit* edit : {udAnzahl, udZeile, udAnzahlM, udMemoZeit, udReplay})
        onSignal(edit, &QSpinBox::valueChanged, [this] { eAnzahlChange(); });
    onSignal(rbNoLimit, &QRadioButton::clicked, [this] { rbNoLimitClick(); });
    onSignal(rbLimit, &QRadioButton::clicked, [this] { rbNoLimitClick(); });

    onSignal(pZahlen, &TPanel::clicked, [this] { pZahlenClick(); });
    if (k_.speedPanelAdvances)
        onSignal(pSpeedZahlen, &TPanel::clicked, [this] { pZahlenClick(); });
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TNumbersBase::FormCreate()
{
    pcTraining->setCurrentIndex(0);
    shownPage_ = 0;
    // The sheets are ready before this: the settings below may fail to be
    // written, and the window must be usable all the same.
    readSettings();
}

void TNumbersBase::FormShow()
{
    ApplyInterfaceTexts();
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

bool TNumbersBase::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pcTraining->tabBar() || watched == pcTraining) {
        bool pageChange = false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            pageChange = watched == pcTraining->tabBar();
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            pageChange = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right
                || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
                || key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown
                || key->key() == Qt::Key_Home || key->key() == Qt::Key_End;
            pageChange = pageChange && (watched == pcTraining->tabBar() || key->modifiers() & Qt::ControlModifier);
            break;
        }
        default:
            break;
        }
        if (pageChange && !pcTrainingChanging())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TNumbersBase::ApplyInterfaceTexts()
{
    const auto text = [this](int id, const QString& current) { return ctx_.InterfaceText(id, current); };
    setWindowTitle(text(k_.captionTextId, windowTitle()));
    pcTraining->setTabText(0, text(141, pcTraining->tabText(0)));
    pcTraining->setTabText(1, text(142, pcTraining->tabText(1)));
    lab1->setText(text(k_.countLabelTextId, lab1->text()));
    lab2->setText(text(144, lab2->text()));
    lab3->setText(text(145, lab3->text()));
    bStartStop->setText(text(146, bStartStop->text()));
    labPunkteRekord->setText(text(147, labPunkteRekord->text()));
    labPunkte->setText(text(148, labPunkte->text()));
    labZiffern->setText(text(149, labZiffern->text()));
    bChange->setText(text(150, bChange->text()));
    bClose->setText(text(151, bClose->text()));
    rbNoLimit->setText(text(152, rbNoLimit->text()));
    rbLimit->setText(text(153, rbLimit->text()));
    lab4->setText(text(k_.countLabelTextId, lab4->text()));
    lab5->setText(text(155, lab5->text()));
    lab6->setText(text(156, lab6->text()));
    gbMemorieren->setTitle(text(157, gbMemorieren->title()));
    lab7->setText(text(158, lab7->text()));
    labBestzeit->setText(text(159, labBestzeit->text()));
    sgMemo->setAccessibleName(text(168, QStringLiteral("Vorgabe")));
    sgReplay->setAccessibleName(text(163, QStringLiteral("Wiedergabe")));
    sgPoints->setAccessibleName(lab7->text());
    UpdateAccessibleNames(this);
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

double TNumbersBase::bestTime() const
{
    return picturePage->bestTime();
}

const PictureDrill& TNumbersBase::drill() const
{
    return picturePage->run().drill();
}

double TNumbersBase::memoTimeUsed() const
{
    return memoPage->attempt().memoTimeUsed();
}

double TNumbersBase::recallTimeUsed() const
{
    return memoPage->attempt().recallTimeUsed();
}

int TNumbersBase::digitCount() const
{
    return memoPage->attempt().digitCount();
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
    if (memo)
        memoPage->refreshPointsRecord();
}

void TNumbersBase::rbNoLimitClick()
{
    udAnzahlM->setEnabled(rbLimit->isChecked());
    memoPage->refreshPointsRecord();
}

// ---------------------------------------------------------------------------
// START/STOP, the clock and the picture panel

void TNumbersBase::bStartStopClick(QObject* sender)
{
    // On both pages the step depends on the phase alone: only the press after a
    // picture run's last line ends it complete, and that is the panel's.
    Q_UNUSED(sender)
    if (!onMemoPage()) {
        picturePage->startStop();
        return;
    }
    switch (memoPage->phase()) {
    case ScoredAttempt::Idle:
        startMemorising();
        break;
    case ScoredAttempt::Memorising:
        memoPage->startRecalling(TMemoPage::RecallFrom::MemoCursor);
        break;
    case ScoredAttempt::Recalling:
        memoPage->endRecalling();
        break;
    }
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

// ---------------------------------------------------------------------------
// The memorisation page's own part of an attempt

void TNumbersBase::startMemorising()
{
    memoPage->begin(sgMemo);
    const bool wasActive = isActiveWindow();
    if (waitWindow_) {
        waitWindow_->lNachricht->setText(ctx_.InterfaceText(161, QStringLiteral("Zahlen werden vorbereitet ...")));
        waitWindow_->show();
        repaintNow();
    }
    memoPage->prepare(*memoSetting(nullptr, 0).count, true, repaintNow);
    if (waitWindow_)
        waitWindow_->hide();
    // Some window systems hand the activation to the wait window and leave it
    // nowhere when that goes; the keys of the attempt must reach this window.
    if (wasActive && !isActiveWindow())
        activateWindow();
    repaintNow();
    sgMemo->setFocus();
    memoPage->startMemorising();
}

void TNumbersBase::setMemoSettingsEnabled(bool enabled)
{
    rbNoLimit->setEnabled(enabled);
    rbLimit->setEnabled(enabled);
    udAnzahlM->setEnabled(enabled && rbLimit->isChecked());
    udMemoZeit->setEnabled(enabled);
    udReplay->setEnabled(enabled);
    bClose->setEnabled(enabled);
}

AttemptRecord::Setting TNumbersBase::memoSetting(TUpDownEdit* sender, int newValue) const
{
    const auto value = [&](TUpDownEdit* spin) { return sender == spin ? newValue : spin->value(); };
    AttemptRecord::Setting setting;
    setting.count = rbNoLimit->isChecked() ? k_.NoLimitCount : value(udAnzahlM);
    setting.memoMinutes = value(udMemoZeit);
    setting.recallMinutes = value(udReplay);
    return setting;
}
