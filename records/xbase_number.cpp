// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "records/xbase_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

std::optional<DecimalText> parseDecimal(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    DecimalText number;
    if (text.empty()) {
        number.blank = true;
        return number;
    }
    if (text.front() == '-' || text.front() == '+') {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t at = 0;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    number.integerDigits = text.substr(0, at);
    if (at < text.size() && text[at] == '.') {
        const std::size_t start = ++at;
        while (at < text.size() && isDigit(text[at]))
            ++at;
        number.fractionDigits = text.substr(start, at - start);
    }
    if (at != text.size() || (number.integerDigits.empty() && number.fractionDigits.empty()))
        return std::nullopt;
    return number;
}

void appendStr(std::string& out, const DecimalText& number, int width, int decimals)
{
    std::string_view integer = number.blank ? std::string_view() : number.integerDigits;
    while (!integer.empty() && integer.front() == '0')
        integer.remove_prefix(1);
    const std::string_view fraction = number.blank ? std::string_view() : number.fractionDigits;
    const auto places = static_cast<std::size_t>(decimals);
    if (integer.size() + places > 18) {
        out.append(static_cast<std::size_t>(width), '*');
        return;
    }
    std::uint64_t scaled = 0;
    for (char c : integer)
        scaled = scaled * 10 + static_cast<std::uint64_t>(c - '0');
    for (std::size_t i = 0; i < places; ++i)
        scaled = scaled * 10 + (i < fraction.size() ? static_cast<std::uint64_t>(fraction[i] - '0') : 0);
    if (places < fraction.size() && fraction[places] >= '5')
        ++scaled;

    char digits[24];
    const auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, scaled).ptr - digits);
    std::string text;
    if (number.negative && scaled != 0)
        text += '-';
    if (length <= places)
        text.append(places - length + 1, '0');
    text.append(digits, length);
    if (places > 0)
        text.insert(text.size() - places, 1, '.');
    if (text.size() > static_cast<std::size_t>(width)) {
        out.append(static_cast<std::size_t>(width), '*');
        return;
    }
    out.append(static_cast<std::size_t>(width) - text.size(), ' ');
    out += text;
}

std::optional<std::string> FormatXBaseNumber(double value, int width, int decimals)
{
    if (!std::isfinite(value) || width < 1 || decimals < 0)
        return std::nullopt;
    if (value == 0)
        value = 0.0; // printf would keep the sign of -0.0
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return std::nullopt;
    const std::size_t length = static_cast<std::size_t>(result.ptr - text);
    if (length > static_cast<std::size_t>(width))
        return std::nullopt;
    return std::string(static_cast<std::size_t>(width) - length, ' ') + std::string(text, length);
}
