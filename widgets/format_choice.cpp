// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "widgets/format_choice.h"

#include "core/app_context.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

namespace {

// The popup is wide enough for the longest format's name.
constexpr int PopupWidth = 340;

} // namespace

TFormatChoice::TFormatChoice(const AppContext& ctx, DisciplineCode code, QWidget* parent,
                             std::optional<qint32> language)
    : QComboBox(parent), ctx_(ctx), language_(language), code_(code), presets_(FormatPresetsOf(code))
{
    addItem(QString());
    for (std::size_t i = 0; i < presets_.size(); ++i)
        addItem(QString());
    view()->setMinimumWidth(PopupWidth);
    // The closed box may cut a long name short; its tooltip gives it whole.
    connect(this, &QComboBox::currentTextChanged, this, &QWidget::setToolTip);
    applyTexts();
    connect(this, &QComboBox::activated, this, [this](int index) { chosen(index); });
}

QString TFormatChoice::text(int id, const char* german) const
{
    return InterfaceTextTable::builtIn().lookup(language_.value_or(ctx_.Language), id, QString::fromUtf8(german));
}

void TFormatChoice::applyTexts()
{
    setItemText(0, text(462, "eigene Einstellung"));
    for (int i = 0; i < int(presets_.size()); ++i) {
        const QString name = text(presets_[i].textId, presets_[i].name);
        setItemText(i + 1, name);
        setItemData(i + 1, name, Qt::ToolTipRole);
    }
    setAccessibleName(text(461, "Format"));
    setToolTip(currentText());
}

void TFormatChoice::showSetting(const AttemptRecord::Setting& setting)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(PresetIndexOf(code_, setting) + 1);
}

void TFormatChoice::chosen(int index)
{
    if (index < 1 || index > int(presets_.size()) || !fill)
        return;
    fill(presets_[index - 1].setting);
}
