// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "training/format_presets.h"

#include <QComboBox>
#include <functional>
#include <optional>

class AppContext;

// The drop-down of competition formats on a memorisation page. Its first item
// is the user's own setting; choosing a format hands its values to the window,
// which fills its spin buttons with them. The spin buttons stay as they are
// otherwise and can still be set by hand.
class TFormatChoice : public QComboBox {
    Q_OBJECT

public:
    // A window whose texts are German only hands in that language.
    TFormatChoice(const AppContext& ctx, DisciplineCode code, QWidget* parent,
                  std::optional<qint32> language = std::nullopt);

    // The window's part: fill the setting's values in.
    std::function<void(const AttemptRecord::Setting& setting)> fill;

    // The item texts in the interface language.
    void applyTexts();
    // Back to "own setting" once a spin button has been moved by hand, or to
    // the format the setting stands at.
    void showSetting(const AttemptRecord::Setting& setting);

    const std::vector<FormatPreset>& presets() const { return presets_; }

private:
    void chosen(int index);
    QString text(int id, const char* german) const;

    const AppContext& ctx_;
    std::optional<qint32> language_;
    DisciplineCode code_;
    const std::vector<FormatPreset>& presets_;
};
