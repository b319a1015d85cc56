#pragma once

// A control whose state is kept in the settings file: read when the window is
// made, written when it closes.
class RememberedSetting {
public:
    virtual ~RememberedSetting() = default;
    virtual void read() = 0;
    virtual void write() = 0;
};
