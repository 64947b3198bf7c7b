// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's language: the catalog the environment asks for, in the core's
// lookup, with a translator of the application that serves the design files'
// texts from the same lookup, and the windows laid out from the right for a
// language written from right to left.

#include <string>
#include <string_view>
#include <vector>

namespace Startup {

// Uses the language of that code in every window built from now on; English
// (and false) for a code the program has no catalog of.
bool UseLanguage(std::string_view code);

// The language the environment asks for, as gettext programs read it: each of
// LANGUAGE's list, then the first of LC_ALL, LC_MESSAGES and LANG that is set.
// Empty (English) for C, POSIX, a language without a catalog or a malformed value.
std::string LanguageOfEnvironment();

} // namespace Startup
