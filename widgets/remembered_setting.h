// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// A control whose state is kept in the settings file: read when the window is
// made, written when it closes.
class RememberedSetting {
public:
    virtual ~RememberedSetting() = default;
    virtual void read() = 0;
    virtual void write() = 0;
};
