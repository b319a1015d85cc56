// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/win_karten_memo.h"

#include "cards/card_deal.h"
#include "cards/card_memo_view.h"
#include "cards/card_picker.h"
#include "cards/card_places.h"
#include "cards/card_recall_view.h"
#include "cards/playing_card.h"
#include "core/app_context.h"
#include "core/formats.h"
#include "records/record_lookup.h"
#include "training/card_scoring_rule.h"
#include "training/clock_text.h"
#include "widgets/opening_click_guard.h"
#include "widgets/panel.h"
#include "widgets/result_column.h"
#include "widgets/rule_table.h"
#include "widgets/scored_attempt_clock.h"
#include "widgets/window_helpers.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int ColumnX = 666;

// The table of rule sets runs below the cards, across the window.
constexpr int TableTop = 610;
constexpr qint32 GermanOnly = 0;

} // namespace

TWinKartenMemo::TWinKartenMemo(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent)
    : TTrainingDialog(ctx, "WinKartenMemo", QStringLiteral("Meisterschaft Spielkarten"), parent)
{
    setFixedSize(803, TableTop + TRuleTable::Height + 8);
    setWindowModality(Qt::WindowModal);
    buildControls(pictures);
    nameControls();
    connectHandlers();
    openingGuard_ = new OpeningClickGuard(this, ctx.tickSource);
}

TWinKartenMemo::~TWinKartenMemo() = default;

// ---------------------------------------------------------------------------
// Controls

void TWinKartenMemo::buildControls(const CardPictureStore& pictures)
{
    gbKarten = new QGroupBox(QStringLiteral("Memorieren"), this);
    gbKarten->setGeometry(8, 4, 650, 600);
    labEinstellung = new QLabel(gbKarten);
    labEinstellung->setGeometry(10, 18, 630, 16);

    pages = new QStackedWidget(gbKarten);
    pages->setGeometry(6, 38, 638, 556);
    memoView = new TCardMemoView(pictures);
    pages->addWidget(memoView);
    pcKarte1 = memoView->pcKarte1;
    pcKarte2 = memoView->pcKarte2;
    pcKarte3 = memoView->pcKarte3;
    pKarte = memoView->pKarte;
    recallView = new TCardRecallView(pictures);
    pages->addWidget(recallView);
    sbWiedergabe = recallView->sbWiedergabe;
    cpWiedergabe = recallView->cpWiedergabe;
    cpAuswahl = recallView->cpAuswahl;
    labTasten = recallView->labTasten;
    labRegel = recallView->labRegel;
    labLegende = recallView->labLegende;
    buildRightColumn();
    tbRegelwerke = new TRuleTable(ctx_, this, GermanOnly);
    tbRegelwerke->setGeometry(8, TableTop, 787, TRuleTable::Height);

    tZehntel = new QTimer(this);
    tZehntel->setInterval(100);
}

void TWinKartenMemo::buildRightColumn()
{
    const ResultColumn column(this, ColumnX, ResultColumn::Points, 576);
    bStartStop = column.bStartStop;
    bStartStop->setText(QStringLiteral("START"));
    pErgeb = column.pErgeb;
    labPunkteRekord = column.labPunkteRekord;
    pPunkteRekord = column.pPunkteRekord;
    labPunkte = column.labPunkte;
    pPunkte = column.pPunkte;
    labZiffern = column.labZiffern;
    labZiffern->setText(QStringLiteral("Richtige Karten"));
    pZiffern = column.pZiffern;
    bChange = column.bChange;
    bClose = column.bClose;
    labMemoZeit = new QLabel(QStringLiteral("Memorierzeit"), this);
    labMemoZeit->setGeometry(ColumnX, 292, ResultColumn::Width, 15);
    pMemoZeit = new TPanel(this);
    pMemoZeit->setGeometry(ColumnX, 308, ResultColumn::Width, 24);
}

void TWinKartenMemo::nameControls()
{
    SetObjectNames({{gbKarten, "gbKarten"}, {labEinstellung, "labEinstellung"}, {memoView, "memoView"}, {recallView, "recallView"},
                    {pcKarte1, "pcKarte1"}, {pcKarte2, "pcKarte2"}, {pcKarte3, "pcKarte3"}, {pKarte, "pKarte"},
                    {memoView->bZurueck, "bZurueck"}, {memoView->bWeiter, "bWeiter"},
                    {memoView->labTasten, "labMemoTasten"}, {sbWiedergabe, "sbWiedergabe"},
                    {cpWiedergabe, "cpWiedergabe"}, {cpAuswahl, "cpAuswahl"}, {labTasten, "labTasten"},
                    {labRegel, "labRegel"}, {labLegende, "labLegende"}, {bStartStop, "bStartStop"},
                    {pErgeb, "pErgeb"}, {labPunkteRekord, "labPunkteRekord"}, {pPunkteRekord, "pPunkteRekord"},
                    {labPunkte, "labPunkte"}, {pPunkte, "pPunkte"}, {labZiffern, "labZiffern"},
                    {pZiffern, "pZiffern"}, {bChange, "bChange"}, {labMemoZeit, "labMemoZeit"},
                    {pMemoZeit, "pMemoZeit"}, {bClose, "bClose"}, {tbRegelwerke, "tbRegelwerke"},
                    {tZehntel, "tZehntel"}});
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {labPunkteRekord, pPunkteRekord}, {labPunkte, pPunkte}, {labZiffern, pZiffern}, {labMemoZeit, pMemoZeit}};
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);
    memoView->setAccessibleName(QStringLiteral("Memorieren"));
    TPlayingCard* cards[] = {pcKarte1, pcKarte2, pcKarte3};
    for (int i = 0; i < 3; ++i)
        cards[i]->setAccessibleName(QStringLiteral("Karte %1").arg(i + 1));
    GiveMnemonics(this);
}

