// SPDX-License-Identifier: GPL-3.0-or-later
// The lookup of the player's language: filling in placeholders, choosing a
// catalog from what an environment or a browser asks for, reading a catalog
// and its plural rule (refusing a broken one), and the made-up languages.

#include "language.h"
#include "numbers.h"
#include "startup.h"

#include <doctest/doctest.h>

#include <string>

using namespace Startup;

namespace {

// A catalog of three messages, in the order of their contexts, the second counting households.
constexpr std::string_view kMessages = "\tOK\n"
                                       "debrief\t%d household\t%d households\n"
                                       "log\tFilm";

std::string catalog(std::string_view header, std::string_view households)
{
    return std::string(header) + "\nD'accord\n" + std::string(households) + "\nProjection";
}

// Every catalog installed by a test is taken away again.
struct English {
    ~English() { UseCatalog({}, {}); }
};

} // namespace

TEST_CASE("placeholders are filled in, in any order, and a stray one is left as written")
{
    const struct {
        std::string_view pattern;
        std::initializer_list<FormatArgument> arguments;
        std::string_view expected;
    } cases[] = {
        {"%d days", {365L}, "365 days"},
        {"from %d to %d.", {-32723L, 32767L}, "from -32723 to 32767."},
        {"%2$s, %1$s", {std::string_view("one"), std::string_view("two")}, "two, one"},
        {"%1$d talk with leader %2$d", {1L, 10L}, "1 talk with leader 10"},
        {"%d%% of the village", {100L}, "100% of the village"},
        {"About %s", {std::string_view("Brimwold")}, "About Brimwold"},
        {"%Converted", {}, "%Converted"},
        {"100%", {}, "100%"},
        {"%3$d and %d", {1L}, "%3$d and 1"},
        {"%x %1$ %", {1L}, "%x %1$ %"},
    };
    for (const auto &row : cases) {
        INFO(row.pattern);
        CHECK(Format(row.pattern, row.arguments) == row.expected);
    }
}

