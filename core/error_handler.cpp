// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/error_handler.h"

#include "core/korvanis_error.h"

void ShowException(Dialogs& dialogs, std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const KorvanisError& e) {
        dialogs.showError(e.text());
    } catch (const std::exception& e) {
        dialogs.showError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        dialogs.showError(QStringLiteral("Unbekannter Fehler"));
    }
}