void TWinKartenMemo::connectHandlers()
{
    bindStartStop(bStartStop, [this] { bStartStopClick(bStartStop); });
    onSignal(tZehntel, &QTimer::timeout, [this] { tZehntelTimer(); });
    onSignal(memoView, &TCardMemoView::forward, [this] { pcKarteClick(); });
    onSignal(memoView, &TCardMemoView::back, [this] { bZurueckClick(); });
    cpWiedergabe->keyHook = guardedHook([this](QKeyEvent* event) { return cpWiedergabeKeyDown(event); });
    connect(cpWiedergabe, &TCardPlaces::placeClicked, this,
            [this](int place) { guarded([this, place] { cpWiedergabeClick(place); }); });
    connect(cpAuswahl, &TCardPicker::picked, this,
            [this](int face) { guarded([this, face] { cpAuswahlClick(face); }); });
    onSignal(bChange, &QPushButton::clicked, [this] { bChangeClick(); });
    connect(bClose, &QPushButton::clicked, this, [this] { done(1); });
}

// ---------------------------------------------------------------------------
// Showing and closing

void TWinKartenMemo::startFromField()
{
    open();
    if (phase() == Idle)
        bStartStopClick(nullptr);
}

void TWinKartenMemo::FormShow()
{
    // A press that opened the window must not act in it as well.
    openingGuard_->arm();
    refreshRecord();
    // An attempt left open when the window was closed goes on where it stands:
    // its clock and its time limit apply again at once.
    if (phase() == Idle)
        return;
    tZehntel->start();
    if (phase() == Memorising)
        memoView->setFocus();
    else
        cpWiedergabe->setFocus();
}

void TWinKartenMemo::FormClose()
{
    tZehntel->stop();
    pErgeb->setText(ClosedClockText);
}

QString TWinKartenMemo::recordQuestion() const
{
    return QStringLiteral("Neuer Rekord! Wollen Sie ihn speichern?");
}

// ---------------------------------------------------------------------------
// The record of the setting

FasterPointsOffer TWinKartenMemo::recordOf(const AttemptRecord::Setting& setting) const
{
    const RecordLookup found = LookupRecordOf(ctx_.DBDaten, DisciplineOf(CardsMemo), setting);
    return FasterPointsOffer(PointsOffer::from(found.keyFits, found.stored), found.storedMemoSeconds);
}

void TWinKartenMemo::refreshRecord()
{
    const AttemptRecord::Setting setting = phase() != Idle || !nextSetting ? attempt_.setting() : nextSetting();
    const FasterPointsOffer record = recordOf(setting);
    const bool withTime = CardMemoAttempt::ruleOf(setting).timeCounts(int(record.points().points()),
                                                                       setting.count.value_or(0));
    pPunkteRekord->setText(record.recordText(withTime));
}

// ---------------------------------------------------------------------------
// The attempt

void TWinKartenMemo::bStartStopClick(QObject*)
{
    switch (phase()) {
    case Idle:
        startMemorising();
        break;
    case Memorising:
        startRecalling();
        break;
    case Recalling:
        endRecalling();
        break;
    }
}

void TWinKartenMemo::startMemorising()
{
    AttemptRecord::Setting setting = nextSetting ? nextSetting() : AttemptRecord::Setting{};
    if (!setting.count || *setting.count < 1)
        return;
    bClose->setEnabled(false);
    bChange->hide();
    tbRegelwerke->clearResults();
    gbKarten->setTitle(QStringLiteral("Memorieren"));
    bStartStop->setText(QStringLiteral("Memorieren fertig"));
    labEinstellung->setText(CardMemoAttempt::settingText(setting));
    const CardScoringRule& rule = CardMemoAttempt::ruleOf(setting);
    labRegel->setText(rule.name());
    labZiffern->setText(&rule == &CardScoringRuleOf(ScoringKind::SpeedCards) ? QStringLiteral("Memory League")
                                                                              : QStringLiteral("Richtige Karten"));
    pages->setCurrentWidget(memoView);
    memoView->setFocus();
    pErgeb->setText(ClockZeroText);
    QByteArray dealt = DealCards(*setting.count, ctx_.random);
    attempt_.begin(setting, std::move(dealt), ctx_.tickSource.now());
    refreshRecord();
    showView();
    tZehntel->start();
}

