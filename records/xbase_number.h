// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// Numbers as xBase keeps them: right-aligned text with '.' as the decimal point.

#include <optional>
#include <string>
#include <string_view>

struct DecimalText {
    bool blank = false;
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
};

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A field's text read as a number: blanks around it, an optional sign, digits
// with at most one '.'. Nothing for anything else; a blank field is blank.
std::optional<DecimalText> parseDecimal(std::string_view text);

// xBase STR(): the value rounded half away from zero to `decimals`, right-aligned in
// `width`, or asterisks when it does not fit. A blank field counts as 0.
void appendStr(std::string& out, const DecimalText& number, int width, int decimals);

// A number as an N(width, decimals) field holds it: right-aligned, '.' as the
// decimal point whatever the locale, rounded like printf's "%*.*f". Nothing when it
// would not fit or is no finite number.
std::optional<std::string> FormatXBaseNumber(double value, int width, int decimals);
