#include "numbers/win_spoken.h"

#include "core/app_context.h"
#include "core/error_handler.h"
#include "numbers/memo_sheets.h"
#include "numbers/result_column.h"
#include "training/clock_text.h"
#include "widgets/panel.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"
#include "widgets/window_helpers.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
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

} // namespace

template <class Handler>
void TWinSpoken::guarded(Handler&& handler)
{
    RunGuarded(ctx_.dialogs, std::forward<Handler>(handler));
}

TWinSpoken::TWinSpoken(AppContext& ctx, QWidget* parent) : TTrainingDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinSpoken"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Spoken Numbers Training"));
    setFont(PixelFont(11, false));

    buildControls();
    nameControls();
    RunGuarded(ctx_.dialogs, [this] { FormCreate(); });
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
    pcTraining->setGeometry(4, 4, pageWidth, 317);
    const int columnX = pcTraining->geometry().right() + 8;
    buildRightColumn(columnX);
    setFixedSize(columnX + ResultColumn::Width + 4, ClientHeight);

    tSprache = new QTimer(this);
    // Each pulse is armed for its own due tick; a coarse timer may fire several
    // per cent of the wait late, and the pulse needs the millisecond.
    tSprache->setTimerType(Qt::PreciseTimer);
    tSprache->setSingleShot(true);
    tZehntel = new QTimer(this);
    tZehntel->setInterval(100);
    tZehntel->setTimerType(Qt::PreciseTimer);
}

void TWinSpoken::buildSettings()
{
    const auto label = [this](const QString& text, int y) {
        auto* l = new QLabel(text, tsMemo);
        l->setGeometry(8, y, 128, 15);
        return l;
    };
    const auto spin = [this](int min, int max, int step, int value, int y) {
        auto* ud = new TUpDownEdit(tsMemo);
        ud->setUp(min, max, step, value);
        ud->setGeometry(8, y, 104, 22);
        return ud;
    };
    labAnzahlM = label(QStringLiteral("Anzahl Zahlen"), 12);
    udAnzahlM = spin(1, 1000, 100, 100, 28);
    labMemoZeit = label(QStringLiteral("Zeittakt in msek."), 64);
    udMemoZeit = spin(500, 10000, 100, 3000, 80);
    // A pulse reads as a plain number of milliseconds.
    udMemoZeit->setGroupSeparatorShown(false);
    labReplay = label(QStringLiteral("Wiedergabezeit"), 116);
    udReplay = spin(1, 10000, 5, 5, 132);

    rbGerman = new QRadioButton(QStringLiteral("Deutsch"), tsMemo);
    rbGerman->setGeometry(8, 172, 128, 18);
    rbGerman->setChecked(true);
    rbEnglisch = new QRadioButton(QStringLiteral("Englisch"), tsMemo);
    rbEnglisch->setGeometry(8, 194, 128, 18);
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
}

void TWinSpoken::buildRightColumn(int x)
{
    const ResultColumn column(this, x);
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

void TWinSpoken::nameControls()
{
    SetObjectNames({
        {pcTraining, "pcTraining"}, {tsMemo, "tsMemo"}, {bStartStop, "bStartStop"}, {pErgeb, "pErgeb"},
        {labPunkteRekord, "labPunkteRekord"}, {pPunkteRekord, "pPunkteRekord"}, {labPunkte, "labPunkte"},
        {pPunkte, "pPunkte"}, {labZiffern, "labZiffern"}, {pZiffern, "pZiffern"}, {bChange, "bChange"},
        {bClose, "bClose"}, {labAnzahlM, "labAnzahlM"}, {udAnzahlM, "udAnzahlM"}, {labMemoZeit, "labMemoZeit"},
        {udMemoZeit, "udMemoZeit"}, {labReplay, "labReplay"}, {udReplay, "udReplay"}, {rbGerman, "rbGerman"},
        {rbEnglisch, "rbEnglisch"}, {gbMemorieren, "gbMemorieren"}, {sgMemo, "sgMemo"}, {sgReplay, "sgReplay"},
        {sgPoints, "sgPoints"}, {lab1, "lab1"}, {lab10, "lab10"}, {lab20, "lab20"}, {lab30, "lab30"},
        {labMPunkte, "labMPunkte"}, {tSprache, "tSprache"}, {tZehntel, "tZehntel"},
    });
    // Each label names the control it stands beside, for assistive technology.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {labPunkteRekord, pPunkteRekord}, {labPunkte, pPunkte}, {labZiffern, pZiffern},
        {labAnzahlM, udAnzahlM}, {labMemoZeit, udMemoZeit}, {labReplay, udReplay}, {labMPunkte, sgPoints},
    };
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);
}

