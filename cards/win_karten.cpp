#include "cards/win_karten.h"

#include "cards/playing_card.h"
#include "core/app_context.h"
#include "core/attempt_log.h"
#include "core/error_handler.h"
#include "core/ini_file.h"
#include "records/records_table.h"
#include "training/attempt_clock.h"
#include "training/best_time_text.h"
#include "training/clock_text.h"
#include "training/settings_key.h"
#include "widgets/panel.h"
#include "widgets/speed_button.h"
#include "widgets/up_down_edit.h"
#include "widgets/window_helpers.h"

#include <QScopeGuard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace {

const QString Section = QStringLiteral("Korvanis");
constexpr const char* SettingsWord = "Karten";

} // namespace

template <class Handler>
void TWinKarten::guarded(Handler&& handler)
{
    RunGuarded(ctx_.dialogs, std::forward<Handler>(handler));
}

TWinKarten::TWinKarten(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent)
    : TTrainingDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinKarten"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Kartentraining"));
    setFont(PixelFont(11, false));
    setFixedSize(745, 357);

    buildControls(pictures);
    nameControls();
    guarded([this] { FormCreate(); });
    // Handlers are attached once the stored settings are in place, so creation
    // does not run them for every value it applies.
    connectHandlers();
}

TWinKarten::~TWinKarten() = default;

// ---------------------------------------------------------------------------
// Controls

void TWinKarten::buildControls(const CardPictureStore& pictures)
{
    pcTraining = new QTabWidget(this);
    pcTraining->setGeometry(4, 4, 600, 349);
    tsBilder = new QWidget;
    tsMemo = new QWidget;
    pcTraining->addTab(tsBilder, QStringLiteral("Bildertraining"));
    pcTraining->addTab(tsMemo, QStringLiteral("Memorieren"));

    const auto label = [this](const QString& text, int y) {
        auto* l = new QLabel(text, tsBilder);
        l->setGeometry(16, y, 130, 15);
        return l;
    };
    const auto spin = [this](int max, int step, int value, int y) {
        auto* ud = new TUpDownEdit(tsBilder);
        ud->setUp(1, max, step, value);
        ud->setGeometry(16, y, 100, 22);
        return ud;
    };
    lab1 = label(QStringLiteral("Anzahl Karten"), 16);
    udAnzahl = spin(10000, 52, 52, 32);
    lab2 = label(QStringLiteral("Anzahl pro Zeile"), 72);
    udZeile = spin(3, 1, 1, 88);
    lab3 = label(QStringLiteral("Zeit pro Zeile"), 128);
    pSpeedZahlen = new TPanel(tsBilder);
    pSpeedZahlen->setGeometry(16, 144, 140, 24);
    pSpeedZahlen->setFont(PixelFont(16, true));

    TPlayingCard** cards[] = {&pcKarte1, &pcKarte2, &pcKarte3};
    for (int i = 0; i < 3; ++i) {
        *cards[i] = new TPlayingCard(pictures, tsBilder);
        (*cards[i])->move(250 + 80 * i, 110);
    }
    pcKarte1->setShow(soBack);
    pcKarte2->setShow(soTool);
    pcKarte3->setShow(soTool);
    // A run goes on from the keyboard: the first card takes the focus and Space or Right.
    pcKarte1->setFocusPolicy(Qt::StrongFocus);

    buildRightColumn();
    tZehntel = new QTimer(this);
    tZehntel->setInterval(100);
    tZehntel->setTimerType(Qt::PreciseTimer);
}

