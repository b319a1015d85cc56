#include "numbers/numbers_base.h"

#include "core/app_context.h"
#include "core/error_handler.h"
#include "core/formats.h"
#include "core/ini_file.h"
#include "widgets/win_wait.h"
#include "widgets/window_helpers.h"
#include "training/attempt_clock.h"
#include "training/clock_text.h"
#include "training/settings_key.h"
#include "records/records_table.h"
#include "widgets/double_click_guard.h"
#include "widgets/panel.h"
#include "widgets/speed_button.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

const QString SignalSound = QStringLiteral("Sounds/Beep.wav");
constexpr int SheetRows = 10;
constexpr int LabelColumnWidth = 32;
constexpr int DigitColumnWidth = 13;
constexpr int SheetRowHeight = 22;
constexpr int PointsColumnWidth = 16;

QFont pixelFont(int px, bool bold, QFont::StyleHint hint = QFont::SansSerif)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(hint);
    font.setPixelSize(px);
    font.setBold(bold);
    return font;
}

} // namespace

template <class Handler>
void TNumbersBase::guarded(Handler&& handler)
{
    RunGuarded(ctx_.dialogs, std::forward<Handler>(handler));
}

TNumbersBase::TNumbersBase(AppContext& ctx, const NumbersWindowConstants& constants, QWidget* parent)
    : QDialog(parent), ctx_(ctx), k_(constants)
{
    setObjectName(QString::fromLatin1(k_.objectName));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(k_.caption));
    setFont(pixelFont(11, false));
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

    // The right-hand column.
    constexpr int x = 780;
    constexpr int w = 129;
    const auto label = [this](const QString& text, int y) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, y, w, 15);
        return l;
    };
    const auto panel = [this](int y, int h) {
        auto* p = new TPanel(this);
        p->setGeometry(x, y, w, h);
        return p;
    };

    bStartStop = new TSpeedButton(QStringLiteral("START / STOP"), this);
    bStartStop->setGeometry(x, 26, w, 34);
    QFont bold = font();
    bold.setBold(true);
    bStartStop->setFont(bold);

    pErgeb = panel(66, 30);
    pErgeb->setFont(pixelFont(19, true));
    pErgeb->setText(ClosedClockText);

    labBestzeit = label(QStringLiteral("Bestzeit"), 106);
    pRekZahlen = panel(122, 24);
    labPunkteRekord = label(QStringLiteral("Punkterekord"), 106);
    pPunkteRekord = panel(122, 24);
    labPunkte = label(QStringLiteral("Punkte Meisterschaft"), 154);
    pPunkte = panel(170, 24);
    labZiffern = label(QStringLiteral("Korrekte Ziffern"), 202);
    pZiffern = panel(218, 24);
    for (QWidget* item : memoPageItems())
        item->hide();

    bChange = new TSpeedButton(QStringLiteral("Vorgabe anzeigen"), this);
    bChange->setGeometry(x, 250, w, 34);
    bChange->hide();
    bClose = new QPushButton(QStringLiteral("Schliessen"), this);
    bClose->setGeometry(x, 293, w, 28);
    for (QPushButton* button : {bStartStop, bChange, bClose}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    tZehntel = new QTimer(this);
    tZehntel->setInterval(100);
    tZehntel->setTimerType(Qt::PreciseTimer);
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
    pZahlen->setFont(pixelFont(k_.pictureFontPx, true));
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

    gbMemorieren = new QGroupBox(QStringLiteral("Memorieren"), tsMemo);
    gbMemorieren->setGeometry(140, 4, 616, 280);

    sgMemo = new TStringAlignGrid(gbMemorieren);
    sgReplay = new TStringAlignGrid(gbMemorieren);
    sgPoints = new TStringAlignGrid(gbMemorieren);
}

void TNumbersBase::nameControls()
{
    const std::pair<QObject*, const char*> names[] = {
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
        {sgPoints, "sgPoints"}, {tZehntel, "tZehntel"},
    };
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
    // Each label names the control it stands beside, for assistive technology.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lab1, udAnzahl}, {lab2, udZeile}, {lab3, pSpeedZahlen}, {labBestzeit, pRekZahlen},
        {labPunkteRekord, pPunkteRekord}, {labPunkte, pPunkte}, {labZiffern, pZiffern},
        {lab4, udAnzahlM}, {lab5, udMemoZeit}, {lab6, udReplay},
    };
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);
}