TEST_CASE("the catalog asked for: a region's, else its language's; C, POSIX and English stop the search")
{
    const std::vector<std::string_view> available = {"fr", "pt_BR", "ar", "es", "en_XA"};
    const struct {
        std::vector<std::string_view> asked;
        std::optional<std::string> chosen;
    } cases[] = {
        {{"fr"}, "fr"},
        {{"fr_CA.UTF-8"}, "fr"},
        {{"fr_FR@euro"}, "fr"},
        {{"pt_BR.UTF-8"}, "pt_BR"},
        {{"pt-BR"}, "pt_BR"},
        {{"pt_PT"}, std::nullopt},
        {{"PT-br"}, "pt_BR"},
        {{"ar-EG"}, "ar"},
        {{"es-419"}, "es"},
        {{"sr-Latn-RS", "es"}, "es"},
        {{"de:fr", "es_ES"}, "fr"},
        {{"de", "es_ES.UTF-8"}, "es"},
        {{"", "fr_FR.UTF-8"}, "fr"},
        {{"en_GB:fr"}, std::nullopt},
        {{"C", "fr"}, std::nullopt},
        {{"POSIX"}, std::nullopt},
        {{"C.UTF-8"}, std::nullopt},
        {{"en_XA"}, "en_XA"},
        {{"zz"}, std::nullopt},
        {{"../../fr"}, std::nullopt},
        {{"f"}, std::nullopt},
        {{"frenc"}, std::nullopt},
        {{"fr_F"}, std::nullopt},
        {{"fr_FR_FR"}, std::nullopt},
        {{"fr__FR"}, std::nullopt},
        {{"1r"}, std::nullopt},
        {{":::"}, std::nullopt},
        {{"\xc3\xa9s"}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto &row : cases) {
        const std::string first = row.asked.empty() ? "nothing" : std::string(row.asked.front());
        INFO(first);
        CHECK(ChooseLanguage(row.asked, available) == row.chosen);
    }
}

TEST_CASE("a catalog's texts, plural forms by its rule, and English for what it lacks")
{
    English english;
    REQUIRE(UseCatalog(kMessages, catalog("fr\tFrançais\tltr\t2\t(n > 1)", "%d ménage\t%d ménages")));
    CHECK(CurrentLanguage().code == "fr");
    CHECK(CurrentLanguage().name == "Français");
    CHECK(!CurrentLanguage().rightToLeft);
    CHECK(Tr("log", "Film") == "Projection");
    CHECK(Tr("", "OK") == "D'accord");
    CHECK(Tr("", "Film") == "Film");  // another context
    CHECK(!Lookup("log", "Radio"));
    CHECK(NTr("debrief", "%d household", "%d households", 0) == "%d ménage");
    CHECK(NTr("debrief", "%d household", "%d households", 1) == "%d ménage");
    CHECK(NTr("debrief", "%d household", "%d households", 2) == "%d ménages");

    // Arabic's six forms: none, one, two, a few, many, and the others.
    REQUIRE(UseCatalog(kMessages, catalog("ar\tالعربية\trtl\t6\tn==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && "
                                          "n%100<=10 ? 3 : n%100>=11 ? 4 : 5",
                                          "0\t1\t2\t3\t4\t5")));
    CHECK(CurrentLanguage().rightToLeft);
    const std::pair<long, std::string_view> arabic[] = {{0, "0"},  {1, "1"},  {2, "2"},   {3, "3"},   {10, "3"},
                                                        {11, "4"}, {99, "4"}, {100, "5"}, {102, "5"}, {103, "3"},
                                                        {111, "4"}, {-3, "3"}};
    for (const auto &row : arabic) {
        INFO(row.first);
        CHECK(NTr("debrief", "%d household", "%d households", row.first) == row.second);
    }

    REQUIRE(UseCatalog(kMessages, catalog("id\tBahasa Indonesia\tltr\t1\t0", "%d rumah tangga")));
    CHECK(NTr("debrief", "%d household", "%d households", 7) == "%d rumah tangga");

    REQUIRE(UseCatalog({}, {}));
    CHECK(CurrentLanguage().code == "en");
    CHECK(NTr("debrief", "%d household", "%d households", 1) == "%d household");
    CHECK(NTr("debrief", "%d household", "%d households", 0) == "%d households");
}

TEST_CASE("a catalog that is no whole catalog is refused, and English stays")
{
    English english;
    const std::string_view broken[] = {
        "fr\tFrançais\tltr\t2\t(n > 1)\nD'accord\n%d ménage\t%d ménages",        // a message short
        "fr\tFrançais\tltr\t2\t(n > 1)\nD'accord\n%d ménage\nProjection",          // a plural form short
        "fr\tFrançais\tltr\t2\t(n > 1)\nD'accord\tOK\n%d ménage\t%d ménages\nP",   // a form too many
        "fr\tFrançais\tltr\t2\n",                                                 // no rule
        "fr\tFrançais\tltr\t2\t(n > \nD'accord\n%d ménage\t%d ménages\nP",        // a rule cut short
        "fr\tFrançais\tltr\t2\tn / 0\nD'accord\n%d ménage\t%d ménages\nP",        // a rule that divides by zero
        "fr\tFrançais\tltr\t2\tn + 1\nD'accord\n%d ménage\t%d ménages\nP",        // a form beyond the forms
        "fr\tFrançais\tltr\t2\tm != 1\nD'accord\n%d ménage\t%d ménages\nP",       // no such variable
        "fr\tFrançais\tltr\t7\t0\nD'accord\n1\t2\t3\t4\t5\t6\t7\nP",            // seven forms
    };
    for (const std::string_view translations : broken) {
        INFO(translations);
        CHECK(!UseCatalog(kMessages, translations));
        CHECK(CurrentLanguage().code == "en");
        CHECK(Tr("log", "Film") == "Film");
    }
    // Messages out of their order are refused: the lookup could not find them.
    for (const std::string_view translations : {std::string_view("fr\tFrançais\tltr\t2\t0\nP\nD'accord")}) {
        CHECK(!UseCatalog("log\tFilm\n\tOK", translations));
        CHECK(CurrentLanguage().code == "en");
        CHECK(Tr("log", "Film") == "Film");
    }
}

TEST_CASE("the made-up languages: 40 % longer with accents in brackets, and right to left, placeholders kept")
{
    English english;
    REQUIRE(UsePseudoLanguage(kMessages, kLongPseudoLanguage));
    const std::string film(Tr("log", "Film"));
    CHECK(film.front() == '[');
    CHECK(film.back() == ']');
    CHECK(TextColumns(film) >= 6);
    const std::string households(NTr("debrief", "%d household", "%d households", 2));
    CHECK(households.find("%d") != std::string::npos);
    CHECK(TextColumns(households) * 10 >= TextColumns("%d households") * 14);
    CHECK(households.find_first_of("aeiou") == std::string::npos);  // the vowels are accented
    CHECK(!CurrentLanguage().rightToLeft);

    REQUIRE(UsePseudoLanguage(kMessages, kRightToLeftPseudoLanguage));
    CHECK(CurrentLanguage().rightToLeft);
    CHECK(Tr("", "OK") == "\u202eOK\u202c");
    CHECK(TextColumns(Tr("", "OK")) == 2);
    CHECK(!UsePseudoLanguage(kMessages, "fr"));
}

TEST_CASE("display columns: one a character, none for combining marks and direction marks")
{
    const std::pair<std::string_view, std::size_t> cases[] = {
        {"Film", 4}, {"Démonstration (10)", 18}, {"De\u0301mo", 4}, {"\u202eOK\u202c", 2},
        {"\u0627\u0644\u062a\u062f\u0631\u064a\u0628", 7}, {"\u0628\u0650", 1}, {"\u0915\u093f", 2}, {"\u0915\u094d", 1},
        {"", 0},
    };
    for (const auto &row : cases) {
        INFO(row.first);
        CHECK(TextColumns(row.first) == row.second);
    }
}

TEST_CASE("a fixed-width line's runs: the name, then each number, with room up to one blank before the next")
{
    const struct {
        std::string_view line;
        std::size_t fields;
        std::vector<TextRun> runs;
    } cases[] = {
        {"Film    010", 5, {{0, 7, "Film"}, {8, 3, "010"}}},
        {"  Days Days", 2, {{2, 4, "Days"}, {7, 4, "Days"}}},
        {"Talk to (3) -05  100", 12, {{0, 11, "Talk to (3)"}, {12, 4, "-05"}, {17, 3, "100"}}},
        // The longest name is one blank from its first number.
        {"Talk to (3) -05", 11, {{0, 11, "Talk to (3)"}, {12, 3, "-05"}}},
        {"Talk  (3) 010", 10, {{0, 5, "Talk"}, {6, 3, "(3)"}, {10, 3, "010"}}},
        {"\u0915\u093f\u0924 \u0915   010", 6, {{0, 7, "\u0915\u093f\u0924 \u0915"}, {8, 3, "010"}}},
        // A run of a name reversed is reversed as the whole name is.
        {"\u202eab cd\u202c 010", 3, {{0, 2, "\u202eab"}, {3, 2, "cd\u202c", "\u202e"}, {6, 3, "010"}}},
        {"", 0, {}},
        {"   ", 0, {}},
    };
    for (const auto &row : cases) {
        INFO(row.line);
        CHECK(TextRuns(row.line, row.fields) == row.runs);
    }
}

TEST_CASE("the log in another language: its name column from the longest name, its headings above its columns")
{
    English english;
    CHECK(LogNameWidth() == kLogNameWidth);
    const LogHeadings headings = LayOutLogHeadings(kLogNameWidth);
    CHECK(headings.above == std::string(28, ' ') + "Days    Days");
    CHECK(headings.below == "Action" + std::string(22, ' ') + "Used    Left        %Converted Total");

    REQUIRE(UsePseudoLanguage("log\tTalk to opinion leader (%d)", kLongPseudoLanguage));
    const std::string name = LogName(Activity::Talk, 10);
    CHECK(LogNameWidth() == TextColumns(name) + 1);
    const LogRecord talk{Activity::Talk, 10, 20, 90, 5, 43};
    CHECK(FormatLogLine(talk).substr(name.size()) == " 020     090         005      043");
}
