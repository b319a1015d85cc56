// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/scaled_card_faces.h"

#include <QWidget>
#include <array>

class CardPictureStore;

// The 52 faces to pick a recalled card from with the mouse: a row per suit
// (Kreuz, Karo, Herz, Pik) from ace to king. A face already used in the deck
// being recalled is shown pale with a tick, one used more than once carries
// the count in red. A press picks; the second press of a double click is the
// same pick and is not taken twice.
class TCardPicker : public QWidget {
    Q_OBJECT

public:
    static constexpr int CardWidth = 40;
    static constexpr int CardHeight = 54;
    static constexpr int PitchX = 42;
    static constexpr int PitchY = 56;

    explicit TCardPicker(const CardPictureStore& pictures, QWidget* parent = nullptr);

    // How often each face (index 1..52) is used; index 0 is not read.
    using Uses = std::array<int, 53>;
    void setUses(const Uses& uses);
    const Uses& uses() const { return uses_; }

    QRect faceRect(int faceIndex) const;
    int faceAt(QPoint point) const;
    QSize sizeHint() const override;

Q_SIGNALS:
    void picked(int faceIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ScaledCardFaces small_;
    Uses uses_{};
};
