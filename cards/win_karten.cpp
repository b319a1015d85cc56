// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/win_karten.h"

#include "cards/playing_card.h"
#include "core/app_context.h"
#include "training/clock_text.h"
#include "widgets/page_guard.h"
#include "widgets/panel.h"
#include "widgets/picture_page.h"
#include "widgets/result_column.h"
#include "widgets/up_down_edit.h"
#include "widgets/window_helpers.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

TWinKarten::TWinKarten(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent)
    : TTrainingDialog(ctx, "WinKarten", QStringLiteral("Kartentraining"), parent)
{
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

    // The settings file has held 600 cards in lines of 6 since the window began,
    // whatever the spin buttons start with.
    picturePage = new TPicturePage(*this, DisciplineOf(CardsPicture), tsBilder,
                                   {"Anzahl Karten", {1, 10000, 52, 52}, {1, 3, 1, 1}, "Karten", 600, 6, 140});
    lab1 = picturePage->lab1;
    udAnzahl = picturePage->udAnzahl;
    lab2 = picturePage->lab2;
    udZeile = picturePage->udZeile;
    lab3 = picturePage->lab3;
    pSpeedZahlen = picturePage->pSpeedZahlen;
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

    picturePage->runFocus = pcKarte1;
    picturePage->draw = [this](int count) { return DealCards(count, ctx_.random); };
    picturePage->showLine = [this](const PictureRun& run) {
        showCards(LineOfCards(run.attempt().given, run.current(), run.drill().perLine()));
    };
    picturePage->showIdle = [this](int perLine) { showCards(IdlePlaceholders(perLine)); };
    picturePage->labFortschritt->setGeometry(250, 214, 240, 18);
    picturePage->progressText = [this](const PictureRun& run) {
        return ctx_.InterfaceText(502, QStringLiteral("Karte %1 von %2"))
            .arg(run.current().first + 1)
            .arg(run.drill().itemCount());
    };

    buildRightColumn();
    tZehntel = new QTimer(this);
    tZehntel->setInterval(100);
    tZehntel->setTimerType(Qt::PreciseTimer);
    picturePage->tZehntel = tZehntel;
}

void TWinKarten::buildRightColumn()
{
    const ResultColumn column(this, 612, ResultColumn::BestTime, 325);
    bStartStop = column.bStartStop;
    pErgeb = column.pErgeb;
    labBestzeit = column.labBestzeit;
    pRekZahlen = column.pRekZahlen;
    bClose = column.bClose;
    picturePage->pErgeb = pErgeb;
    picturePage->pRekZahlen = pRekZahlen;
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
    GiveMnemonics(this);
}

void TWinKarten::connectHandlers()
{
    bindStartStop(bStartStop, [this] { bStartStopClick(bStartStop); });
    onSignal(tZehntel, &QTimer::timeout, [this] { tZehntelTimer(); });
    connect(bClose, &QPushButton::clicked, this, [this] { done(1); });
    for (TPlayingCard* card : {pcKarte1, pcKarte2, pcKarte3})
        onSignal(card, &TPlayingCard::clicked, [this] { pZahlenClick(); });

    new PageGuard(pcTraining, [this] { return pcTrainingChanging(); });
    // A typed line length refreshes the window as a typed count does.
    for (TUpDownEdit* edit : {udAnzahl, udZeile})
        onSignal(edit, &QSpinBox::valueChanged, [this] { eAnzahlChange(); });
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TWinKarten::FormCreate()
{
    readSettings();
}

void TWinKarten::FormShow()
{
    picturePage->refresh();
    // A run left open when the window was closed goes on where it stands: its
    // line stays on show and its clock, which still counts from START, runs again.
    if (phase() == Running)
        tZehntel->start();
}

void TWinKarten::FormClose()
{
    tZehntel->stop();
    pErgeb->setText(ClosedClockText);
    writeSettings();
}

QString TWinKarten::recordQuestion() const
{
    return QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?");
}

bool TWinKarten::pcTrainingChanging()
{
    return false;
}

void TWinKarten::eAnzahlChange()
{
    picturePage->refresh();
}

// ---------------------------------------------------------------------------
// The run

quint8 TWinKarten::phase() const
{
    return picturePage->running() ? Running : Idle;
}

quint32 TWinKarten::startTick() const
{
    return picturePage->run().startTick();
}

void TWinKarten::bStartStopClick(QObject* sender)
{
    // Only the click after the last line ends a run complete; that is the cards'.
    Q_UNUSED(sender)
    picturePage->startStop();
}

void TWinKarten::pZahlenClick()
{
    picturePage->press();
}

void TWinKarten::tZehntelTimer()
{
    picturePage->tick();
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
