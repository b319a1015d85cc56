#include "widgets/format_choice.h"

#include "core/app_context.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

namespace {

// The popup is wide enough for the longest format's name.
constexpr int PopupWidth = 340;

} // namespace

TFormatChoice::TFormatChoice(const AppContext& ctx, DisciplineCode code, QWidget* parent)
    : QComboBox(parent), ctx_(ctx), code_(code), presets_(FormatPresetsOf(code))
{
    addItem(QString());
    for (std::size_t i = 0; i < presets_.size(); ++i)
        addItem(QString());
    view()->setMinimumWidth(PopupWidth);
    applyTexts();
    connect(this, &QComboBox::activated, this, [this](int index) { chosen(index); });
}

void TFormatChoice::applyTexts()
{
    setItemText(0, ctx_.InterfaceText(462, QStringLiteral("eigene Einstellung")));
    for (int i = 0; i < int(presets_.size()); ++i) {
        const QString name = ctx_.InterfaceText(presets_[i].textId, QString::fromUtf8(presets_[i].name));
        setItemText(i + 1, name);
        setItemData(i + 1, name, Qt::ToolTipRole);
    }
    setAccessibleName(ctx_.InterfaceText(461, QStringLiteral("Format")));
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
