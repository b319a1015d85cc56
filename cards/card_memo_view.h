// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/picture_drill.h"

#include <QByteArray>
#include <QWidget>

class CardPictureStore;
class QLabel;
class QPushButton;
class TPanel;
class TPlayingCard;

// What the user memorises from: the cards of the view on show, one to three at
// twice their size, the counter "Karte 12 von 52" (with the deck from the
// second deck on), and the buttons back and on. Right, Space or a click on a
// card goes on, Left or Backspace back; a held key does not race on. The
// window decides what each step does.
class TCardMemoView : public QWidget {
    Q_OBJECT

public:
    static constexpr int CardScale = 2;

    TCardMemoView(const CardPictureStore& pictures, QWidget* parent = nullptr);

    // Shows cards[group] in perView places, counting them among total.
    void showGroup(const QByteArray& cards, DrillGroup group, int perView);
    // The counter's text for a group of a count of cards.
    static QString counterText(DrillGroup group, int count);

    TPlayingCard* pcKarte1 = nullptr;
    TPlayingCard* pcKarte2 = nullptr;
    TPlayingCard* pcKarte3 = nullptr;
    TPanel* pKarte = nullptr;
    QPushButton* bZurueck = nullptr;
    QPushButton* bWeiter = nullptr;
    QLabel* labTasten = nullptr;

Q_SIGNALS:
    void forward();
    void back();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeCards(int perView);
};
