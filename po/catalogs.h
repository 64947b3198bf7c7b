// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's catalogs, written at build time from po/*.po by po/catalogs.py:
// the template's messages once, and each language's translations of them, in
// the form the core's lookup reads (game/language.h).

#include <cstddef>
#include <string_view>

namespace Catalogs {

struct Catalog {
    std::string_view code;          // "fr", "pt_BR"
    std::string_view translations;
};

extern const std::string_view kMessages;
extern const Catalog kCatalogs[];
extern const std::size_t kCatalogCount;

} // namespace Catalogs
