#include "numbers/numbers_base.h"

#include "core/app_context.h"
#include "core/error_handler.h"
#include "core/ini_file.h"
#include "numbers/memo_sheets.h"
#include "numbers/result_column.h"
#include "training/clock_text.h"
#include "training/scoring_rule.h"
#include "training/settings_key.h"
#include "widgets/panel.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"
#include "widgets/win_wait.h"
#include "widgets/window_helpers.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

const ChampionshipRule Championship;

} // namespace

template <class Handler>
void TNumbersBase::guarded(Handler&& handler)
{
    RunGuarded(ctx_.dialogs, std::forward<Handler>(handler));
}

TNumbersBase::TNumbersBase(AppContext& ctx, const NumbersWindowConstants& constants, QWidget* parent)
    : TTrainingDialog(parent), ctx_(ctx), k_(constants), scoring_(Championship)
{
    setObjectName(QString::fromLatin1(k_.objectName));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(k_.caption));
    setFont(PixelFont(11, false));
    setFixedSize(913, 358);

    buildControls();
    nameControls();
    RunGuarded(ctx_.dialogs, [this] { FormCreate(); });
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
}

void TNumbersBase::buildRightColumn()
{
    const ResultColumn column(this, 780);
    bStartStop = column.bStartStop;
    pErgeb = column.pErgeb;
    // The picture page's best time stands where the memorisation page's points
    // record stands.
    labBestzeit = column.label(QStringLiteral("Bestzeit"), 106);
    pRekZahlen = column.panel(122, 24);
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
}

void TNumbersBase::buildPicturePage()
{
    const auto spin = [this](const NumbersWindowConstants::Spin& s, int y) {
        auto* ud = new TUpDownEdit(tsBilder);
        ud->setUp(s.min, s.max, s.step, s.value);
        ud->setGeometry(16, y, 100, 22);
        return ud;
    };
    lab1 = new QLabel(QString::fromUtf8(k_.countLabel), tsBilder);
    lab1->setGeometry(16, 16, 130, 15);
    udAnzahl = spin(k_.anzahl, 32);
    lab2 = new QLabel(QStringLiteral("Anzahl pro Zeile"), tsBilder);
    lab2->setGeometry(16, 72, 130, 15);
    udZeile = spin(k_.zeile, 88);
    lab3 = new QLabel(QStringLiteral("Zeit pro Zeile"), tsBilder);
    lab3->setGeometry(16, 128, 130, 15);
    pSpeedZahlen = new TPanel(tsBilder);
    pSpeedZahlen->setGeometry(16, 144, 100, 24);

    pZahlen = new TPanel(tsBilder);
    pZahlen->setGeometry(170, 60, 570, 120);
    pZahlen->setFont(PixelFont(k_.pictureFontPx, true));
    pZahlen->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // A run goes on from the keyboard: the panel takes the focus and Space or Right.
    pZahlen->setFocusPolicy(Qt::StrongFocus);
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
    bindStartStop(bStartStop, [this] { guarded([this] { bStartStopClick(bStartStop); }); });
    connect(tZehntel, &QTimer::timeout, this, [this] { guarded([this] { tZehntelTimer(); }); });
    connect(bClose, &QPushButton::clicked, this, [this] { done(1); });
    connect(bChange, &QPushButton::clicked, this, [this] { guarded([this] { bChangeClick(); }); });

    pcTraining->tabBar()->installEventFilter(this);
    pcTraining->installEventFilter(this);
    connect(pcTraining, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == shownPage_)
            return;
        // Whatever got past the guard is turned back while an attempt runs.
        if (phase != Idle) {
            const QSignalBlocker block(pcTraining);
            pcTraining->setCurrentIndex(shownPage_);
            return;
        }
        shownPage_ = index;
        guarded([this] { pcTrainingChange(); });
    });

    udAnzahl->changing = [this](int v) { return udAnzahlChangingEx(udAnzahl, v); };
    udZeile->changing = [this](int v) { return udZeileChangingEx(udZeile, v); };
    udAnzahlM->changing = [this](int v) { return udAnzahlMChangingEx(udAnzahlM, v); };
    udMemoZeit->changing = [this](int v) { return udMemoZeitChangingEx(udMemoZeit, v); };
    udReplay->changing = [this](int v) { return udReplayChangingEx(udReplay, v); };
    for (TUpDownEdit* edit : {udAnzahl, udZeile, udAnzahlM, udMemoZeit, udReplay})
        connect(edit, &QSpinBox::valueChanged, this, [this] { guarded([this] { eAnzahlChange(); }); });

    connect(rbNoLimit, &QRadioButton::clicked, this, [this] { guarded([this] { rbNoLimitClick(); }); });
    connect(rbLimit, &QRadioButton::clicked, this, [this] { guarded([this] { rbNoLimitClick(); }); });

    connect(pZahlen, &TPanel::clicked, this, [this] { guarded([this] { pZahlenClick(); }); });
    if (k_.speedPanelAdvances)
        connect(pSpeedZahlen, &TPanel::clicked, this, [this] { guarded([this] { pZahlenClick(); }); });

    connectSheets();
}