void TNumbersBase::connectHandlers()
{
    // The second click of a double click on START would act on the attempt the
    // first one started (recall before a digit was seen, or an empty recall).
    DoubleClickGuard::install(bStartStop);
    for (const QKeySequence& keys : StartStopKeys()) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, [this] { guarded([this] { bStartStopClick(bStartStop); }); });
    }
    connect(bStartStop, &QPushButton::clicked, this, [this] { guarded([this] { bStartStopClick(bStartStop); }); });
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
    bestTime = 99999;

    // The sheets first: the settings below may fail to be written, and the window
    // must be usable all the same.
    rowWidth = k_.rowWidth;
    jumpWidth = k_.jumpWidth;
    pageRows = SheetRows - 1;
    lastRowDigits = rowWidth;
    lastRow = SheetRows - 1;

    // The labels use the window's font, narrowed where the widest of them (19960)
    // would not fit its column in this font.
    QFont labels = font();
    const QString widestLabel = QString::number((k_.NoLimitCount - 1) / rowWidth * rowWidth);
    while (labels.pixelSize() > 7 && QFontMetrics(labels).horizontalAdvance(widestLabel) > LabelColumnWidth - 3)
        labels.setPixelSize(labels.pixelSize() - 1);

    for (TStringAlignGrid* sheet : {sgMemo, sgReplay}) {
        sheet->setColCount(rowWidth + 1);
        sheet->setFixedCols(1);
        sheet->setRowCount(SheetRows);
        sheet->setDefaultRowHeight(SheetRowHeight);
        sheet->setDefaultColWidth(DigitColumnWidth);
        sheet->setColWidth(0, LabelColumnWidth);
        sheet->setColAlignment(0, Qt::AlignCenter);
        sheet->setColFont(0, labels);
        const QFont digits = pixelFont(16, true);
        for (int c = 1; c <= rowWidth; ++c) {
            sheet->setColAlignment(c, Qt::AlignCenter);
            sheet->setColFont(c, digits);
        }
        sheet->setColor(GridColor::White);
        sheet->setFontColor(GridColor::Black);
        sheet->setFixedColor(GridColor::Silver);
        sheet->setSelectedColor(GridColor::LightBlue);
        sheet->setVerticalScrollBarShown(true);
    }
    for (int r = 0; r < SheetRows; ++r)
        sgMemo->setCell(0, r, QString::number(r * rowWidth));

    sgPoints->setColCount(1);
    sgPoints->setRowCount(SheetRows);
    sgPoints->setDefaultRowHeight(SheetRowHeight);
    sgPoints->setColWidth(0, PointsColumnWidth);
    sgPoints->setColAlignment(0, Qt::AlignCenter);
    sgPoints->setColFont(0, font());
    sgPoints->setVerticalScrollBarShown(false);
    sgPoints->setShowSelection(false);
    sgPoints->setFontColor(GridColor::Black);
    sgPoints->setEnabled(false);

    // The sheets lie on top of each other under their column headings, the points
    // column to their right.
    const QSize sheetSize = sgMemo->sizeForRows(SheetRows);
    const int top = 34;
    sgMemo->setGeometry(10, top, sheetSize.width(), sheetSize.height());
    sgReplay->setGeometry(sgMemo->geometry());
    sgReplay->hide();
    const int frame = (sheetSize.height() - SheetRows * SheetRowHeight) / 2;
    sgPoints->setGeometry(sgMemo->geometry().right() + 8, top, sgPoints->sizeForRows(SheetRows).width(),
                          sheetSize.height());
    for (int column : {1, 10, 20, 30, 40}) {
        if (column > rowWidth)
            break;
        auto* heading = new QLabel(QString::number(column), gbMemorieren);
        const int x = 10 + frame + LabelColumnWidth + (column - 1) * DigitColumnWidth;
        heading->setGeometry(x - 6, top - 15, DigitColumnWidth + 12, 14);
        heading->setAlignment(Qt::AlignCenter);
        columnHeadings << heading;
    }
    lab7 = new QLabel(QStringLiteral("Punkte"), gbMemorieren);
    lab7->setGeometry(sgPoints->x() - 14, top - 15, sgPoints->width() + 28, 14);
    lab7->setAlignment(Qt::AlignCenter);

    pcTraining->setCurrentIndex(0);
    shownPage_ = 0;

    IniFile ini(ctx_.settingsFile());
    const QString countKey = settingsKey("Anzahl");
    const QString lineKey = settingsKey("Zeile");
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
    ini.WriteInteger(QStringLiteral("Korvanis"), settingsKey("Anzahl"), udAnzahl->value());
    ini.WriteInteger(QStringLiteral("Korvanis"), settingsKey("Zeile"), udZeile->value());
}

