#pragma once

#include "core/services.h"

#include <QHash>
#include <QString>
#include <memory>

class QSoundEffect;

// Plays wave files through one cached QSoundEffect per file. Relative names are
// resolved against the working folder at the moment of playing.
class QtWavePlayer final : public WavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;
    void play(const QString& fileName) override;
    void stop() override;

private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
};

// Message boxes over the active window and the desktop's URL handler.
class QtDialogs final : public Dialogs {
public:
    bool askYesNo(const QString& text) override;
    void showError(const QString& text) override;
    void openUrl(const QString& url) override;
    QString askSaveFileName(const QString& caption, const QString& suggestedFile, const QString& filter) override;
};