void TWinSpoken::connectHandlers()
{
    bindStartStop(bStartStop, [this] { guarded([this] { bStartStopClick(bStartStop); }); });
    connect(tSprache, &QTimer::timeout, this, [this] { guarded([this] { tSpracheTimer(); }); });
    connect(tZehntel, &QTimer::timeout, this, [this] { guarded([this] { tZehntelTimer(); }); });
    connect(bClose, &QPushButton::clicked, this, [this] { done(1); });
    connect(bChange, &QPushButton::clicked, this, [this] { guarded([this] { bChangeClick(); }); });

    // Typing into an edit refreshes nothing: the value counts from the next START.
    udAnzahlM->changing = [this](int v) { return udAnzahlMChangingEx(udAnzahlM, v); };
    udMemoZeit->changing = [this](int v) { return udMemoZeitChangingEx(udMemoZeit, v); };
    udReplay->changing = [this](int v) { return udReplayChangingEx(udReplay, v); };

    sgMemo->setKeyDownHook([this](int key, Qt::KeyboardModifiers m) { return sgMemoKeyDown(key, m); });
    connect(sgMemo, &TStringAlignGrid::topLeftChanged, this, [this] { sgMemoTopLeftChanged(); });
    sgReplay->setKeyDownHook([this](int key, Qt::KeyboardModifiers m) { return sgReplayKeyDown(key, m); });
    sgReplay->setKeyPressHook([this](QChar ch) { sgReplayKeyPress(ch); });
    connect(sgReplay, &TStringAlignGrid::topLeftChanged, this, [this] { sgReplayTopLeftChanged(); });
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TWinSpoken::FormCreate()
{
    phase = Idle;
    startTick = nowTick = 0;
    // The digits are only heard: nothing of the sheets shows before recall.
    sheets->hideAll();
    // A new user starts with the count, not on the page's tab.
    udAnzahlM->setFocus();
}

void TWinSpoken::showEvent(QShowEvent* event)
{
    guarded([this] { FormShow(); });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TWinSpoken::FormShow()
{
    ApplyInterfaceTexts();
    udAnzahlMChangingEx(nullptr, 0);
    preloadSounds();
    // A recall left open when the window was closed goes on where it stands: its
    // clock and its limit apply again at once.
    if (phase == Recalling) {
        tZehntel->start();
        sgReplay->setFocus();
    }
}

void TWinSpoken::preloadSounds()
{
    if (soundsPreloaded_)
        return;
    soundsPreloaded_ = true;
    QStringList files;
    for (const QString& voice : {QStringLiteral("Deutsch"), QStringLiteral("Englisch")}) {
        for (char digit = '0'; digit <= '9'; ++digit)
            files << digitSound(voice, QLatin1Char(digit));
    }
    files << ctx_.signalSound();
    ctx_.SRWavePlayer.preload(files);
}

QString TWinSpoken::digitSound(const QString& voice, QChar digit) const
{
    return ctx_.ProgramDir + QStringLiteral("Sounds/") + voice + QLatin1Char('/') + digit + QStringLiteral(".wav");
}

void TWinSpoken::done(int result)
{
    guarded([this] { FormClose(); });
    QDialog::done(result);
}

void TWinSpoken::FormClose()
{
    // Digits must not go on sounding from a closed window, nor may their end
    // later hand the focus to it. Closing ends the speaking as "Memorieren
    // fertig" does; the digits not yet spoken stay in the attempt, and the recall
    // clock runs from now, so the reopened window is in recall.
    if (phase == Memorising)
        startRecalling(true, false);
    tZehntel->stop();
    pErgeb->setText(ClosedClockText);
}

void TWinSpoken::ApplyInterfaceTexts()
{
    const auto text = [this](int id, const QString& current) { return ctx_.InterfaceText(id, current); };
    setWindowTitle(text(170, windowTitle()));
    pcTraining->setTabText(0, text(142, pcTraining->tabText(0)));
    labAnzahlM->setText(text(154, labAnzahlM->text()));
    labMemoZeit->setText(text(171, labMemoZeit->text()));
    labReplay->setText(text(156, labReplay->text()));
    bStartStop->setText(text(146, bStartStop->text()));
    labPunkteRekord->setText(text(147, labPunkteRekord->text()));
    labPunkte->setText(text(148, labPunkte->text()));
    labZiffern->setText(text(149, labZiffern->text()));
    bChange->setText(text(150, bChange->text()));
    bClose->setText(text(151, bClose->text()));
    rbGerman->setText(text(172, rbGerman->text()));
    rbEnglisch->setText(text(173, rbEnglisch->text()));
    labMPunkte->setText(text(158, labMPunkte->text()));
    gbMemorieren->setTitle(text(157, gbMemorieren->title()));
    bStartStop->setToolTip(StartStopKeys().first().toString(QKeySequence::NativeText));
    sgMemo->setAccessibleName(text(168, QStringLiteral("Vorgabe")));
    sgReplay->setAccessibleName(text(163, QStringLiteral("Wiedergabe")));
    UpdateAccessibleNames(this);
}