void TNumbersBase::connectSheets()
{
    sgMemo->setKeyDownHook([this](int key, Qt::KeyboardModifiers m) { return sgMemoKeyDown(key, m); });
    connect(sgMemo, &TStringAlignGrid::topLeftChanged, this, [this] { sgMemoTopLeftChanged(); });
    sgReplay->setKeyDownHook([this](int key, Qt::KeyboardModifiers m) { return sgReplayKeyDown(key, m); });
    sgReplay->setKeyPressHook([this](QChar ch) { sgReplayKeyPress(ch); });
    connect(sgReplay, &TStringAlignGrid::topLeftChanged, this, [this] { sgReplayTopLeftChanged(); });
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TNumbersBase::FormCreate()
{
    phase = Idle;
    startTick = nowTick = 0;
    bestTime = NoBestTime;
    pcTraining->setCurrentIndex(0);
    shownPage_ = 0;

    // The sheets are ready before this: the settings below may fail to be
    // written, and the window must be usable all the same.
    IniFile ini(ctx_.settingsFile());
    const QString countKey = SettingsKey(k_.settingsWord, "Anzahl");
    const QString lineKey = SettingsKey(k_.settingsWord, "Zeile");
    udAnzahl->applyIfAcceptable(ini.ReadInteger(QStringLiteral("Korvanis"), countKey, k_.anzahl.value));
    udZeile->applyIfAcceptable(ini.ReadInteger(QStringLiteral("Korvanis"), lineKey, k_.zeile.value));
    ini.WriteInteger(QStringLiteral("Korvanis"), countKey, udAnzahl->value());
    ini.WriteInteger(QStringLiteral("Korvanis"), lineKey, udZeile->value());
}

void TNumbersBase::showEvent(QShowEvent* event)
{
    guarded([this] { FormShow(); });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TNumbersBase::FormShow()
{
    ApplyInterfaceTexts();
    if (onMemoPage())
        udAnzahlMChangingEx(nullptr, 0);
    else
        udAnzahlChangingEx(nullptr, 0);
    // An attempt left open when the window was closed goes on where it stands:
    // its clock and its time limit apply again at once.
    if (phase != Idle)
        tZehntel->start();
}

void TNumbersBase::done(int result)
{
    guarded([this] { FormClose(); });
    QDialog::done(result);
}

void TNumbersBase::FormClose()
{
    tZehntel->stop();
    pErgeb->setText(ClosedClockText);
    IniFile ini(ctx_.settingsFile());
    ini.WriteInteger(QStringLiteral("Korvanis"), SettingsKey(k_.settingsWord, "Anzahl"), udAnzahl->value());
    ini.WriteInteger(QStringLiteral("Korvanis"), SettingsKey(k_.settingsWord, "Zeile"), udZeile->value());
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
    bStartStop->setToolTip(StartStopKeys().first().toString(QKeySequence::NativeText));
    sgMemo->setAccessibleName(text(168, QStringLiteral("Vorgabe")));
    sgReplay->setAccessibleName(text(163, QStringLiteral("Wiedergabe")));
    sgPoints->setAccessibleName(lab7->text());
    UpdateAccessibleNames(this);
}

void TNumbersBase::eAnzahlChange()
{
    ApplyInterfaceTexts();
    if (onMemoPage())
        udAnzahlMChangingEx(nullptr, 0);
    else
        udAnzahlChangingEx(nullptr, 0);
}

// ---------------------------------------------------------------------------
// Pages

QList<QWidget*> TNumbersBase::memoPageItems() const
{
    return {labPunkteRekord, pPunkteRekord, labPunkte, pPunkte, labZiffern, pZiffern};
}

bool TNumbersBase::onMemoPage() const
{
    return pcTraining->currentWidget() == tsMemo;
}

bool TNumbersBase::pcTrainingChanging()
{
    return phase == Idle;
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
        udAnzahlMChangingEx(nullptr, 0);
}

void TNumbersBase::rbNoLimitClick()
{
    const bool limited = rbLimit->isChecked();
    udAnzahlM->setEnabled(limited);
    udAnzahlMChangingEx(nullptr, 0);
}

// ---------------------------------------------------------------------------
// START/STOP

void TNumbersBase::bStartStopClick(QObject* sender)
{
    if (!onMemoPage()) {
        if (phase == Idle)
            startPictureRun();
        else
            endPictureRun(sender);
        return;
    }
    switch (phase) {
    case Idle:
        startMemorising();
        break;
    case Memorising:
        startRecalling();
        break;
    default:
        endRecalling();
        break;
    }
}

QChar TNumbersBase::randomDigit()
{
    return QChar(char16_t(u'0' + ctx_.random.next(k_.alphabetSize)));
}

void TNumbersBase::repaintNow()
{
    // Paint only: a click arriving now waits until the attempt is ready.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

