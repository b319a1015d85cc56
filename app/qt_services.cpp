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
    for (QSoundEffect* effect : std::as_const(effects_)) {
        effect->stop();
        delete effect;
    }
}

void QtWavePlayer::play(const QString& fileName)
{
    stop();
    const QFileInfo info(fileName);
    if (!info.isFile())
        return;
    const QString path = info.absoluteFilePath();
    QSoundEffect*& effect = effects_[path];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
    }
    current_ = effect;
    effect->play();
}

void QtWavePlayer::stop()
{
    if (current_)
        current_->stop();
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
