// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/win_learn_cards.h"

#include "cards/card_symbols.h"
#include "cards/playing_card.h"
#include "cards/win_karten_memo.h"
#include "cards/win_meisterschaft.h"
#include "core/app_context.h"
#include "core/error_handler.h"
#include "widgets/panel.h"
#include "widgets/start_stop_guard.h"
#include "widgets/window_helpers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The suit symbol beside a suit box.
QIcon suitSymbol(int suit)
{
    constexpr int Size = 14;
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(Size, Size);
    painter.fillPath(SuitPath(suit), SuitColor(suit));
    return QIcon(picture);
}

} // namespace

TWinLearnCards::TWinLearnCards(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent)
    : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinLearnCards"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Korvanis - Speed Cards"));
    setFont(PixelFont(11, false));
    setFixedSize(545, 294);

    buildPracticeField(pictures);
    buildRightColumn();
    buildChampionshipField(pictures);
    nameControls();
    connectHandlers();
    RunGuarded(ctx_.dialogs, [this] { FormCreate(); });
}

TWinLearnCards::~TWinLearnCards() = default;

// ---------------------------------------------------------------------------
// Controls

void TWinLearnCards::buildPracticeField(const CardPictureStore& pictures)
{
    GroupBox1 = new QGroupBox(QStringLiteral("Übungsfeld"), this);
    GroupBox1->setGeometry(8, 6, 312, 240);

    pcTraining = new TPlayingCard(pictures, GroupBox1);
    pcTraining->move(18, 24);
    pcTraining->setFaceIndex(27);
    pcTraining->setShow(soFace);
    pcTraining->setFocusPolicy(Qt::StrongFocus);
    pcTraining->setCursor(Qt::PointingHandCursor);

    const QFont bold = PixelFont(12, true);
    pBedeutung = new TPanel(GroupBox1);
    pBedeutung->setGeometry(125, 24, 169, 44);
    pBedeutung->setFont(bold);
    pGrund = new TPanel(GroupBox1);
    pGrund->setGeometry(125, 76, 169, 44);
    // The longest reasons need a second line at this width.
    for (TPanel* panel : {pBedeutung, pGrund}) {
        panel->setWordWrap(true);
        panel->setFocusPolicy(Qt::StrongFocus);
        panel->setCursor(Qt::PointingHandCursor);
    }

    chbLoesung = new QCheckBox(QStringLiteral("Lösung zeigen"), GroupBox1);
    chbLoesung->setGeometry(18, 134, 150, 20);
    rbZufall = new QRadioButton(QStringLiteral("Zufall"), GroupBox1);
    rbZufall->setGeometry(18, 164, 80, 20);
    rbZufall->setChecked(true);
    rbSortiert = new QRadioButton(QStringLiteral("Sortiert"), GroupBox1);
    rbSortiert->setGeometry(125, 164, 80, 20);
    buildSuitBoxes();
}

void TWinLearnCards::buildSuitBoxes()
{
    struct Box {
        QCheckBox** box;
        const char* caption;
        int suit;
    };
    const Box boxes[] = {{&chbHerz, "Herz", 2}, {&chbKaro, "Karo", 1}, {&chbPik, "Pik", 3}, {&chbKreuz, "Kreuz", 0}};
    int x = 18;
    for (const Box& b : boxes) {
        auto* box = new QCheckBox(QString::fromUtf8(b.caption), GroupBox1);
        box->setIcon(suitSymbol(b.suit));
        box->setIconSize(QSize(14, 14));
        box->setChecked(true);
        box->setGeometry(x, 200, box->sizeHint().width(), 22);
        *b.box = box;
        x += box->width() + 4;
    }
}

void TWinLearnCards::buildRightColumn()
{
    GroupBox2 = new QGroupBox(QStringLiteral("Meisterschaftsfeld"), this);
    GroupBox2->setGeometry(328, 6, 209, 138);

    GroupBox3 = new QGroupBox(QStringLiteral("Zeittabelle"), this);
    GroupBox3->setGeometry(328, 150, 209, 96);

    Button1 = new QPushButton(QStringLiteral("Schliessen"), this);
    Button1->setGeometry(437, 256, 100, 28);
    // Enter belongs to the card; it must never close the window by the way.
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
}

