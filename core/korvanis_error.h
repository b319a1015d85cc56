// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QString>
#include <stdexcept>

// A run-time error whose text is meant for the user. The application's general
// error handler shows it in a message box; the handler that raised it stops and
// the program goes on.
class KorvanisError : public std::runtime_error {
public:
    explicit KorvanisError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};