void TWinKartenMemo::showView()
{
    memoView->showGroup(attempt_.attempt().given, attempt_.onShow(), attempt_.perView());
}

void TWinKartenMemo::pcKarteClick()
{
    if (attempt_.forward(ctx_.tickSource.now()))
        showView();
}

void TWinKartenMemo::bZurueckClick()
{
    if (attempt_.back(ctx_.tickSource.now()))
        showView();
}

void TWinKartenMemo::startRecalling()
{
    attempt_.startRecalling(ctx_.tickSource.now());
    gbKarten->setTitle(QStringLiteral("Wiedergabe"));
    bStartStop->setText(QStringLiteral("Wiedergabe fertig"));
    // The memorisation time stays on show until recall's first tick.
    pErgeb->setText(ClockText(attempt_.flow().memoMsUsed()));
    recallView->startRecall(attempt_.cardCount());
    pages->setCurrentWidget(recallView);
    showCursor();
    cpWiedergabe->setFocus();
    tZehntel->start();
}

bool TWinKartenMemo::cpWiedergabeKeyDown(QKeyEvent* event)
{
    if (phase() != Recalling)
        return false;
    const quint32 now = ctx_.tickSource.now();
    const bool control = event->modifiers() & Qt::ControlModifier;
    const std::optional<CardRecallEntry::Move> move = CardRecallEntry::moveForKey(event->key(), control);
    // Moving writes nothing, so a held cursor key may travel; a held key that
    // writes or takes back would act on places the user never looked at.
    if (move) {
        attempt_.move(*move);
        showCursor();
        return true;
    }
    const bool edits = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete
                       || (!event->text().isEmpty() && event->text().at(0).isPrint());
    if (!edits || control || (event->modifiers() & Qt::AltModifier))
        return false;
    if (event->isAutoRepeat())
        return true;
    if (event->key() == Qt::Key_Backspace)
        recallView->showEdit(attempt_.backspace(now), attempt_.entry());
    else if (event->key() == Qt::Key_Delete)
        recallView->showEdit(attempt_.erase(now), attempt_.entry());
    else
        recallView->showEdit(attempt_.type(event->text().at(0), now), attempt_.entry());
    return true;
}

void TWinKartenMemo::cpWiedergabeClick(int place)
{
    if (phase() != Recalling)
        return;
    attempt_.moveTo(place);
    showCursor();
}

void TWinKartenMemo::cpAuswahlClick(int faceIndex)
{
    recallView->showEdit(attempt_.pick(faceIndex, ctx_.tickSource.now()), attempt_.entry());
    // The keys go on in the places, whatever was clicked.
    cpWiedergabe->setFocus();
}

void TWinKartenMemo::showCursor()
{
    recallView->showCursor(attempt_.entry());
}

void TWinKartenMemo::endRecalling()
{
    tZehntel->stop();
    const ScoreResult& score = attempt_.end(ctx_.tickSource.now());
    showScore(score);
    const bool offer = attempt_.offersRecord(recordOf(attempt_.setting()));

    gbKarten->setTitle(QStringLiteral("Ergebnis"));
    bClose->setEnabled(true);
    bStartStop->setText(QStringLiteral("START"));
    bChange->setText(QStringLiteral("Vorgabe anzeigen"));
    bChange->show();
    showsGiven_ = false;

    AttemptRecord record = attempt_.record();
    if (concludeAttempt(record, attempt_.flow().discipline(), offer))
        refreshRecord();
}

void TWinKartenMemo::showScore(const ScoreResult& score)
{
    const Attempt& a = attempt_.attempt();
    QStringList headings;
    for (int deck = 0; deck < score.rowPoints.size(); ++deck)
        headings << QStringLiteral("Stapel %1: %2 Punkte").arg(deck + 1).arg(score.rowPoints[deck]);
    pPunkte->setText(QString::number(score.totalPoints));
    pZiffern->setText(QString::number(score.correctDigits));
    const double memoSeconds = attempt_.flow().memoTimeUsed();
    tbRegelwerke->showAttempt({&attempt_.flow().discipline(), attempt_.setting(), &a, CardsPerDeck, memoSeconds});
    pMemoZeit->setText(FormatFixed(memoSeconds, 2) + QStringLiteral(" s"));
    recallView->showResult(a, headings, attempt_.ruleText());
    cpWiedergabe->setFocus();
}

void TWinKartenMemo::bChangeClick()
{
    const Attempt& a = attempt_.attempt();
    showsGiven_ = !showsGiven_;
    recallView->showGiven(a, showsGiven_);
    if (showsGiven_) {
        bChange->setText(QStringLiteral("Ergebnis anzeigen"));
        gbKarten->setTitle(QStringLiteral("Vorgabe"));
    } else {
        bChange->setText(QStringLiteral("Vorgabe anzeigen"));
        gbKarten->setTitle(QStringLiteral("Ergebnis"));
    }
    cpWiedergabe->setFocus();
}

void TWinKartenMemo::tZehntelTimer()
{
    if (ShowScoredAttemptClock(attempt_.flow(), ctx_, pErgeb))
        bStartStopClick(nullptr);
}