void TWinKarten::buildRightColumn()
{
    constexpr int x = 612;
    constexpr int w = 129;
    bStartStop = new TSpeedButton(QStringLiteral("START / STOP"), this);
    bStartStop->setGeometry(x, 26, w, 34);
    QFont bold = font();
    bold.setBold(true);
    bStartStop->setFont(bold);
    bStartStop->setToolTip(StartStopKeys().first().toString(QKeySequence::NativeText));

    pErgeb = new TPanel(this);
    pErgeb->setGeometry(x, 66, w, 30);
    pErgeb->setFont(PixelFont(19, true));
    pErgeb->setText(ClosedClockText);
    labBestzeit = new QLabel(QStringLiteral("Bestzeit"), this);
    labBestzeit->setGeometry(x, 106, w, 15);
    pRekZahlen = new TPanel(this);
    pRekZahlen->setGeometry(x, 122, w, 24);

    bClose = new QPushButton(QStringLiteral("Schliessen"), this);
    bClose->setGeometry(x, 325, w, 28);
    for (QPushButton* button : {bStartStop, bClose}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void TWinKarten::nameControls()
{
    SetObjectNames({{pcTraining, "pcTraining"}, {tsBilder, "tsBilder"}, {tsMemo, "tsMemo"}, {lab1, "lab1"},
                    {udAnzahl, "udAnzahl"}, {lab2, "lab2"}, {udZeile, "udZeile"}, {lab3, "lab3"},
                    {pSpeedZahlen, "pSpeedZahlen"}, {pcKarte1, "pcKarte1"}, {pcKarte2, "pcKarte2"},
                    {pcKarte3, "pcKarte3"}, {bStartStop, "bStartStop"}, {pErgeb, "pErgeb"},
                    {labBestzeit, "labBestzeit"}, {pRekZahlen, "pRekZahlen"}, {bClose, "bClose"},
                    {tZehntel, "tZehntel"}});
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lab1, udAnzahl}, {lab2, udZeile}, {lab3, pSpeedZahlen}, {labBestzeit, pRekZahlen}};
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);
    // The cards are pictures without a caption: they are named by their place.
    TPlayingCard* cards[] = {pcKarte1, pcKarte2, pcKarte3};
    for (int i = 0; i < 3; ++i)
        cards[i]->setAccessibleName(QStringLiteral("Karte %1").arg(i + 1));
    UpdateAccessibleNames(this);
}

void TWinKarten::connectHandlers()
{
    bindStartStop(bStartStop, [this] { guarded([this] { bStartStopClick(bStartStop); }); });
    connect(tZehntel, &QTimer::timeout, this, [this] { guarded([this] { tZehntelTimer(); }); });
    connect(bClose, &QPushButton::clicked, this, [this] { done(1); });
    for (TPlayingCard* card : {pcKarte1, pcKarte2, pcKarte3})
        connect(card, &TPlayingCard::clicked, this, [this] { guarded([this] { pZahlenClick(); }); });

    connect(pcTraining, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != 0 && !pcTrainingChanging()) {
            const QSignalBlocker block(pcTraining);
            pcTraining->setCurrentIndex(0);
        }
    });

    udAnzahl->changing = [this](int v) { return udAnzahlChangingEx(udAnzahl, v); };
    udZeile->changing = [this](int v) { return udZeileChangingEx(udZeile, v); };
    // A typed line length refreshes the window as a typed count does.
    for (TUpDownEdit* edit : {udAnzahl, udZeile})
        connect(edit, &QSpinBox::valueChanged, this, [this] { guarded([this] { eAnzahlChange(); }); });
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TWinKarten::FormCreate()
{
    phase = Idle;
    startTick = nowTick = 0;
    bestTime = NoBestTime;
    pcTraining->setCurrentIndex(0);

    IniFile ini(ctx_.settingsFile());
    const QString countKey = SettingsKey(SettingsWord, "Anzahl");
    const QString lineKey = SettingsKey(SettingsWord, "Zeile");
    udAnzahl->applyIfAcceptable(ini.ReadInteger(Section, countKey, 600));
    udZeile->applyIfAcceptable(ini.ReadInteger(Section, lineKey, 6));
    ini.WriteInteger(Section, countKey, udAnzahl->value());
    ini.WriteInteger(Section, lineKey, udZeile->value());
}

