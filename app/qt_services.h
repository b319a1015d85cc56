#pragma once

#include "core/services.h"

#include <QHash>
#include <QString>
#include <memory>

class QSoundEffect;

// Plays wave files through QSoundEffect: one effect per file keeps its sample
// loaded, and each play starts a new effect over it. Relative names are resolved
// against the working folder at the moment of playing.
class QtWavePlayer final : public WavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;
    void play(const QString& fileName) override;
    void stop() override;
    void preload(const QStringList& fileNames) override;

private:
    // The effect that keeps an existing file's sample loaded, loading it on first
    // use; none for a missing file.
    QSoundEffect* loaded(const QString& fileName);

    QHash<QString, QSoundEffect*> loaded_;
    // The sound playing or last played; owned.
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
