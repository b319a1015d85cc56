// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/card_rules.h"

#include <QWidget>

class CardPictureStore;

// A playing card: one picture of the card picture store (a face, a tool picture
// or a back), drawn through the card outline so that its cut corners show what
// lies beneath, and as its colour negative while selected. It is changed only
// through its properties, which follow the card rules: an out-of-range write
// raises EPlayingCard and changes nothing, and the card is painted again only
// when what it shows has changed.
//
// Every press of the mouse button is one click, even when the system takes two
// quick presses for a double click. A card that is given the focus also clicks
// for Space and the Right arrow key, and shows a focus frame.
class TPlayingCard : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int FaceIndex READ FaceIndex WRITE setFaceIndex)
    Q_PROPERTY(int ToolIndex READ ToolIndex WRITE setToolIndex)
    Q_PROPERTY(int BackIndex READ BackIndex WRITE setBackIndex)
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(int Suit READ Suit WRITE setSuit)
    Q_PROPERTY(Cards::TShowOption Show READ Show WRITE setShow)
    Q_PROPERTY(bool Selected READ Selected WRITE setSelected)

public:
    explicit TPlayingCard(const CardPictureStore& pictures, QWidget* parent = nullptr);

    int FaceIndex() const { return state_.FaceIndex(); }
    int ToolIndex() const { return state_.ToolIndex(); }
    int BackIndex() const { return state_.BackIndex(); }
    int Value() const { return state_.Value(); }
    int Suit() const { return state_.Suit(); }
    TShowOption Show() const { return state_.Show(); }
    bool Selected() const { return state_.Selected(); }

    void setFaceIndex(int faceIndex) { repaintIf(state_.setFaceIndex(faceIndex)); }
    void setToolIndex(int toolIndex) { repaintIf(state_.setToolIndex(toolIndex)); }
    void setBackIndex(int backIndex) { repaintIf(state_.setBackIndex(backIndex)); }
    void setValue(int value) { repaintIf(state_.setValue(value)); }
    void setSuit(int suit) { repaintIf(state_.setSuit(suit)); }
    void setShow(TShowOption show) { repaintIf(state_.setShow(show)); }
    void setSelected(bool selected) { repaintIf(state_.setSelected(selected)); }

    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void repaintIf(bool changed)
    {
        if (changed)
            update();
    }

    const CardPictureStore& pictures_;
    PlayingCardState state_;
};
