// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/win_champ.h"

#include "widgets/window_helpers.h"
#include "widgets/string_align_grid.h"
#include "widgets/up_down_edit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TWinChamp::TWinChamp(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("WinChamp"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Offizielle Standards für Gedächtnismeisterschaften"));
    setFixedSize(361, 369);

    gbData = new QGroupBox(QStringLiteral("Gespeicherte Gedächtnisdisziplinen"), this);
    gbData->setGeometry(8, 6, 345, 84);
    sgData = new TStringAlignGrid(gbData);
    sgData->setColCount(5);
    sgData->setRowCount(2);
    sgData->setFixedRows(1);
    sgData->setDefaultRowHeight(18);
    const int widths[] = {75, 80, 80, 80, 64};
    for (int c = 0; c < 5; ++c)
        sgData->setColWidth(c, widths[c]);
    const char* headers[] = {"Disziplin", "Standard", "Memorierzeit", "Wiedergabezeit", ""};
    for (int c = 0; c < 5; ++c)
        sgData->setCell(c, 0, QString::fromUtf8(headers[c]));
    // The five columns are wider than the box: they scroll sideways.
    sgData->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    sgData->setGeometry(8, 20, 329, 56);

    gbDisziplin = new QGroupBox(QStringLiteral("Gedächtnisdisziplin"), this);
    gbDisziplin->setGeometry(8, 96, 345, 232);
    const auto label = [this](const QString& text, int x, int y) {
        auto* l = new QLabel(text, gbDisziplin);
        l->setGeometry(x, y, 160, 15);
        return l;
    };
    label(QStringLiteral("Disziplin"), 10, 20);
    cbDisziplin = new QComboBox(gbDisziplin);
    cbDisziplin->addItems({"Random Words", "Spoken Numbers", "Names & Faces", "1 Hour numbers", "Speed numbers",
                           "Text (non-rhyme) Poem", "1 Hour Cards", "Historic / future dates", "Binary Numbers",
                           "Speed Cards"});
    cbDisziplin->setGeometry(10, 36, 160, 22);
    label(QStringLiteral("Standard"), 178, 20);
    cbStandard = new QComboBox(gbDisziplin);
    cbStandard->addItems({"World Standard", "International Standard", "National Standard", "Junior Standard"});
    cbStandard->setGeometry(178, 36, 157, 22);

    const auto spin = [this](int x, int y) {
        auto* ud = new TUpDownEdit(gbDisziplin);
        ud->setUp(1, 10000, 5, 5);
        ud->setGeometry(x, y, 100, 22);
        return ud;
    };
    label(QStringLiteral("Memorierzeit"), 10, 68);
    udMemo = spin(10, 84);
    label(QStringLiteral("Wiedergabezeit"), 178, 68);
    udReplay = spin(178, 84);

    const auto edit = [this](int x, int y) {
        auto* e = new QLineEdit(gbDisziplin);
        e->setGeometry(x, y, 157, 22);
        return e;
    };
    label(QStringLiteral("Millenium Standard"), 10, 116);
    eMillenium = edit(10, 132);
    label(QStringLiteral("Umrechnungsfaktor"), 178, 116);
    eFaktor = edit(178, 132);
    label(QStringLiteral("Weltrekord"), 10, 164);
    eWC = edit(10, 180);
    label(QStringLiteral("Punkte für Weltrekord"), 178, 164);
    ePoints4WC = edit(178, 180);

    bClose = new QPushButton(QStringLiteral("Schliessen"), this);
    bClose->setGeometry(272, 336, 81, 26);
    SetObjectNames({{gbData, "gbData"}, {sgData, "sgData"}, {gbDisziplin, "gbDisziplin"},
                    {cbDisziplin, "cbDisziplin"}, {cbStandard, "cbStandard"}, {udMemo, "udMemo"},
                    {udReplay, "udReplay"}, {eMillenium, "eMillenium"}, {eFaktor, "eFaktor"}, {eWC, "eWC"},
                    {ePoints4WC, "ePoints4WC"}, {bClose, "bClose"}});
    // Each label stands above the control it names, in the order they were made.
    const QList<QLabel*> labels = gbDisziplin->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    const QList<QWidget*> named = {cbDisziplin, cbStandard, udMemo, udReplay, eMillenium, eFaktor, eWC, ePoints4WC};
    for (qsizetype i = 0; i < labels.size() && i < named.size(); ++i)
        labels[i]->setBuddy(named[i]);
    UpdateAccessibleNames(this);
    connect(bClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TWinChamp::showEvent(QShowEvent* event)
{
    CenterOnScreen(this);
    QDialog::showEvent(event);
}
