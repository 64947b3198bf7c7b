// SPDX-License-Identifier: GPL-3.0-or-later
// One line of the activity log, for any name and any four 16-bit numbers: the
// numbers sit at fixed columns while they lie in 0..999 and the name fits, and
// nothing is ever cut: each number reads back whole from where it stands.
#include "language.h"
#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool ok, const char *what, const std::string &line)
{
    if (!ok) {
        std::fprintf(stderr, "%s: \"%s\"\n", what, line.c_str());
        std::abort();
    }
}

// Three digits at least, with the minus sign in front of the zeros.
std::string threeDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, value < 0 ? "-%03d" : "%03d", value < 0 ? -value : value);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::int16_t numbers[4] = {};
    const std::size_t numberBytes = size < sizeof numbers ? size : sizeof numbers;
    std::memcpy(numbers, data, numberBytes);
    const std::string name(reinterpret_cast<const char *>(data) + numberBytes, size - numberBytes);

    const std::string line = Startup::FormatLogLine(name, numbers[0], numbers[1], numbers[2], numbers[3]);

    // The name's display columns (a character of several bytes, or a combining mark, takes fewer
    // columns than bytes): the name is padded to 28 columns.
    const std::size_t width = Startup::TextColumns(name), extraBytes = name.size() - width;
    check(width <= name.size(), "more columns than bytes", line);
    check(line.compare(0, name.size(), name) == 0, "name not kept whole", line);
    std::size_t at = width < Startup::kLogNameWidth ? Startup::kLogNameWidth + extraBytes : name.size();
    check(line.find_first_not_of(' ', name.size()) >= at, "name not padded with blanks", line);
    const std::size_t gaps[4] = {0, 5, 9, 6};
    std::size_t starts[4] = {};
    bool narrow = width <= Startup::kLogNameWidth;
    for (int i = 0; i < 4; ++i) {
        check(line.compare(at, gaps[i], std::string(gaps[i], ' ')) == 0, "blanks between numbers", line);
        at += gaps[i];
        starts[i] = at;
        const std::string expected = threeDigits(numbers[i]);
        check(line.compare(at, expected.size(), expected) == 0, "number not written in full", line);
        int value = 0;
        const auto [end, error] = std::from_chars(line.data() + at, line.data() + at + expected.size(), value);
        check(error == std::errc() && end == line.data() + at + expected.size() && value == numbers[i],
              "number does not read back", line);
        at += expected.size();
        narrow = narrow && numbers[i] >= 0 && numbers[i] <= 999;
    }
    check(at == line.size(), "text after the total", line);
    const std::size_t columns[4] = {28, 36, 48, 57};
    for (std::size_t &start : starts)
        start -= extraBytes;
    check(!narrow || (line.size() - extraBytes == 60 && std::equal(starts, starts + 4, columns)), "columns moved", line);
    return 0;
}