void TNumbersBase::keyPressEvent(QKeyEvent* event)
{
    // Neither Escape nor Enter closes a training window or presses a button.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
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

QString TNumbersBase::settingsKey(const char* what) const
{
    return SettingsKey(k_.settingsWord, what);
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
// START/STOP and the clock

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

void TNumbersBase::repaintNow()
{
    // Paint only: a click arriving now waits until the attempt is ready.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
    lastRowDigits = (digitCount - 1) % rowWidth + 1;
    lastRow = (digitCount - 1) / rowWidth;

    sgReplay->hide();
    for (TStringAlignGrid* grid : {sgMemo, sgReplay, sgPoints})
        grid->setRowCount(lastRow + 1);
    sgMemo->show();
    repaintNow();

    FillSheets();
    for (TStringAlignGrid* sheet : {sgMemo, sgReplay}) {
        sheet->setCurrentCell(1, 0);
        sheet->setTopRow(0);
    }
    followWithPoints(sgMemo);

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
    const quint32 elapsed = ElapsedMs(startTick, nowTick);
    memoTimeUsed = elapsed / 1000.0;
    startTick = nowTick;
    phase = Recalling;
    gbMemorieren->setTitle(ctx_.InterfaceText(163, QStringLiteral("Wiedergabe")));
    bStartStop->setText(ctx_.InterfaceText(164, QStringLiteral("Wiedergabe fertig")));
    pErgeb->setText(ClockText(elapsed));

    sgReplay->setTopRow(sgMemo->topRow());
    moveCursor(sgReplay, cursor(sgMemo));
    sgMemo->hide();
    sgReplay->show();
    sgReplay->setFocus();
    followWithPoints(sgReplay);
}

void TNumbersBase::endRecalling()
{
    tZehntel->stop();
    nowTick = ctx_.tickSource.now();
    recallTimeUsed = ElapsedMs(startTick, nowTick) / 1000.0;
    phase = Idle;

    sgReplay->setCurrentCell(1, 0);
    sgReplay->setTopRow(0);
    sgReplay->setFocus();

    ScoreRecall();

    const int memoMinutes = udMemoZeit->value();
    const int recallMinutes = udReplay->value();
    bool newRecord = false;
    if (pointsTimesFit(memoMinutes, recallMinutes)) {
        const std::optional<double> stored = storedPoints(memoMinutes, recallMinutes);
        newRecord = !stored || *stored < lastScore.totalPoints;
    }

    gbMemorieren->setTitle(ctx_.InterfaceText(165, QStringLiteral("Ergebnis")));
    setMemoSettingsEnabled(true);
    bStartStop->setText(ctx_.InterfaceText(166, QStringLiteral("START")));
    bChange->setText(ctx_.InterfaceText(150, QStringLiteral("Vorgabe anzeigen")));
    bChange->show();

    if (newRecord && lastScore.totalPoints > 0
        && ctx_.dialogs.askYesNo(
            ctx_.InterfaceText(160, QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?")))) {
        pPunkteRekord->setText(QString::number(lastScore.totalPoints));
        ctx_.DBDaten.StorePointsRecord(k_.memoCode, digitCount, memoMinutes * 60.0, recallMinutes * 60.0,
                                       lastScore.totalPoints, memoTimeUsed, recallTimeUsed);
    }
}

void TNumbersBase::tZehntelTimer()
{
    nowTick = ctx_.tickSource.now();
    const quint32 elapsed = ElapsedMs(startTick, nowTick);
    if (!onMemoPage()) {
        pErgeb->setText(RunningSecondsText(elapsed));
        return;
    }
    const int minutes = phase == Memorising ? udMemoZeit->value() : udReplay->value();
    const AttemptClock clock(startTick);
    if (clock.isSignalSecond(nowTick, minutes))
        ctx_.SRWavePlayer.play(SignalSound);
    if (clock.limitReached(nowTick, minutes)) {
        pErgeb->setText(LimitText(minutes));
        bStartStopClick(nullptr);
        return;
    }
    pErgeb->setText(ClockText(elapsed));
}

// ---------------------------------------------------------------------------
// The sheets

QChar TNumbersBase::randomDigit()
{
    return QChar(char16_t(u'0' + ctx_.random.next(k_.alphabetSize)));
}

void TNumbersBase::FillSheets()
{
    sgMemo->beginUpdate();
    sgReplay->beginUpdate();
    sgPoints->beginUpdate();
    for (int i = 1; i <= digitCount; ++i) {
        const int r = (i - 1) / rowWidth;
        const int c = (i - 1) % rowWidth + 1;
        if (c == 1) {
            const QString label = QString::number(r * rowWidth);
            sgMemo->setCell(0, r, label);
            sgReplay->setCell(0, r, label);
            sgPoints->setCell(0, r, QString());
        }
        sgMemo->setCellCharColors(c, r, randomDigit().toLatin1(), GridColor::Window, GridColor::Black);
        sgReplay->setCellCharColors(c, r, 0, GridColor::Window, GridColor::Black);
    }
    if (digitCount % rowWidth > 0) {
        for (int c = digitCount % rowWidth + 1; c <= rowWidth; ++c) {
            sgMemo->setCellCharColors(c, lastRow, 0, GridColor::ButtonFace, GridColor::Black);
            sgReplay->setCellCharColors(c, lastRow, 0, GridColor::ButtonFace, GridColor::Black);
        }
    }
    sgPoints->endUpdate();
    sgReplay->endUpdate();
    sgMemo->endUpdate();
}

SheetGeometry TNumbersBase::geometry() const
{
    return SheetGeometry{rowWidth, lastRow, lastRowDigits, pageRows, jumpWidth};
}

CellPos TNumbersBase::cursor(const TStringAlignGrid* sheet) const
{
    return CellPos{sheet->currentCol(), sheet->currentRow()};
}

void TNumbersBase::moveCursor(TStringAlignGrid* sheet, CellPos target)
{
    if (target != cursor(sheet))
        sheet->setCurrentCell(target.col, target.row);
}

void TNumbersBase::followWithPoints(const TStringAlignGrid* sheet)
{
    sgPoints->setTopRow(sheet->topRow());
    sgPoints->setCurrentCell(0, sheet->currentRow());
}

bool TNumbersBase::sgMemoKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (phase != Memorising)
        return false;
    const NavigateResult result = NavigateSheet(key, modifiers & Qt::ControlModifier, cursor(sgMemo), geometry());
    if (result.consumed)
        moveCursor(sgMemo, result.target);
    return result.consumed;
}

void TNumbersBase::sgMemoTopLeftChanged()
{
    moveCursor(sgMemo, KeepRowVisible(cursor(sgMemo), sgMemo->topRow(), pageRows));
    // In the result view the points stay beside the rows on screen, whichever
    // sheet is shown.
    if (phase == Idle && !sgMemo->isHidden() && !bChange->isHidden())
        followWithPoints(sgMemo);
}

bool TNumbersBase::sgReplayKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const NavigateResult result = NavigateSheet(key, modifiers & Qt::ControlModifier, cursor(sgReplay), geometry());
    if (result.consumed) {
        moveCursor(sgReplay, result.target);
        return true;
    }
    if (key == Qt::Key_Delete && phase == Recalling)
        sgReplay->setCellChar(sgReplay->currentCol(), sgReplay->currentRow(), 0);
    return false;
}

void TNumbersBase::sgReplayKeyPress(QChar ch)
{
    if (phase != Recalling)
        return;
    const CellPos at = cursor(sgReplay);
    if (ch >= QLatin1Char('0') && ch.unicode() < u'0' + k_.alphabetSize) {
        sgReplay->setCellChar(at.col, at.row, char(ch.unicode()));
        moveCursor(sgReplay, RecallAdvance(at, geometry()));
    } else if (ch == QLatin1Char(' ')) {
        sgReplay->setCellChar(at.col, at.row, 0);
        moveCursor(sgReplay, RecallAdvance(at, geometry()));
    } else if (ch == QChar(8)) {
        const CellPos back = RecallMoveBack(at, geometry());
        moveCursor(sgReplay, back);
        sgReplay->setCellChar(back.col, back.row, 0);
    }
}

void TNumbersBase::sgReplayTopLeftChanged()
{
    moveCursor(sgReplay, KeepRowVisible(cursor(sgReplay), sgReplay->topRow(), pageRows));
    followWithPoints(sgMemo->isHidden() ? sgReplay : sgMemo);
}

// ---------------------------------------------------------------------------
// Scoring and the result view

void TNumbersBase::ScoreRecall()
{
    QVector<RowTexts> rows(lastRow + 1);
    for (int r = 0; r <= lastRow; ++r) {
        const int digits = r == lastRow ? lastRowDigits : rowWidth;
        rows[r].given.reserve(digits);
        rows[r].recalled.reserve(digits);
    }
    sgReplay->beginUpdate();
    for (int i = 1; i <= digitCount; ++i) {
        const int r = (i - 1) / rowWidth;
        const int c = (i - 1) % rowWidth + 1;
        const char given = sgMemo->cellChar(c, r);
        const char recalled = sgReplay->cellChar(c, r);
        const QChar recalledChar = recalled ? QChar::fromLatin1(recalled) : QLatin1Char(' ');
        rows[r].given += QChar::fromLatin1(given);
        rows[r].recalled += recalledChar;
        switch (MarkCell(QChar::fromLatin1(given), recalledChar)) {
        case CellMark::Right:
            sgReplay->setCellFontColor(c, r, GridColor::Green);
            break;
        case CellMark::Wrong:
            sgReplay->setCellFontColor(c, r, GridColor::Red);
            break;
        case CellMark::Missing:
            sgReplay->setCellBackground(c, r, GridColor::LightRed);
            break;
        }
    }
    sgReplay->endUpdate();

    lastScore = ScoreChampionship(rows);
    sgPoints->beginUpdate();
    for (int r = 0; r <= lastRow; ++r)
        sgPoints->setCell(0, r, QString::number(lastScore.rowPoints.value(r)));
    sgPoints->endUpdate();
    pPunkte->setText(QString::number(lastScore.totalPoints));
    pZiffern->setText(QString::number(lastScore.correctDigits));
}

void TNumbersBase::bChangeClick()
{
    if (!sgMemo->isHidden()) {
        moveCursor(sgReplay, cursor(sgMemo));
        sgReplay->setTopRow(sgMemo->topRow());
        sgMemo->hide();
        sgReplay->show();
        sgReplay->setFocus();
        bChange->setText(ctx_.InterfaceText(150, QStringLiteral("Vorgabe anzeigen")));
        gbMemorieren->setTitle(ctx_.InterfaceText(165, QStringLiteral("Ergebnis")));
        followWithPoints(sgReplay);
    } else {
        moveCursor(sgMemo, cursor(sgReplay));
        sgMemo->setTopRow(sgReplay->topRow());
        sgReplay->hide();
        sgMemo->show();
        sgMemo->setFocus();
        bChange->setText(ctx_.InterfaceText(167, QStringLiteral("Ergebnis anzeigen")));
        gbMemorieren->setTitle(ctx_.InterfaceText(168, QStringLiteral("Vorgabe")));
        followWithPoints(sgMemo);
    }
}

// ---------------------------------------------------------------------------
// Records shown for the current setting

bool TNumbersBase::pointsTimesFit(int memoMinutes, int recallMinutes) const
{
    // Times of 1667 minutes and more have no key: such attempts are never looked
    // up or offered, rather than stored under a key cut short.
    return PointsKey(k_.memoCode, memoMinutes * 60.0, recallMinutes * 60.0).has_value();
}

std::optional<double> TNumbersBase::storedPoints(int memoMinutes, int recallMinutes) const
{
    if (!pointsTimesFit(memoMinutes, recallMinutes))
        return std::nullopt;
    return ctx_.DBDaten.LookupPointsRecord(k_.memoCode, memoMinutes * 60.0, recallMinutes * 60.0);
}

void TNumbersBase::refreshPointsRecord(int memoMinutes, int recallMinutes)
{
    const std::optional<double> stored = storedPoints(memoMinutes, recallMinutes);
    pPunkteRekord->setText(stored ? FormatFixed(*stored, 0) : QStringLiteral("0"));
}

bool TNumbersBase::pointsRecordChanging(TUpDownEdit* sender, int newValue)
{
    if (sender && !sender->acceptable(newValue))
        return false;
    refreshPointsRecord(sender == udMemoZeit ? newValue : udMemoZeit->value(),
                        sender == udReplay ? newValue : udReplay->value());
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

void TNumbersBase::refreshBestTime(int count, int perLine)
{
    const std::optional<double> stored = ctx_.DBDaten.LookupBestTime(k_.pictureCode, count, perLine);
    bestTime = stored ? *stored : 99999;
    pRekZahlen->setText(stored ? FormatFixed(*stored, 2) : QStringLiteral("99999"));
    pSpeedZahlen->setText(FormatFixed(bestTime / (double(count) / perLine), 2) + QLatin1Char('s'));
}

bool TNumbersBase::bestTimeChanging(TUpDownEdit* sender, int newValue)
{
    if (sender && !sender->acceptable(newValue))
        return false;
    refreshBestTime(sender == udAnzahl ? newValue : udAnzahl->value(),
                    sender == udZeile ? newValue : udZeile->value());
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

// ---------------------------------------------------------------------------
// The picture page's drill

void TNumbersBase::startPictureRun()
{
    phase = Running;
    // The focus goes to the panel before the settings are disabled, so it never
    // passes through "Schliessen", where the next Space would close the window.
    pZahlen->setFocus();
    udAnzahl->setEnabled(false);
    udZeile->setEnabled(false);
    const int count = udAnzahl->value();
    pendingDigits.clear();
    pendingDigits.reserve(count);
    for (int i = 0; i < count; ++i)
        pendingDigits += randomDigit();
    const int perLine = udZeile->value();
    pZahlen->setText(pendingDigits.left(perLine));
    pendingDigits.remove(0, perLine);
    pErgeb->setText(PictureClockZeroText);
    tZehntel->start();
    startTick = ctx_.tickSource.now();
}

void TNumbersBase::pZahlenClick()
{
    if (phase != Running || onMemoPage())
        return;
    if (pendingDigits.isEmpty()) {
        bStartStopClick(nullptr);
        return;
    }
    const int perLine = udZeile->value();
    pZahlen->setText(pendingDigits.left(perLine));
    pendingDigits.remove(0, perLine);
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
    if (sender == bStartStop)
        return;

    const int count = udAnzahl->value();
    const int perLine = udZeile->value();
    const double seconds = elapsed / 1000.0;
    if (seconds < bestTime
        && ctx_.dialogs.askYesNo(
            ctx_.InterfaceText(160, QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?")))) {
        bestTime = seconds;
        ctx_.DBDaten.StoreBestTime(k_.pictureCode, count, perLine, bestTime);
    }
    pRekZahlen->setText(FormatFixed(bestTime, 2) + QLatin1Char('s'));
    pSpeedZahlen->setText(FormatFixed(bestTime / (double(count) / perLine), 2) + QLatin1Char('s'));
}
