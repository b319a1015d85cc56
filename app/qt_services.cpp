#include "app/qt_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>

QtWavePlayer::QtWavePlayer() = default;

QtWavePlayer::~QtWavePlayer()
{
    // Stopped and deleted before the application goes, so no audio stream is left
    // open at exit.
    stop();
    for (QSoundEffect* effect : std::as_const(loaded_)) {
        effect->stop();
        delete effect;
    }
}

QSoundEffect* QtWavePlayer::loaded(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        return nullptr;
    const QString path = info.absoluteFilePath();
    QSoundEffect*& effect = loaded_[path];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
    }
    return effect;
}

void QtWavePlayer::play(const QString& fileName)
{
    stop();
    const QSoundEffect* sample = loaded(fileName);
    // Without an audio device the sample ends in an error: nothing to start.
    if (!sample || sample->status() == QSoundEffect::Error)
        return;
    // Qt 6.4's PulseAudio output does not always start again once an effect has
    // played: replaying one effect lost about one sound in four here, while a new
    // effect never failed. Each play therefore gets its own effect; the loaded
    // one keeps the sample in Qt's cache, which hands it over at once.
    current_ = new QSoundEffect;
    current_->setSource(sample->source());
    current_->play();
}

void QtWavePlayer::preload(const QStringList& fileNames)
{
    for (const QString& fileName : fileNames)
        loaded(fileName);
}

void QtWavePlayer::stop()
{
    if (!current_)
        return;
    current_->stop();
    delete current_;
    current_ = nullptr;
}

bool QtDialogs::askYesNo(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void QtDialogs::showError(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void QtDialogs::openUrl(const QString& url)
{
    // An address may come without its scheme ("www....").
    QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

QString QtDialogs::askSaveFileName(const QString& caption, const QString& suggestedFile, const QString& filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggestedFile, filter);
}
