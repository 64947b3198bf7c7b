// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player's language: every text a player sees passes through one lookup
// here, in every front end. A text is looked up by its context and its English
// words; with no catalog installed (English), or for a text the catalog lacks,
// the English words are the answer, unchanged.
//
// A catalog comes in two parts, both written at build time from the gettext
// files in po/ (po/catalogs.py): the messages of the template, once, and one
// language's translations of them, in the same order. Each part is lines
// separated by '\n' with fields separated by '\t':
//   messages:      one line per message: context, English words[, English plural],
//                  in the order of their contexts and words (by their bytes)
//   translations:  a first line: code, name, "ltr" or "rtl", number of plural
//                  forms, the plural expression of C (as gettext's header
//                  writes it); then one line per message: its forms

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Startup {

// The translation of a text in the language in use; TrNoop only marks a text
// for the catalog where it is written (in a table) and gives its words back.
std::string_view Tr(std::string_view context, std::string_view english);
constexpr std::string_view TrNoop(std::string_view /*context*/, std::string_view english) { return english; }
// The form of a text that counts n things (n households, n days).
std::string_view NTr(std::string_view context, std::string_view singular, std::string_view plural, long n);
struct PluralText {
    std::string_view singular, plural;
};
constexpr PluralText NTrNoop(std::string_view /*context*/, std::string_view singular, std::string_view plural)
{
    return {singular, plural};
}
// The translation, or nothing where the catalog in use has no such text.
std::optional<std::string_view> Lookup(std::string_view context, std::string_view english);

// A text with its placeholders filled in: %d a number, %s a text, %% a percent
// sign; "%2$d" takes the second argument, so that translations may reorder them.
// A placeholder without its argument is left as written.
struct FormatArgument {
    FormatArgument(long number) : number(number) {}
    FormatArgument(std::string_view text) : text(text), isText(true) {}
    FormatArgument(const char *text) : text(text), isText(true) {}
    FormatArgument(const std::string &text) : text(text), isText(true) {}
    long number = 0;
    std::string_view text;
    bool isText = false;
};
std::string Format(std::string_view pattern, std::initializer_list<FormatArgument> arguments);

// The language in use: "en" with no catalog, else its catalog's code ("pt_BR").
struct Language {
    std::string code = "en";
    std::string name = "English";  // in its own words: "Français"
    bool rightToLeft = false;
};
const Language &CurrentLanguage();

// Installs a catalog, or English when `translations` is empty; false (and
// English) when the parts do not make a whole catalog.
bool UseCatalog(std::string_view messages, std::string_view translations);
// The two made-up languages for tests, made from the messages alone: every
// text lengthened by 40 % with accented letters in brackets ("en_XA"), and
// every text written right to left ("ar_XB").
inline constexpr std::string_view kLongPseudoLanguage = "en_XA", kRightToLeftPseudoLanguage = "ar_XB";
bool UsePseudoLanguage(std::string_view messages, std::string_view code);

// The catalog to use, of those available (by their codes), for the languages
// asked for in order of preference: an environment's LANGUAGE (a list separated
// by ':'), LC_ALL, LC_MESSAGES, LANG ("fr_FR.UTF-8", "pt_BR", "sw"), or a
// browser's ("pt-BR", "fr"). A language with a region takes the catalog of
// that region or else of the language alone. Nothing, "C", "POSIX", a language
// without a catalog or a malformed value asks for nothing; English when no
// language asked for has a catalog.
std::optional<std::string> ChooseLanguage(const std::vector<std::string_view> &asked,
                                          const std::vector<std::string_view> &available);

// Display columns of a text in UTF-8: one per character but the combining marks.
std::size_t TextColumns(std::string_view text);

// A fixed-width line (a log line, a row of its headings) as its runs of text:
// its words, those one blank apart before column `fields` together (a name),
// every word from that column on (the numbers) a run of its own; each with the
// display column it starts at and the columns it may fill, up to one blank
// before the next run (its own columns for the last). Drawn each at its column, a run
// whose characters are wider or narrower than the font's cells shifts nothing
// after it. `open`: the direction's controls still open where the run begins,
// to be opened again before its text, so that it reads as in the whole line.
struct TextRun {
    std::size_t column = 0, room = 0;
    std::string text, open{};
    bool operator==(const TextRun &) const = default;
};
std::vector<TextRun> TextRuns(std::string_view line, std::size_t fields);

} // namespace Startup
