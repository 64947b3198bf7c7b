// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the game writes numbers into its log and reads the numbers typed on the setup screen.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Startup {

// The log's three-digit format: zeros added on the left up to three digits
// (7 -> "007"), wider values written in full (1000 -> "1000"), a negative value
// as a minus sign and its magnitude zero-filled to three digits (-15 -> "-015").
std::string FormatThreeDigits(int value);

// One line of the activity log: the name padded with blanks to nameWidth
// display columns, 28 in English (a longer name is kept whole), then the days
// used, 5 blanks, the days left, 9 blanks, the households gained, 6 blanks and
// the running total, each in the three-digit format. 60 characters in English
// while every number lies in 0..999; a wider number shifts the rest of the line
// to the right, nothing is ever cut.
inline constexpr std::size_t kLogNameWidth = 28;
std::string FormatLogLine(std::string_view name, std::int16_t daysUsed, std::int16_t daysLeft,
                          std::int16_t gain, std::int16_t total, std::size_t nameWidth = kLogNameWidth);

// Reads a number typed on the setup screen. Blanks and tabs around it are
// ignored; then an optional sign and digits with an optional decimal point
// ("5", "5.", ".5", "-75.5"). A digit is an ASCII digit or one that keyboards
// of other scripts type: Arabic-Indic (U+0660..), Eastern Arabic-Indic
// (U+06F0..) or Devanagari (U+0966..), in any mix. A fraction is rounded to the nearest whole
// number, halves to the even neighbour. Anything else, or a result outside
// -32768..32767, gives no value.
std::optional<std::int16_t> ParseTypedNumber(std::string_view text);

} // namespace Startup
