// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/qt_services.h"

#include "widgets/held_key_shield.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>
#include <optional>

bool QtDialogs::askYesNo(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    // The key that ended the attempt may still be down: its repeat must not say yes.
    std::optional<HeldKeyShield> shield;
    if (heldKeys_)
        shield.emplace(*heldKeys_, &box);
    return box.exec() == QMessageBox::Yes;
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
