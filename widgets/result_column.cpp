// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/result_column.h"

#include "training/clock_text.h"
#include "widgets/panel.h"
#include "widgets/speed_button.h"
#include "widgets/window_helpers.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>

ResultColumn::ResultColumn(QWidget* window, int x, quint8 parts, int closeY) : window_(window), x_(x)
{
    bStartStop = new TSpeedButton(QStringLiteral("START / STOP"), window);
    bStartStop->setGeometry(x, 26, Width, 34);
    QFont bold = window->font();
    bold.setBold(true);
    bStartStop->setFont(bold);
    bStartStop->setToolTip(StartStopKeys().first().toString(QKeySequence::NativeText));

    pErgeb = panel(66, 30);
    pErgeb->setFont(PixelFont(19, true));
    pErgeb->setText(ClosedClockText);

    // A window with both shows one pair at a time, in the same place.
    if (parts & BestTime) {
        labBestzeit = label(QStringLiteral("Bestzeit"), 106);
        pRekZahlen = panel(122, 24);
    }
    if (parts & Points) {
        labPunkteRekord = label(QStringLiteral("Punkterekord"), 106);
        pPunkteRekord = panel(122, 24);
        labPunkte = label(QStringLiteral("Punkte Meisterschaft"), 154);
        pPunkte = panel(170, 24);
        labZiffern = label(QStringLiteral("Korrekte Ziffern"), 202);
        pZiffern = panel(218, 24);
        bChange = new TSpeedButton(QStringLiteral("Vorgabe anzeigen"), window);
        bChange->setGeometry(x, 250, Width, 34);
        bChange->hide();
        // Its caption changes with what it shows next, so it has a key of its own.
        auto* change = new QShortcut(ChangeViewKey(), window);
        QObject::connect(change, &QShortcut::activated, bChange, [button = bChange] {
            if (button->isVisible() && button->isEnabled())
                button->click();
        });
        bChange->setToolTip(ChangeViewKey().toString(QKeySequence::NativeText));
    }
    bClose = new QPushButton(QStringLiteral("Schliessen"), window);
    bClose->setGeometry(x, closeY, Width, 28);
    // Enter presses none of them: a training window takes its keys for the attempt.
    for (QPushButton* button : {bStartStop, bChange, bClose}) {
        if (button) {
            button->setAutoDefault(false);
            button->setDefault(false);
        }
    }
}

QLabel* ResultColumn::label(const QString& text, int y) const
{
    auto* l = new QLabel(text, window_);
    l->setGeometry(x_, y, Width, 15);
    return l;
}

TPanel* ResultColumn::panel(int y, int height) const
{
    auto* p = new TPanel(window_);
    p->setGeometry(x_, y, Width, height);
    return p;
}
