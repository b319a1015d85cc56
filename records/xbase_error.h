// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <stdexcept>

// A failure inside the table engine. The records table decides whether the user
// sees it; the text names the file and the cause for that case.
class XBaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
