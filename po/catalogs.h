// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's catalogs, written at build time from po/*.po by po/catalogs.py:
// the template's messages once, and each language's translations of them, in
// the form the core's lookup reads (game/language.h).

#include <cstddef>
#include <string_view>
#include <vector>

namespace Catalogs {

struct Catalog {
    std::string_view code;          // "fr", "pt_BR"
    std::string_view translations;
};

extern const std::string_view kMessages;
extern const Catalog kCatalogs[];
extern const std::size_t kCatalogCount;

// The codes of the languages carried ("fr", "pt_BR"), then of the two made-up ones.
std::vector<std::string_view> Codes();
// Puts the language of that code in the core's lookup; English (and false)
// for a code without a catalog.
bool Use(std::string_view code);

} // namespace Catalogs
