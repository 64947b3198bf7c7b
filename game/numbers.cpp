// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers.h"

#include <algorithm>

namespace Startup {

std::string FormatThreeDigits(int value)
{
    const bool negative = value < 0;
    std::string digits = std::to_string(negative ? -static_cast<long long>(value) : value);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

std::string FormatLogLine(std::string_view name, std::int16_t daysUsed, std::int16_t daysLeft,
                          std::int16_t gain, std::int16_t total)
{
    std::string line(name);
    if (line.size() < kLogNameWidth)
        line.resize(kLogNameWidth, ' ');
    line += FormatThreeDigits(daysUsed);
    line += std::string(5, ' ') + FormatThreeDigits(daysLeft);
    line += std::string(9, ' ') + FormatThreeDigits(gain);
    line += std::string(6, ' ') + FormatThreeDigits(total);
    return line;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::optional<std::int16_t> ParseTypedNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    if (!std::all_of(whole.begin(), whole.end(), isDigit) || !std::all_of(fraction.begin(), fraction.end(), isDigit))
        return std::nullopt;

    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    if (whole.size() > 5)
        return std::nullopt;
    long magnitude = 0;
    for (char c : whole)
        magnitude = magnitude * 10 + (c - '0');

    // Round the fraction: above one half up, below down, exactly one half to the even neighbour.
    if (!fraction.empty()) {
        const bool restIsZero = std::all_of(fraction.begin() + 1, fraction.end(), [](char c) { return c == '0'; });
        if (fraction[0] > '5' || (fraction[0] == '5' && (!restIsZero || magnitude % 2 == 1)))
            ++magnitude;
    }

    const long value = negative ? -magnitude : magnitude;
    if (value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

} // namespace Startup
