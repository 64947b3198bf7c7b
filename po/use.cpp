// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogs.h"

#include "language.h"

namespace Catalogs {

std::vector<std::string_view> Codes()
{
    std::vector<std::string_view> codes;
    for (std::size_t i = 0; i < kCatalogCount; ++i)
        codes.push_back(kCatalogs[i].code);
    codes.push_back(Startup::kLongPseudoLanguage);
    codes.push_back(Startup::kRightToLeftPseudoLanguage);
    return codes;
}

bool Use(std::string_view code)
{
    if (Startup::UsePseudoLanguage(kMessages, code))
        return true;
    for (std::size_t i = 0; i < kCatalogCount; ++i)
        if (kCatalogs[i].code == code)
            return Startup::UseCatalog(kMessages, kCatalogs[i].translations);
    Startup::UseCatalog({}, {});
    return false;
}

} // namespace Catalogs
