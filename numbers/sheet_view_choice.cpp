// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "numbers/sheet_view_choice.h"

#include "core/app_context.h"
#include "numbers/memo_sheets.h"
#include "numbers/sheet_view.h"
#include "training/settings_key.h"
#include "widgets/combo_setting.h"
#include "widgets/training_dialog.h"

#include <QComboBox>

namespace {

struct Item {
    int textId;
    const char* text;
};

constexpr Item SizeItems[SheetView::SizeCount] = {
    {507, "Ziffern normal"}, {508, "Ziffern groß"}, {509, "Ziffern sehr groß"}};
constexpr Item GroupingItems[SheetView::GroupingCount] = {
    {510, "ohne Gruppen"}, {511, "Paare"}, {512, "Dreiergruppen"}, {513, "4-3-3"}};

template <std::size_t N>
void fill(QComboBox* combo, const Item (&items)[N], const AppContext* ctx)
{
    const int chosen = combo->currentIndex();
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const Item& item : items)
        combo->addItem(ctx ? ctx->InterfaceText(item.textId, QString::fromUtf8(item.text)) : QString::fromUtf8(item.text));
    combo->setCurrentIndex(chosen < 0 ? 0 : chosen);
}

} // namespace

TSheetViewChoice::TSheetViewChoice(TTrainingDialog& window, TMemoSheets* sheets, QWidget* page, const QRect& first,
                                   const char* settingsWord)
    : QObject(page), window_(window), sheets_(sheets)
{
    cbGroesse = new QComboBox(page);
    cbGroesse->setGeometry(first);
    cbGruppen = new QComboBox(page);
    cbGruppen->setGeometry(first.translated(0, first.height() + 3));
    fill(cbGroesse, SizeItems, nullptr);
    fill(cbGruppen, GroupingItems, nullptr);
    for (QComboBox* combo : {cbGroesse, cbGruppen}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { window_.guarded([this] { apply(); }); });
    }
    window.remember(std::make_unique<ComboSetting>(
        cbGroesse, window.settingValue(SettingsKey(settingsWord, "Ansicht Groesse"), 0)));
    window.remember(std::make_unique<ComboSetting>(
        cbGruppen, window.settingValue(SettingsKey(settingsWord, "Ansicht Gruppen"), 0)));
}

void TSheetViewChoice::ApplyInterfaceTexts(const AppContext& ctx)
{
    fill(cbGroesse, SizeItems, &ctx);
    fill(cbGruppen, GroupingItems, &ctx);
    cbGroesse->setAccessibleName(ctx.InterfaceText(514, QStringLiteral("Ziffergröße")));
    cbGruppen->setAccessibleName(ctx.InterfaceText(515, QStringLiteral("Gruppen")));
}

void TSheetViewChoice::setEnabled(bool enabled)
{
    cbGroesse->setEnabled(enabled);
    cbGruppen->setEnabled(enabled);
}

void TSheetViewChoice::apply()
{
    sheets_->applyView(SheetView::fromChoices(cbGroesse->currentIndex(), cbGruppen->currentIndex()));
}
