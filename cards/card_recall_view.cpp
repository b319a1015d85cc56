// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "cards/card_recall_view.h"

#include "cards/card_picker.h"
#include "cards/card_places.h"
#include "cards/card_rules.h"
#include "core/attempt.h"
#include "widgets/window_helpers.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr int PageWidth = 638;
constexpr int PlacesHeight = TCardPlaces::HeadingHeight + TCardPlaces::RowsPerDeck * TCardPlaces::PitchY
                             + 2 * TCardPlaces::Margin + 4;
// The result needs no picker: its places take the room, the rule below them.
constexpr int ResultPlacesHeight = 460;

const QString Legend = QStringLiteral("Grün umrandet: richtig · rot umrandet: falsch, die richtige Karte klein "
                                      "daneben · rot hinterlegt: fehlt, die richtige Karte klein darin");

} // namespace

TCardRecallView::TCardRecallView(const CardPictureStore& pictures, QWidget* parent) : QWidget(parent)
{
    sbWiedergabe = new QScrollArea(this);
    sbWiedergabe->setGeometry(0, 0, PageWidth, PlacesHeight);
    sbWiedergabe->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sbWiedergabe->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbWiedergabe->setFocusPolicy(Qt::NoFocus);
    cpWiedergabe = new TCardPlaces(pictures);
    sbWiedergabe->setWidget(cpWiedergabe);

    const int below = PlacesHeight + 8;
    cpAuswahl = new TCardPicker(pictures, this);
    cpAuswahl->move((PageWidth - cpAuswahl->width()) / 2, below);
    labTasten = new QLabel(CardKeyMapText() + QStringLiteral(" · Rücktaste nimmt zurück, Pfeiltasten wählen den "
                                                             "Platz, Leertaste lässt ihn leer"),
                           this);
    labTasten->setWordWrap(true);
    labTasten->setGeometry(4, below + cpAuswahl->height() + 4, 630, 34);

    labRegel = new QLabel(this);
    labRegel->setWordWrap(true);
    labRegel->setGeometry(4, ResultPlacesHeight + 8, 630, 40);
    labRegel->setFont(PixelFont(13, true));
    labLegende = new QLabel(Legend, this);
    labLegende->setWordWrap(true);
    labLegende->setGeometry(4, ResultPlacesHeight + 52, 630, 34);
    labRegel->hide();
    labLegende->hide();

    cpWiedergabe->setAccessibleName(QStringLiteral("Wiedergabe"));
    cpAuswahl->setAccessibleName(QStringLiteral("Karten zur Auswahl"));
}

void TCardRecallView::startRecall(int placeCount)
{
    cpWiedergabe->setPlaceCount(placeCount);
    cpWiedergabe->setRepeatsMarked(true);
    setPlacesHeight(PlacesHeight);
    setPickerShown(true);
}

void TCardRecallView::showCursor(const CardRecallEntry& entry)
{
    cpWiedergabe->setCursor(entry.cursor(), entry.pendingValue());
    TCardPicker::Uses uses{};
    for (int face = 1; face <= CardsPerDeck; ++face)
        uses[face] = entry.usesAtCursor(face);
    cpAuswahl->setUses(uses);
    if (entry.placeCount() > 0) {
        const QRect place = cpWiedergabe->placeRect(qMin(entry.cursor(), entry.placeCount() - 1));
        // The deck's heading comes into view with its first row.
        sbWiedergabe->ensureVisible(place.center().x(), place.center().y(), 0,
                                    place.height() / 2 + TCardPlaces::HeadingHeight + 4);
    }
}

void TCardRecallView::showEdit(const std::optional<CardEdit>& edit, const CardRecallEntry& entry)
{
    if (edit)
        cpWiedergabe->setFace(edit->place, edit->face);
    showCursor(entry);
}

void TCardRecallView::showResult(const Attempt& attempt, const QStringList& deckHeadings, const QString& ruleText)
{
    cpWiedergabe->setRepeatsMarked(false);
    cpWiedergabe->setCursor(-1, 0);
    cpWiedergabe->setFaces(attempt.answers);
    cpWiedergabe->setExpected(attempt.given);
    cpWiedergabe->setDeckHeadings(deckHeadings);
    setPlacesHeight(ResultPlacesHeight);
    labRegel->setText(ruleText);
    setPickerShown(false);
}

void TCardRecallView::showGiven(const Attempt& attempt, bool given)
{
    if (given) {
        cpWiedergabe->setExpected({});
        cpWiedergabe->setFaces(attempt.given);
    } else {
        cpWiedergabe->setFaces(attempt.answers);
        cpWiedergabe->setExpected(attempt.given);
    }
}

void TCardRecallView::setPlacesHeight(int height)
{
    sbWiedergabe->resize(sbWiedergabe->width(), height);
    sbWiedergabe->verticalScrollBar()->setValue(0);
}

void TCardRecallView::setPickerShown(bool shown)
{
    cpAuswahl->setVisible(shown);
    labTasten->setVisible(shown);
    labRegel->setVisible(!shown);
    labLegende->setVisible(!shown);
}