void TWinKarten::showEvent(QShowEvent* event)
{
    guarded([this] { FormShow(); });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TWinKarten::FormShow()
{
    udAnzahlChangingEx(nullptr, 0);
    // A run left open when the window was closed goes on where it stands: its
    // line stays on show and its clock, which still counts from START, runs again.
    if (phase == Running)
        tZehntel->start();
}

void TWinKarten::done(int result)
{
    guarded([this] { FormClose(); });
    QDialog::done(result);
}

void TWinKarten::FormClose()
{
    tZehntel->stop();
    pErgeb->setText(ClosedClockText);
    IniFile ini(ctx_.settingsFile());
    ini.WriteInteger(Section, SettingsKey(SettingsWord, "Anzahl"), udAnzahl->value());
    ini.WriteInteger(Section, SettingsKey(SettingsWord, "Zeile"), udZeile->value());
}

bool TWinKarten::pcTrainingChanging()
{
    return false;
}

void TWinKarten::eAnzahlChange()
{
    udAnzahlChangingEx(nullptr, 0);
}

// ---------------------------------------------------------------------------
// The setting: idle placeholders and best time

bool TWinKarten::udAnzahlChangingEx(QObject* sender, int newValue)
{
    return refreshSetting(sender ? udAnzahl : nullptr, newValue);
}

bool TWinKarten::udZeileChangingEx(QObject* sender, int newValue)
{
    return refreshSetting(sender ? udZeile : nullptr, newValue);
}

bool TWinKarten::refreshSetting(TUpDownEdit* sender, int newValue)
{
    if (sender && !sender->acceptable(newValue))
        return false;
    const int count = sender == udAnzahl ? newValue : udAnzahl->value();
    const int perLine = sender == udZeile ? newValue : udZeile->value();
    // A run's cards stay on show; only an idle window shows the placeholders.
    if (phase == Idle)
        showCards(IdlePlaceholders(perLine));
    bestTime = ctx_.DBDaten.LookupBestTime(PictureCode, count, perLine).value_or(NoBestTime);
    pRekZahlen->setText(BestTimeText(bestTime, false));
    pSpeedZahlen->setText(TimePerLineText(bestTime, count, perLine));
    return true;
}

// ---------------------------------------------------------------------------
// The run

void TWinKarten::bStartStopClick(QObject* sender)
{
    if (phase == Idle)
        startRun();
    else
        endRun(sender);
}

void TWinKarten::startRun()
{
    phase = Running;
    // The focus goes to the cards before the settings are disabled, so it never
    // passes through "Schliessen", where the next Space would close the window.
    pcKarte1->setFocus();
    udAnzahl->setEnabled(false);
    udZeile->setEnabled(false);
    cardSequence = DealCards(udAnzahl->value(), ctx_.random);
    drill = PictureDrill(int(cardSequence.size()), udZeile->value());
    showLine();
    pErgeb->setText(PictureClockZeroText);
    tZehntel->start();
    startTick = ctx_.tickSource.now();
}

void TWinKarten::showCards(const CardLine& line)
{
    TPlayingCard* cards[] = {pcKarte1, pcKarte2, pcKarte3};
    for (int i = 0; i < 3; ++i) {
        if (line[i].show == soFace)
            cards[i]->setFaceIndex(line[i].faceIndex);
        cards[i]->setShow(line[i].show);
    }
}

void TWinKarten::showLine()
{
    showCards(LineOfCards(cardSequence, drill.current(), drill.perLine()));
}

void TWinKarten::pZahlenClick()
{
    if (phase != Running)
        return;
    drill.advance();
    if (drill.finished()) {
        bStartStopClick(nullptr);
        return;
    }
    showLine();
}

void TWinKarten::tZehntelTimer()
{
    nowTick = ctx_.tickSource.now();
    pErgeb->setText(RunningSecondsText(ElapsedMs(startTick, nowTick)));
}

void TWinKarten::endRun(QObject* sender)
{
    nowTick = ctx_.tickSource.now();
    tZehntel->stop();
    phase = Idle;
    const quint32 elapsed = ElapsedMs(startTick, nowTick);
    pErgeb->setText(FinalSecondsText(elapsed));
    udAnzahl->setEnabled(true);
    udZeile->setEnabled(true);
    udAnzahl->setFocus();
    const int count = udAnzahl->value();
    const int perLine = udZeile->value();
    showCards(IdlePlaceholders(perLine));
    const double seconds = elapsed / 1000.0;
    AttemptRecord run;
    run.discipline = PictureCode;
    run.setting.count = count;
    run.setting.perLine = perLine;
    run.result.runSeconds = seconds;
    // Only a run clicked through to its end is a result; a broken-off one is
    // training all the same.
    run.completed = !sender;
    const auto report = qScopeGuard([&] { ctx_.recordAttempt(run); });
    if (!run.completed)
        return;

    if (IsNewBestTime(seconds, bestTime)
        && ctx_.dialogs.askYesNo(QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?"))) {
        bestTime = seconds;
        ctx_.DBDaten.StoreBestTime(PictureCode, count, perLine, bestTime);
        run.savedAsRecord = true;
    }
    pRekZahlen->setText(BestTimeText(bestTime, true));
    pSpeedZahlen->setText(TimePerLineText(bestTime, count, perLine));
}
