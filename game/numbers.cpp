// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers.h"

#include "language.h"

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
                          std::int16_t gain, std::int16_t total, std::size_t nameWidth)
{
    std::string line(name);
    const std::size_t columns = TextColumns(name);
    if (columns < nameWidth)
        line.append(nameWidth - columns, ' ');
    line += FormatThreeDigits(daysUsed);
    line += std::string(5, ' ') + FormatThreeDigits(daysLeft);
    line += std::string(9, ' ') + FormatThreeDigits(gain);
    line += std::string(6, ' ') + FormatThreeDigits(total);
    return line;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The digits zero and nine of each script whose keyboards type their own digits, in
// UTF-8: the digits between differ from zero in their last byte alone.
struct NativeDigits {
    std::string_view zero, nine;
};
constexpr NativeDigits kNativeDigits[] = {
    {"\u0660", "\u0669"},  // Arabic-Indic
    {"\u06f0", "\u06f9"},  // Eastern Arabic-Indic
    {"\u0966", "\u096f"},  // Devanagari
};

// The text with every native digit written as its ASCII digit; other bytes as they are.
std::string westernDigits(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto native = std::find_if(std::begin(kNativeDigits), std::end(kNativeDigits), [&](const NativeDigits &d) {
            const std::string_view here = text.substr(at, d.zero.size());
            return here.size() == d.zero.size() && here.substr(0, here.size() - 1) == d.zero.substr(0, d.zero.size() - 1)
                   && static_cast<unsigned char>(here.back()) >= static_cast<unsigned char>(d.zero.back())
                   && static_cast<unsigned char>(here.back()) <= static_cast<unsigned char>(d.nine.back());
        });
        if (native == std::end(kNativeDigits)) {
            out += text[at++];
            continue;
        }
        out += static_cast<char>('0' + (static_cast<unsigned char>(text[at + native->zero.size() - 1])
                                        - static_cast<unsigned char>(native->zero.back())));
        at += native->zero.size();
    }
    return out;
}

} // namespace

std::optional<std::int16_t> ParseTypedNumber(std::string_view typed)
{
    const std::string western = westernDigits(typed);
    std::string_view text = western;
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
