// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "cards/card_images.h"

#include <QDialog>

class AppContext;
class CardPictureStore;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TPanel;
class TPlayingCard;
class TWinKartenMemo;
class TWinMeisterschaft;

// The card image learning window: one card at a time in the practice field; the
// user recalls the card's image word, reveals the word, the card's name and the
// reason by clicking, and moves on to the next card in random or sorted order,
// limited to the suits chosen. Nothing is timed or stored. All its texts are
// German.
//
// The championship field beside it starts a memorisation attempt of shuffled
// decks, in a window of its own, with the setting of "Einstellungen".
//
// Keyboard: the card takes the focus; Space, Enter or the Right arrow key on it
// is a click (the next card), and the context-menu key or Shift+F10 is the right
// click (word or name). Space on the meaning or the reason panel clicks it.
// Alt+E opens the championship settings, Alt+S starts the attempt.
class TWinLearnCards : public QDialog {
    Q_OBJECT

public:
    TWinLearnCards(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent = nullptr);
    ~TWinLearnCards() override;

    // Handlers, named after their control and event.
    void pcTrainingClick();
    void pcTrainingMouseUp(Qt::MouseButton button);
    void pBedeutungClick();
    void pGrundClick();
    void chbLoesungClick();
    void chbHerzClick(QCheckBox* sender);
    void Button1Click();
    void bEinstellungenClick();
    void bStartClick();
    // The championship field after its setting or its attempt changed.
    void refreshChampionshipField();

    // Controls. The suit boxes stand left to right in the order Herz, Karo, Pik, Kreuz.
    QGroupBox* GroupBox1 = nullptr;
    TPlayingCard* pcTraining = nullptr;
    TPanel* pBedeutung = nullptr;
    TPanel* pGrund = nullptr;
    QCheckBox* chbLoesung = nullptr;
    QRadioButton* rbZufall = nullptr;
    QRadioButton* rbSortiert = nullptr;
    QCheckBox* chbHerz = nullptr;
    QCheckBox* chbKaro = nullptr;
    QCheckBox* chbPik = nullptr;
    QCheckBox* chbKreuz = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    TPlayingCard* pcMeister1 = nullptr;
    // The second deck behind the first, shown when the setting deals more than one.
    TPlayingCard* pcMeister2 = nullptr;
    TPanel* pKarte = nullptr;
    QPushButton* bEinstellungen = nullptr;
    QPushButton* bStart = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QPushButton* Button1 = nullptr;

    // The championship's settings and its attempt.
    TWinMeisterschaft* WinMeisterschaft = nullptr;
    TWinKartenMemo* WinKartenMemo = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPracticeField(const CardPictureStore& pictures);
    void buildSuitBoxes();
    void buildRightColumn();
    void buildChampionshipField(const CardPictureStore& pictures);
    void nameControls();
    void connectHandlers();
    void FormCreate();

    SuitsOn suitsOn() const;
    void toggleMeaning();
    void showReason();


    AppContext& ctx_;
};
