// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/services.h"

#include <exception>

// The general error handler: shows the text of the exception in the error box.
// The handler that raised it has stopped; the program goes on.
void ShowException(Dialogs& dialogs, std::exception_ptr error);

// Runs one event handler under the general error handler. Returns false when the
// handler was stopped by an error.
template <class Handler>
bool RunGuarded(Dialogs& dialogs, Handler&& handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        ShowException(dialogs, std::current_exception());
        return false;
    }
}
