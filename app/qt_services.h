#pragma once

#include "app/qt_wave_player.h"
#include "core/services.h"

// Message boxes over the active window and the desktop's URL handler.
class QtDialogs final : public Dialogs {
public:
    bool askYesNo(const QString& text) override;
    void showError(const QString& text) override;
    void openUrl(const QString& url) override;
    QString askSaveFileName(const QString& caption, const QString& suggestedFile, const QString& filter) override;
};