void TWinLearnCards::buildChampionshipField(const CardPictureStore& pictures)
{
    // A deck face down, a second one behind it when the setting deals more.
    pcMeister2 = new TPlayingCard(pictures, GroupBox2);
    pcMeister2->move(18, 28);
    pcMeister2->setShow(soBack);
    pcMeister2->hide();
    pcMeister1 = new TPlayingCard(pictures, GroupBox2);
    pcMeister1->move(12, 22);
    pcMeister1->setShow(soBack);

    pKarte = new TPanel(GroupBox2);
    pKarte->setGeometry(94, 22, 105, 44);
    pKarte->setWordWrap(true);
    pKarte->setText(QStringLiteral("Karte #1"));
    bEinstellungen = new QPushButton(QStringLiteral("&Einstellungen"), GroupBox2);
    bEinstellungen->setGeometry(94, 72, 105, 26);
    bStart = new QPushButton(QStringLiteral("&Start"), GroupBox2);
    bStart->setGeometry(94, 102, 105, 26);
    for (QPushButton* button : {bEinstellungen, bStart}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // A double click on Start opens the attempt once.
    new StartStopGuard(bStart, ctx_.tickSource);

    WinMeisterschaft = new TWinMeisterschaft(ctx_, this);
    WinKartenMemo = new TWinKartenMemo(ctx_, pictures, this);
    WinKartenMemo->nextSetting = [this] { return WinMeisterschaft->setting(); };
}

void TWinLearnCards::nameControls()
{
    SetObjectNames({{GroupBox1, "GroupBox1"}, {pcTraining, "pcTraining"}, {pBedeutung, "pBedeutung"},
                    {pGrund, "pGrund"}, {chbLoesung, "chbLoesung"}, {rbZufall, "rbZufall"},
                    {rbSortiert, "rbSortiert"}, {chbHerz, "chbHerz"}, {chbKaro, "chbKaro"}, {chbPik, "chbPik"},
                    {chbKreuz, "chbKreuz"}, {GroupBox2, "GroupBox2"}, {pcMeister1, "pcMeister1"},
                    {pcMeister2, "pcMeister2"}, {pKarte, "pKarte"}, {bEinstellungen, "bEinstellungen"},
                    {bStart, "bStart"},
                    {GroupBox3, "GroupBox3"}, {Button1, "Button1"}});
    // The card and the two panels have no caption: they are named by their role.
    pcTraining->setAccessibleName(QStringLiteral("Karte"));
    pBedeutung->setAccessibleName(QStringLiteral("Bedeutung"));
    pGrund->setAccessibleName(QStringLiteral("Grund"));
    pcMeister1->setAccessibleName(QStringLiteral("Kartenstapel"));
    pcMeister2->setAccessibleName(QStringLiteral("Zweiter Kartenstapel"));
    pKarte->setAccessibleName(QStringLiteral("Meisterschaft"));
    UpdateAccessibleNames(this);
}

void TWinLearnCards::connectHandlers()
{
    connect(pcTraining, &TPlayingCard::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { pcTrainingClick(); }); });
    pcTraining->installEventFilter(this);
    connect(pBedeutung, &TPanel::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { pBedeutungClick(); }); });
    connect(pGrund, &TPanel::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { pGrundClick(); }); });
    connect(chbLoesung, &QCheckBox::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { chbLoesungClick(); }); });
    for (QCheckBox* box : {chbHerz, chbKaro, chbPik, chbKreuz})
        connect(box, &QCheckBox::clicked, this, [this, box] { RunGuarded(ctx_.dialogs, [this, box] { chbHerzClick(box); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(bEinstellungen, &QPushButton::clicked, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { bEinstellungenClick(); }); });
    connect(bStart, &QPushButton::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { bStartClick(); }); });
    for (QDialog* window : {static_cast<QDialog*>(WinMeisterschaft), static_cast<QDialog*>(WinKartenMemo)}) {
        connect(window, &QDialog::finished, this,
                [this] { RunGuarded(ctx_.dialogs, [this] { refreshChampionshipField(); }); });
    }
}

