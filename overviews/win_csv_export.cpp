// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/win_csv_export.h"

#include "core/app_context.h"
#include "widgets/window_helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TWinCsvExport::TWinCsvExport(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinCsvExport"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(parent ? parent->font() : PixelFont(11));
    gbUmfang = new QGroupBox(this);
    rbAlles = new QRadioButton(gbUmfang);
    rbEinstellung = new QRadioButton(gbUmfang);
    rbAuswahl = new QRadioButton(gbUmfang);
    auto* range = new QVBoxLayout(gbUmfang);
    for (QRadioButton* rb : {rbAlles, rbEinstellung, rbAuswahl})
        range->addWidget(rb);
    rbEinstellung->setChecked(true);

    labTrennzeichen = new QLabel(this);
    cbTrennzeichen = new QComboBox(this);
    labTrennzeichen->setBuddy(cbTrennzeichen);
    cbSprache = new QCheckBox(this);
    cbGeloeschte = new QCheckBox(this);
    bbKnoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(bbKnoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(bbKnoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbUmfang);
    layout->addWidget(labTrennzeichen);
    layout->addWidget(cbTrennzeichen);
    layout->addWidget(cbSprache);
    layout->addWidget(cbGeloeschte);
    layout->addWidget(bbKnoepfe);
    SetObjectNames({{gbUmfang, "gbUmfang"}, {rbAlles, "rbAlles"}, {rbEinstellung, "rbEinstellung"},
                    {rbAuswahl, "rbAuswahl"}, {labTrennzeichen, "labTrennzeichen"},
                    {cbTrennzeichen, "cbTrennzeichen"}, {cbSprache, "cbSprache"}, {cbGeloeschte, "cbGeloeschte"},
                    {bbKnoepfe, "bbKnoepfe"}});
}

void TWinCsvExport::ApplyInterfaceTexts(int selected)
{
    const auto text = [this](int id, const char* german) { return ctx_.InterfaceText(id, QString::fromUtf8(german)); };
    setWindowTitle(text(370, "CSV exportieren"));
    gbUmfang->setTitle(text(371, "Versuche"));
    rbAlles->setText(text(372, "&Ganzer Verlauf"));
    rbEinstellung->setText(text(373, "&Diese Einstellung"));
    rbAuswahl->setText(text(374, "&Auswahl (%1)").arg(selected));
    labTrennzeichen->setText(text(375, "&Trennzeichen"));
    const int current = std::max(0, cbTrennzeichen->currentIndex());
    cbTrennzeichen->clear();
    cbTrennzeichen->addItem(text(376, "Komma, Dezimalpunkt \".\""));
    cbTrennzeichen->addItem(text(377, "Semikolon, Dezimalzeichen \"%1\"")
                                .arg(CsvFormat::Semicolon(QLocale()).decimal));
    cbTrennzeichen->setCurrentIndex(current);
    cbSprache->setText(text(378, "Spaltennamen in der &Sprache der Oberfläche"));
    cbGeloeschte->setText(text(379, "Gelöschte Versuche &mitnehmen"));
    // In the program's language, whichever language Qt's own buttons were given.
    bbKnoepfe->button(QDialogButtonBox::Cancel)->setText(text(380, "Abbrechen"));
    UpdateAccessibleNames(this);
}

std::optional<CsvExportChoice> TWinCsvExport::ask(int selected, bool settingShown, bool showingDeleted)
{
    if (!asked_) {
        // The first time, the layout a spreadsheet of the user's regional
        // settings opens without asking: semicolons where the decimal sign is a comma.
        asked_ = true;
        cbTrennzeichen->addItem(QString());
        cbTrennzeichen->addItem(QString());
        cbTrennzeichen->setCurrentIndex(QLocale().decimalPoint() == QLatin1String(",") ? 1 : 0);
    }
    ApplyInterfaceTexts(selected);
    rbAuswahl->setEnabled(selected > 0);
    rbEinstellung->setEnabled(settingShown);
    if ((selected == 0 && rbAuswahl->isChecked()) || (!settingShown && rbEinstellung->isChecked()))
        (settingShown ? rbEinstellung : rbAlles)->setChecked(true);
    cbGeloeschte->setChecked(showingDeleted);
    adjustSize();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return choice();
}

CsvExportChoice TWinCsvExport::choice() const
{
    CsvExportChoice c;
    c.range = rbAlles->isChecked()     ? CsvExportChoice::Range::WholeHistory
        : rbAuswahl->isChecked()       ? CsvExportChoice::Range::Selection
                                       : CsvExportChoice::Range::ShownSetting;
    c.format = cbTrennzeichen->currentIndex() == 1 ? CsvFormat::Semicolon(QLocale()) : CsvFormat::Comma();
    c.format.interfaceLanguage = cbSprache->isChecked();
    c.withDeleted = cbGeloeschte->isChecked();
    return c;
}
