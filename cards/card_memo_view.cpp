// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_memo_view.h"

#include "cards/card_picture_store.h"
#include "cards/card_rules.h"
#include "cards/playing_card.h"
#include "widgets/panel.h"
#include "widgets/speed_button.h"
#include "widgets/window_helpers.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

constexpr int CardsTop = 110;
constexpr int CardGap = 14;

} // namespace

TCardMemoView::TCardMemoView(const CardPictureStore& pictures, QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    pKarte = new TPanel(this);
    pKarte->setFont(PixelFont(15, true));
    pKarte->setText(QStringLiteral("Karte #1"));
    TPlayingCard** cards[] = {&pcKarte1, &pcKarte2, &pcKarte3};
    for (TPlayingCard** card : cards) {
        *card = new TPlayingCard(pictures, this);
        (*card)->resize(CardPictureStore::Width * CardScale, CardPictureStore::Height * CardScale);
        (*card)->setCursor(Qt::PointingHandCursor);
        connect(*card, &TPlayingCard::clicked, this, &TCardMemoView::forward);
    }
    // The buttons never take the focus from the view the keys go to.
    bZurueck = new TSpeedButton(QStringLiteral("◀ Zurück"), this);
    bWeiter = new TSpeedButton(QStringLiteral("Weiter ▶"), this);
    connect(bZurueck, &QPushButton::clicked, this, &TCardMemoView::back);
    connect(bWeiter, &QPushButton::clicked, this, &TCardMemoView::forward);
    labTasten = new QLabel(QStringLiteral("Weiter: → oder Leertaste oder ein Klick auf die Karte · Zurück: ← oder "
                                          "Rücktaste · Memorieren fertig: Strg+Eingabe"),
                           this);
    labTasten->setWordWrap(true);
    labTasten->setAlignment(Qt::AlignCenter);
    placeCards(1);
}

void TCardMemoView::placeCards(int perView)
{
    const int w = width() > 0 ? width() : 638;
    pKarte->setGeometry((w - 300) / 2, 50, 300, 32);
    const int cardWidth = CardPictureStore::Width * CardScale;
    const int row = perView * cardWidth + (perView - 1) * CardGap;
    int x = (w - row) / 2;
    TPlayingCard* cards[] = {pcKarte1, pcKarte2, pcKarte3};
    for (int i = 0; i < 3; ++i) {
        cards[i]->move(x, CardsTop);
        cards[i]->setVisible(i < perView);
        x += cardWidth + CardGap;
    }
    const int buttonsTop = CardsTop + CardPictureStore::Height * CardScale + 16;
    bZurueck->setGeometry(w / 2 - 128, buttonsTop, 120, 30);
    bWeiter->setGeometry(w / 2 + 8, buttonsTop, 120, 30);
    labTasten->setGeometry(10, buttonsTop + 44, w - 20, 34);
}

QString TCardMemoView::counterText(DrillGroup group, int count)
{
    QString text = group.size > 1 ? QStringLiteral("Karten %1–%2 von %3")
                                        .arg(group.first + 1)
                                        .arg(group.first + group.size)
                                        .arg(count)
                                  : QStringLiteral("Karte %1 von %2").arg(group.first + 1).arg(count);
    if (count > CardsPerDeck)
        text += QStringLiteral(" · Stapel %1").arg(group.first / CardsPerDeck + 1);
    return text;
}

void TCardMemoView::showGroup(const QByteArray& cards, DrillGroup group, int perView)
{
    placeCards(perView);
    TPlayingCard* places[] = {pcKarte1, pcKarte2, pcKarte3};
    for (int i = 0; i < 3; ++i) {
        if (i < group.size) {
            places[i]->setFaceIndex(quint8(cards.at(group.first + i)));
            places[i]->setShow(soFace);
        } else {
            // The last view may hold fewer cards: its empty places show a back.
            places[i]->setShow(soBack);
        }
    }
    pKarte->setText(counterText(group, int(cards.size())));
    bZurueck->setEnabled(group.first > 0);
    bWeiter->setEnabled(group.first + group.size < cards.size());
}

void TCardMemoView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool on = key == Qt::Key_Right || key == Qt::Key_Space;
    const bool backKey = key == Qt::Key_Left || key == Qt::Key_Backspace;
    if ((on || backKey) && event->modifiers() == Qt::NoModifier) {
        // A held key would race through the cards unseen.
        if (!event->isAutoRepeat()) {
            if (on)
                Q_EMIT forward();
            else
                Q_EMIT back();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
