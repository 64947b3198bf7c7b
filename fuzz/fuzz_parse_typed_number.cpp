// SPDX-License-Identifier: GPL-3.0-or-later
// The setup screen's reading of a typed number, on any bytes: it gives a value
// or a refusal, never crashes, and agrees with a second reading done here
// another way, by comparing decimal strings.
#include "numbers.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

bool allDigits(const std::string &text) { return text.find_first_not_of("0123456789") == std::string::npos; }

// The text with the digits of Arabic-Indic (U+0660..), Eastern Arabic-Indic (U+06F0..) and
// Devanagari (U+0966..) written as ASCII digits, by their code points.
std::string asciiDigits(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t at) { return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u; };
        const unsigned two = byte(i) << 8 | byte(i + 1), three = two << 8 | byte(i + 2);
        if (two >= 0xd9a0 && two <= 0xd9a9) {
            out += static_cast<char>('0' + two - 0xd9a0), ++i;
        } else if (two >= 0xdbb0 && two <= 0xdbb9) {
            out += static_cast<char>('0' + two - 0xdbb0), ++i;
        } else if (three >= 0xe0a5a6 && three <= 0xe0a5af) {
            out += static_cast<char>('0' + three - 0xe0a5a6), i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Rounds "whole.fraction" (both plain digit strings) half to even and checks the range.
std::optional<long> reference(std::string text)
{
    text = asciiDigits(text);
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    long sign = 1;
    if (text[0] == '-' || text[0] == '+') {
        sign = text[0] == '-' ? -1 : 1;
        text.erase(0, 1);
    }
    const std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;

    whole.erase(0, whole.find_first_not_of('0'));
    if (whole.size() > 6)
        return std::nullopt;
    long magnitude = whole.empty() ? 0 : std::stol(whole);

    fraction.erase(fraction.find_last_not_of('0') + 1);  // "" when it was all zeros
    if (!fraction.empty()) {
        const int order = fraction.compare("5");        // beyond, at or below one half
        if (order > 0 || (order == 0 && magnitude % 2 == 1))
            ++magnitude;
    }
    const long value = sign * magnitude;
    if (value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const std::optional<std::int16_t> parsed = Startup::ParseTypedNumber(text);
    const std::optional<long> expected = reference(text);
    if (parsed.has_value() != expected.has_value() || (parsed && *parsed != *expected)) {
        std::fprintf(stderr, "ParseTypedNumber(\"%s\") = %s%d, expected %s%ld\n", text.c_str(),
                     parsed ? "" : "refused ", parsed ? *parsed : 0, expected ? "" : "refused ",
                     expected ? *expected : 0L);
        std::abort();
    }
    return 0;
}