// ---------------------------------------------------------------------------
// Creation and showing

void TWinLearnCards::FormCreate()
{
    // The shared generator was seeded when the main window was created; seeding
    // it again here would only restart it. The first card is drawn as a click
    // draws it, so it is never the card the layout starts with.
    pcTrainingClick();
    refreshChampionshipField();
}

void TWinLearnCards::showEvent(QShowEvent* event)
{
    CenterOnScreen(this);
    pcTraining->setFocus();
    QDialog::showEvent(event);
}

void TWinLearnCards::keyPressEvent(QKeyEvent* event)
{
    // Enter is the card's key; anywhere else it would press no button here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TWinLearnCards::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != pcTraining)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        RunGuarded(ctx_.dialogs, [this, button] { pcTrainingMouseUp(button); });
    } else if (event->type() == QEvent::KeyPress) {
        // Enter clicks the card as Space does; the context-menu key and
        // Shift+F10 stand for the right click.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                           && key->modifiers() == Qt::NoModifier;
        const bool menu = key->key() == Qt::Key_Menu
                          || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        if (!enter && !menu)
            return false;
        if (!key->isAutoRepeat())
            RunGuarded(ctx_.dialogs, [this, enter] { enter ? pcTrainingClick() : pcTrainingMouseUp(Qt::RightButton); });
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Handlers

SuitsOn TWinLearnCards::suitsOn() const
{
    return {chbKreuz->isChecked(), chbKaro->isChecked(), chbHerz->isChecked(), chbPik->isChecked()};
}

void TWinLearnCards::pcTrainingClick()
{
    const int current = pcTraining->FaceIndex();
    const int next = rbZufall->isChecked() ? NextCardRandom(current, suitsOn(), ctx_.random)
                                           : NextCardSorted(current, suitsOn());
    pcTraining->setFaceIndex(next);
    pBedeutung->clear();
    pGrund->clear();
    if (chbLoesung->isChecked()) {
        toggleMeaning();
        showReason();
    }
}

void TWinLearnCards::pcTrainingMouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        toggleMeaning();
}

void TWinLearnCards::pBedeutungClick()
{
    toggleMeaning();
}

void TWinLearnCards::pGrundClick()
{
    showReason();
}

void TWinLearnCards::chbLoesungClick()
{
    if (chbLoesung->isChecked()) {
        toggleMeaning();
        showReason();
    } else {
        pBedeutung->clear();
        pGrund->clear();
    }
}

void TWinLearnCards::chbHerzClick(QCheckBox* sender)
{
    const SuitsOn suits = suitsOn();
    if (std::find(suits.begin(), suits.end(), true) == suits.end())
        sender->setChecked(true);
}

void TWinLearnCards::Button1Click()
{
    close();
}

void TWinLearnCards::toggleMeaning()
{
    pBedeutung->setText(ToggledMeaning(pBedeutung->text(), pcTraining->FaceIndex()));
}

void TWinLearnCards::showReason()
{
    pGrund->setText(CardImageOf(pcTraining->FaceIndex()).reason);
}

// ---------------------------------------------------------------------------
// The championship field

void TWinLearnCards::bEinstellungenClick()
{
    WinMeisterschaft->showSettings();
}

void TWinLearnCards::bStartClick()
{
    WinKartenMemo->startFromField();
    refreshChampionshipField();
}

void TWinLearnCards::refreshChampionshipField()
{
    const AttemptRecord::Setting s = WinMeisterschaft->setting();
    pcMeister2->setVisible(s.count.value_or(0) > CardsPerDeck);
    // An attempt left open goes on with Start; the field says so.
    if (WinKartenMemo->phase() != TWinKartenMemo::Idle) {
        pKarte->setText(QStringLiteral("Versuch läuft: Start setzt ihn fort"));
        return;
    }
    pKarte->setText(QStringLiteral("%1 Karten\n%2 / %3 min")
                        .arg(s.count.value_or(0))
                        .arg(s.memoMinutes.value_or(0))
                        .arg(s.recallMinutes.value_or(0)));
}
