// SPDX-License-Identifier: GPL-3.0-or-later
#include "translator.h"

#include "catalogs.h"
#include "language.h"

#include <QApplication>
#include <QTranslator>

#include <cstdlib>

namespace {

// Every text Qt asks to translate, the design files' and Qt's own ("OK" on a
// message box), is looked up in the core's catalog by its words; the design's
// disambiguation is the catalog's context. A text the catalog lacks stays as it is.
class CatalogTranslator final : public QTranslator
{
public:
    QString translate(const char *, const char *sourceText, const char *disambiguation, int) const override
    {
        if (!sourceText)
            return {};
        const std::optional<std::string_view> found = Startup::Lookup(disambiguation ? disambiguation : "", sourceText);
        return found ? QString::fromUtf8(found->data(), qsizetype(found->size())) : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

namespace Startup {

bool UseLanguage(std::string_view code)
{
    const bool found = Catalogs::Use(code);
    static CatalogTranslator translator;
    if (found)
        QCoreApplication::installTranslator(&translator);
    else
        QCoreApplication::removeTranslator(&translator);
    QGuiApplication::setLayoutDirection(CurrentLanguage().rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    return found;
}

std::string LanguageOfEnvironment()
{
    std::vector<std::string_view> asked;
    if (const char *list = std::getenv("LANGUAGE"))
        asked.push_back(list);
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char *value = std::getenv(name); value && *value) {
            asked.push_back(value);
            break;
        }
    return ChooseLanguage(asked, Catalogs::Codes()).value_or("");
}

} // namespace Startup
