// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "overviews/quendor_levels.h"
#include "overviews/quendor_settings.h"

#include <QDialog>
#include <QHash>
#include <array>

class AppContext;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QValidator;
class TPanel;
class TRowPanel;

// The ranking-level record overview: the user's own best times in the ten levels
// of each of the seven Quendor disciplines, typed by hand and kept in the
// settings file, with the pace of every level and, on a double click, the time
// every level would take at the pace of one.
class TWinQuendor : public QDialog {
    Q_OBJECT

public:
    explicit TWinQuendor(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int QuendorWindowWidth = 664;
    static constexpr int QuendorWindowHeight = 364;

    // Indexed by discipline 1 to 7 and level 1 to 10, as the window counts them;
    // index 0 stays empty.
    template <class Control>
    using PerLevel = std::array<std::array<Control*, QuendorLevelCount + 1>, QuendorDisciplineCount + 1>;
    template <class Control>
    using PerDiscipline = std::array<Control*, QuendorDisciplineCount + 1>;

    // Controls.
    QTabWidget* pcRekorde = nullptr;
    QWidget* tsBinary = nullptr;
    QWidget* tsNumbers = nullptr;
    QWidget* tsWords = nullptr;
    QWidget* tsText = nullptr;
    QWidget* tsCards = nullptr;
    QWidget* tsNames = nullptr;
    QWidget* tsDates = nullptr;
    QPushButton* Button1 = nullptr;

    // Lookup tables of the level rows and the hidden edits (none for Text).
    PerLevel<TPanel> LevelPanels{};
    PerLevel<QLineEdit> BestTimeEdits{};
    PerLevel<TRowPanel> PacePanels{};
    PerLevel<TRowPanel> PossiblePanels{};
    PerDiscipline<QLineEdit> ConvertEdits{};
    PerDiscipline<QLineEdit> LastSecondsEdits{};

    // The discipline of the tab on show, 1 to 7.
    int activeDiscipline() const;

    // Handlers; a row's handler gets the level the row's controls carry as tag.
    // The key filter returns whether the key is discarded.
    bool eKeyPress(QChar key);
    void eKeyUp(int level);
    void pDDblClick(int level);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Closing runs FormClose whichever way the window is closed.
    void done(int result) override;

private:
    // Building the window (quendor_layout.cpp).
    void buildControls();
    QWidget* buildPage(int discipline);
    void buildHeadings(QWidget* page, int discipline);
    void buildRow(QWidget* page, int discipline, int level);
    void buildHiddenEdits(QWidget* page, int discipline);

    void FormCreate();
    void FormShow();
    void FormClose();
    void attachHandlers(int discipline, int level);
    void readSettings();
    void showSummary();
    void showPace(int discipline, int level);
    bool moveInColumn(QObject* control, int step);


    // Where each row control stands: discipline, level and column (0 best time,
    // 1 pace, 2 projection).
    struct RowPlace {
        int discipline;
        int level;
        int column;
    };
    QHash<const QObject*, RowPlace> rowPlaces_;

    AppContext& ctx_;
    QValidator* digitsOnly_ = nullptr;
    // The hidden values as read, so that they go back to the file to their last
    // digit, not as the two decimals their edits show.
    QuendorValues stored_;
};
