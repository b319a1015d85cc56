// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "core/ini_file.h"

#include <QString>
#include <type_traits>

// One value of the settings file as an object: where it lives, its default, and
// how it is read and written. Every read and write goes to the file at once, as
// the file's other users expect; a write that fails raises KorvanisError.
template <class T>
class SettingValue {
    static_assert(std::is_same_v<T, int> || std::is_same_v<T, double> || std::is_same_v<T, QString>,
                  "the settings file holds integers, numbers and texts");

public:
    SettingValue(QString fileName, QString section, QString key, T defaultValue)
        : file_(std::move(fileName)), section_(std::move(section)), key_(std::move(key)),
          default_(std::move(defaultValue))
    {
    }

    const QString& key() const { return key_; }
    const T& defaultValue() const { return default_; }

    // The stored value, or the default when it is missing or not of this kind.
    T value() const
    {
        const IniFile ini(file_);
        if constexpr (std::is_same_v<T, int>)
            return ini.ReadInteger(section_, key_, default_);
        else if constexpr (std::is_same_v<T, double>)
            return ini.ReadFloat(section_, key_, default_);
        else
            return ini.ReadString(section_, key_, default_);
    }

    void setValue(const T& value)
    {
        IniFile ini(file_);
        if constexpr (std::is_same_v<T, int>)
            ini.WriteInteger(section_, key_, value);
        else if constexpr (std::is_same_v<T, double>)
            ini.WriteFloat(section_, key_, value);
        else
            ini.WriteString(section_, key_, value);
    }

private:
    QString file_;
    QString section_;
    QString key_;
    T default_;
};
