// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/win_standards.h"

#include "core/app_context.h"
#include "core/error_handler.h"
#include "widgets/window_helpers.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

enum Column { Body, Discipline, Minutes, Year, Formula, Value, Source, ColumnCount };

const char* const FormulaNames[] = {"standard", "speedcards", "spoken"};

} // namespace

TWinStandards::TWinStandards(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinStandards"));
    setWindowTitle(QStringLiteral("Meisterschaftsstandards"));
    setFixedSize(760, 420);
    sgStandards = new QTableWidget(0, ColumnCount, this);
    sgStandards->setGeometry(8, 8, 744, 364);
    sgStandards->verticalHeader()->setDefaultSectionSize(20);
    sgStandards->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {56, 86, 60, 50, 84, 70};
    for (int c = 0; c < Source; ++c)
        sgStandards->setColumnWidth(c, widths[c]);
    bMitgeliefert = new QPushButton(QStringLiteral("&Mitgelieferte Werte"), this);
    bMitgeliefert->setGeometry(8, 382, 160, 28);
    bSpeichern = new QPushButton(QStringLiteral("&Speichern"), this);
    bSpeichern->setGeometry(544, 382, 100, 28);
    bAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    bAbbrechen->setGeometry(652, 382, 100, 28);
    for (QPushButton* b : {bMitgeliefert, bSpeichern, bAbbrechen})
        b->setAutoDefault(false);
    connect(bSpeichern, &QPushButton::clicked, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { bSpeichernClick(); }); });
    connect(bMitgeliefert, &QPushButton::clicked, this, [this] { bMitgeliefertClick(); });
    connect(bAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    SetObjectNames({{sgStandards, "sgStandards"}, {bSpeichern, "bSpeichern"}, {bAbbrechen, "bAbbrechen"},
                    {bMitgeliefert, "bMitgeliefert"}});
    ApplyInterfaceTexts();
}

void TWinStandards::ApplyInterfaceTexts()
{
    setWindowTitle(ctx_.InterfaceText(463, QStringLiteral("Meisterschaftsstandards")));
    QStringList headers;
    const std::pair<int, const char*> texts[] = {{464, "Verband"}, {465, "Disziplin"}, {466, "Minuten"}, {467, "Jahr"},
                                                 {468, "Formel"},  {469, "Wert"},      {470, "Quelle"}};
    for (const auto& [id, text] : texts)
        headers << ctx_.InterfaceText(id, QString::fromUtf8(text));
    sgStandards->setHorizontalHeaderLabels(headers);
    sgStandards->setAccessibleName(windowTitle());
    ApplyCaptions(ctx_, this, {{bSpeichern, 471}, {bAbbrechen, 472}, {bMitgeliefert, 473}});
}

void TWinStandards::showEvent(QShowEvent* event)
{
    ApplyInterfaceTexts();
    showStandards(ctx_.standards);
    QDialog::showEvent(event);
}

void TWinStandards::showStandards(const ChampionshipStandards& standards)
{
    sgStandards->setRowCount(int(standards.rows.size()));
    for (int r = 0; r < int(standards.rows.size()); ++r) {
        const ChampionshipStandard& s = standards.rows[r];
        const QString cells[] = {s.body,
                                 s.discipline,
                                 QString::number(s.minutes),
                                 QString::number(s.year),
                                 QString::fromLatin1(FormulaNames[int(s.formula)]),
                                 QString::number(s.value, 'g', 10),
                                 s.source};
        for (int c = 0; c < ColumnCount; ++c)
            sgStandards->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}

std::optional<ChampionshipStandards> TWinStandards::editedStandards(int* badRow) const
{
    // Each row is read as the file reads its lines, so what the dialog takes
    // is what the file takes back.
    QByteArray text;
    for (int r = 0; r < sgStandards->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < ColumnCount; ++c) {
            const QTableWidgetItem* item = sgStandards->item(r, c);
            QString cell = item ? item->text().trimmed() : QString();
            cell.replace(u'\t', u' ');
            // A value typed with the decimal comma means the same number.
            if (c == Value)
                cell.replace(u',', u'.');
            cells << cell;
        }
        text += cells.join(u'\t').toUtf8() + '\n';
    }
    return ChampionshipStandards::parse(text, badRow);
}

void TWinStandards::bSpeichernClick()
{
    int badRow = 0;
    const std::optional<ChampionshipStandards> edited = editedStandards(&badRow);
    if (!edited) {
        ctx_.dialogs.showError(
            ctx_.InterfaceText(492, QStringLiteral("Ein Wert muss eine Zahl über 0 sein (Zeile %1).")).arg(badRow));
        return;
    }
    if (!SaveChampionshipStandards(ctx_.DataDir, *edited)) {
        ctx_.dialogs.showError(ctx_.InterfaceText(474, QStringLiteral("Die Standards konnten nicht in %1 gespeichert "
                                                                      "werden. Die Datei ist unverändert."))
                                   .arg(ctx_.DataDir + QLatin1String(ChampionshipStandards::FileName)));
        return;
    }
    ctx_.standards = *edited;
    accept();
}

void TWinStandards::bMitgeliefertClick()
{
    showStandards(ChampionshipStandards::shipped());
}
