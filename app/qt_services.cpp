#include "app/qt_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

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
