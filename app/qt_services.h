// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "app/qt_wave_player.h"
#include "core/services.h"

class HeldKeys;

// Message boxes over the active window and the desktop's URL handler.
class QtDialogs final : public Dialogs {
public:
    // Keys held when a question comes up leave it alone, once the program watches them.
    void setHeldKeys(HeldKeys* keys) { heldKeys_ = keys; }

    bool askYesNo(const QString& text) override;
    void showError(const QString& text) override;
    void openUrl(const QString& url) override;
    QString askSaveFileName(const QString& caption, const QString& suggestedFile, const QString& filter) override;

private:
    HeldKeys* heldKeys_ = nullptr;
};
