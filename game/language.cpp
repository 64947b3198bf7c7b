// SPDX-License-Identifier: GPL-3.0-or-later
#include "language.h"

#include <algorithm>
#include <utility>

namespace Startup {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos)
            return parts;
        at = end + 1;
    }
}

// A plural expression of C as gettext's headers write them ("n != 1",
// "(n==0 ? 0 : n==1 ? 1 : ...)"), evaluated for one n while it is read.
class PluralExpression
{
public:
    PluralExpression(std::string_view text, unsigned long n) : text(text), n(n) {}

    std::optional<unsigned long> value()
    {
        const unsigned long result = conditional();
        skipBlanks();
        if (failed || at != text.size())
            return std::nullopt;
        return result;
    }

private:
    void skipBlanks()
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
            ++at;
    }
    bool take(std::string_view symbol)
    {
        skipBlanks();
        if (text.substr(at, symbol.size()) != symbol)
            return false;
        // "<" is not "<=", "!" not "!=", "=" alone is no operator at all.
        if (symbol.size() == 1 && std::string_view("<>!").find(symbol[0]) != std::string_view::npos
            && text.substr(at + 1, 1) == "=")
            return false;
        at += symbol.size();
        return true;
    }
    unsigned long conditional()
    {
        const unsigned long condition = binary();
        if (!take("?"))
            return condition;
        const unsigned long yes = conditional();
        if (!take(":"))
            failed = true;
        const unsigned long no = conditional();
        return condition ? yes : no;
    }
    // The binary operators of C, loosest first; each level's operands are of the next level.
    static constexpr std::string_view kLevels[][4] = {
        {"||"}, {"&&"}, {"==", "!="}, {"<=", ">=", "<", ">"}, {"+", "-"}, {"*", "/", "%"},
    };
    static unsigned long apply(std::string_view op, unsigned long left, unsigned long right, bool &failed)
    {
        if ((op == "/" || op == "%") && right == 0) {
            failed = true;
            return 0;
        }
        return op == "||"   ? (left != 0 || right != 0)
               : op == "&&" ? (left != 0 && right != 0)
               : op == "==" ? left == right
               : op == "!=" ? left != right
               : op == "<=" ? left <= right
               : op == ">=" ? left >= right
               : op == "<"  ? left < right
               : op == ">"  ? left > right
               : op == "+"  ? left + right
               : op == "-"  ? left - right
               : op == "*"  ? left * right
               : op == "/"  ? left / right
                            : left % right;
    }
    unsigned long binary(std::size_t level = 0)
    {
        if (level == std::size(kLevels))
            return unary();
        unsigned long value = binary(level + 1);
        for (bool more = true; more;) {
            more = false;
            for (const std::string_view op : kLevels[level])
                if (!op.empty() && take(op)) {
                    value = apply(op, value, binary(level + 1), failed);
                    more = true;
                    break;
                }
        }
        return value;
    }
    unsigned long unary()
    {
        if (take("!"))
            return !unary();
        if (take("(")) {
            const unsigned long value = conditional();
            if (!take(")"))
                failed = true;
            return value;
        }
        skipBlanks();
        if (at < text.size() && text[at] == 'n') {
            ++at;
            return n;
        }
        if (at >= text.size() || text[at] < '0' || text[at] > '9') {
            failed = true;
            return 0;
        }
        unsigned long value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            value = value * 10 + static_cast<unsigned long>(text[at++] - '0');
        return value;
    }

    std::string_view text;
    unsigned long n;
    std::size_t at = 0;
    bool failed = false;
};

struct Entry {
    std::string_view context, english;
    std::vector<std::string_view> forms;
    bool operator<(const Entry &other) const
    {
        return context < other.context || (context == other.context && english < other.english);
    }
};

struct Catalog {
    Language language;
    std::string messages, translations;  // what the entries point into
    std::size_t plurals = 2;
    std::string pluralRule = "n != 1";
    std::vector<Entry> entries;          // in order, by context and words

    const Entry *find(std::string_view context, std::string_view english) const
    {
        const Entry wanted{context, english, {}};
        const auto found = std::lower_bound(entries.begin(), entries.end(), wanted);
        return found != entries.end() && found->context == context && found->english == english ? &*found : nullptr;
    }
};

Catalog &catalog()
{
    static Catalog inUse;
    return inUse;
}

// The plural form for n, by the catalog's rule; the last form if the rule fails.
std::size_t pluralForm(const Catalog &in, long n)
{
    const unsigned long count = n < 0 ? static_cast<unsigned long>(-(n + 1)) + 1 : static_cast<unsigned long>(n);
    const std::optional<unsigned long> form = PluralExpression(in.pluralRule, count).value();
    return form && *form < in.plurals ? *form : in.plurals - 1;
}

bool ruleIsSound(std::string_view rule, std::size_t plurals)
{
    for (unsigned long n = 0; n <= 1000; ++n) {
        const std::optional<unsigned long> form = PluralExpression(rule, n).value();
        if (!form || *form >= plurals)
            return false;
    }
    return true;
}

// One UTF-8 character's code point at `at`, and where the next one begins.
char32_t decode(std::string_view text, std::size_t &at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    std::size_t i = at + 1;
    for (; i < at + length && i < text.size() && (byte(i) & 0xC0) == 0x80; ++i)
        code = (code << 6) | (byte(i) & 0x3F);
    at = i;
    return code;
}

void encode(std::string &out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The length of the placeholder at text[at] ('%'), or 0 where there is none.
std::size_t placeholderLength(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    if (end < text.size() && text[end] == '%')
        return 2;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end > at + 1) {
        if (end >= text.size() || text[end] != '$')
            return 0;
        ++end;
    }
    return end < text.size() && (text[end] == 'd' || text[end] == 's') ? end + 1 - at : 0;
}

// --- The made-up languages -------------------------------------------------------------------

constexpr std::string_view kPlain = "aceinorsuyzACEINORSUYZ";
constexpr char32_t kAccented[] = {U'\u00e1', U'\u00e7', U'\u00e9', U'\u00ee', U'\u00f1', U'\u00f6', U'\u0155', U'\u0161',
                                  U'\u00fb', U'\u00fd', U'\u017e', U'\u00c1', U'\u00c7', U'\u00c9', U'\u00ce', U'\u00d1',
                                  U'\u00d6', U'\u0154', U'\u0160', U'\u00db', U'\u00dd', U'\u017d'};
static_assert(std::size(kAccented) == kPlain.size());
constexpr std::string_view kPadding[] = {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"};

// Accents on the letters, placeholders kept as they are.
std::string accented(std::string_view text)
{
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '%') {
            if (const std::size_t length = placeholderLength(text, at)) {
                out += text.substr(at, length);
                at += length;
                continue;
            }
        }
        const std::size_t plain = kPlain.find(text[at]);
        if (plain == std::string_view::npos)
            out += text[at];
        else
            encode(out, kAccented[plain]);
        ++at;
    }
    return out;
}

// "[Ŕáðîö ~one two]": 40 % longer than the English, in brackets.
std::string lengthened(std::string_view english)
{
    const std::size_t columns = TextColumns(english);
    const std::size_t wanted = (columns * 14 + 9) / 10;
    std::string out(1, '[');
    out += accented(english);
    std::size_t length = columns + 2;
    for (std::size_t word = 0; length < wanted; ++word) {
        std::string piece(word == 0 ? " ~" : " ");
        piece += accented(kPadding[word % std::size(kPadding)]);
        out += piece;
        length += TextColumns(piece);
    }
    out += ']';
    return out;
}

// The English, shown from right to left.
std::string reversed(std::string_view english)
{
    std::string out("\u202e");
    out += english;
    out += "\u202c";
    return out;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
// The text in ASCII capitals, or in ASCII small letters.
std::string inCase(std::string_view text, bool capitals)
{
    std::string out(text);
    const char from = capitals ? 'a' : 'A', to = capitals ? 'A' : 'a';
    for (char &c : out)
        if (c >= from && c <= from + 25)
            c = static_cast<char>(c - from + to);
    return out;
}

} // namespace

// --- The lookup ------------------------------------------------------------------------------

std::optional<std::string_view> Lookup(std::string_view context, std::string_view english)
{
    const Entry *found = catalog().find(context, english);
    if (!found)
        return std::nullopt;
    return found->forms.front();
}

std::string_view Tr(std::string_view context, std::string_view english)
{
    return Lookup(context, english).value_or(english);
}

std::string_view NTr(std::string_view context, std::string_view singular, std::string_view plural, long n)
{
    const Catalog &in = catalog();
    const Entry *found = in.find(context, singular);
    if (!found)
        return n == 1 ? singular : plural;
    return found->forms[std::min(pluralForm(in, n), found->forms.size() - 1)];
}

std::string Format(std::string_view pattern, std::initializer_list<FormatArgument> arguments)
{
    std::string out;
    std::size_t next = 0;  // the argument of the next placeholder without a number
    for (std::size_t at = 0; at < pattern.size();) {
        const std::size_t length = pattern[at] == '%' ? placeholderLength(pattern, at) : 0;
        if (length == 0) {
            out += pattern[at++];
            continue;
        }
        const std::string_view placeholder = pattern.substr(at, length);
        at += length;
        if (placeholder == "%%") {
            out += '%';
            continue;
        }
        std::size_t index = next;
        if (placeholder.size() > 2) {  // "%2$d": the second argument
            index = 0;
            for (const char digit : placeholder.substr(1, placeholder.size() - 3))
                index = index * 10 + static_cast<std::size_t>(digit - '0');
            --index;
        } else {
            ++next;
        }
        if (index >= arguments.size()) {
            out += placeholder;
            continue;
        }
        const FormatArgument &argument = arguments.begin()[index];
        out += argument.isText ? std::string(argument.text) : std::to_string(argument.number);
    }
    return out;
}

const Language &CurrentLanguage() { return catalog().language; }

bool UseCatalog(std::string_view messages, std::string_view translations)
{
    Catalog &in = catalog();
    in = Catalog();
    if (translations.empty())
        return true;
    Catalog loaded;
    loaded.messages = messages;
    loaded.translations = translations;
    const std::vector<std::string_view> ids = split(loaded.messages, '\n');
    const std::vector<std::string_view> lines = split(loaded.translations, '\n');
    const std::vector<std::string_view> header = split(lines.front(), '\t');
    if (header.size() != 5 || lines.size() != ids.size() + 1 || header[3].size() != 1 || header[3][0] < '1'
        || header[3][0] > '6' || !ruleIsSound(header[4], static_cast<std::size_t>(header[3][0] - '0')))
        return false;
    loaded.language = {std::string(header[0]), std::string(header[1]), header[2] == "rtl"};
    loaded.plurals = static_cast<std::size_t>(header[3][0] - '0');
    loaded.pluralRule = header[4];
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const std::vector<std::string_view> id = split(ids[i], '\t');
        std::vector<std::string_view> forms = split(lines[i + 1], '\t');
        if (id.size() < 2 || id.size() > 3 || forms.size() != (id.size() == 3 ? loaded.plurals : 1))
            return false;
        loaded.entries.push_back({id[0], id[1], std::move(forms)});
    }
    if (!std::is_sorted(loaded.entries.begin(), loaded.entries.end()))
        return false;
    in = std::move(loaded);
    return true;
}

bool UsePseudoLanguage(std::string_view messages, std::string_view code)
{
    const bool rightToLeft = code == kRightToLeftPseudoLanguage;
    if (!rightToLeft && code != kLongPseudoLanguage)
        return false;
    const auto made = [&](std::string_view english) { return rightToLeft ? reversed(english) : lengthened(english); };
    std::string translations = std::string(code) + '\t' + made("English") + '\t' + (rightToLeft ? "rtl" : "ltr")
                               + "\t2\tn != 1";
    for (const std::string_view line : split(messages, '\n')) {
        const std::vector<std::string_view> id = split(line, '\t');
        translations += '\n' + made(id.size() > 1 ? id[1] : std::string_view());
        if (id.size() > 2)
            translations += '\t' + made(id[2]);
    }
    return UseCatalog(messages, translations);
}

std::optional<std::string> ChooseLanguage(const std::vector<std::string_view> &asked,
                                          const std::vector<std::string_view> &available)
{
    for (const std::string_view value : asked) {
        for (std::string_view tag : split(value, ':')) {
            tag = tag.substr(0, tag.find_first_of(".@"));  // "fr_FR.UTF-8", "ca_ES@valencia"
            if (tag.empty())
                continue;
            if (tag == "C" || tag == "POSIX")
                return std::nullopt;
            // language[-_Script][-_REGION]: two or three letters, four letters, two letters or three digits.
            std::string dashed(tag);
            std::replace(dashed.begin(), dashed.end(), '_', '-');
            const std::vector<std::string_view> parts = split(dashed, '-');
            const std::string_view language = parts[0];
            if (language.size() < 2 || language.size() > 3 || !std::all_of(language.begin(), language.end(), isLetter))
                continue;
            std::string region;
            bool wellFormed = true;
            for (std::size_t i = 1; i < parts.size(); ++i) {
                const std::string_view part = parts[i];
                const bool script = part.size() == 4 && std::all_of(part.begin(), part.end(), isLetter);
                const bool area = region.empty()
                                  && ((part.size() == 2 && std::all_of(part.begin(), part.end(), isLetter))
                                      || (part.size() == 3 && std::all_of(part.begin(), part.end(), isDigit)));
                if (area)
                    region = inCase(part, true);
                else if (!script || i != 1)
                    wellFormed = false;
            }
            if (!wellFormed)
                continue;
            const std::string code = inCase(language, false);
            for (const std::string &candidate : {region.empty() ? code : code + '_' + region, code})
                if (std::find(available.begin(), available.end(), candidate) != available.end())
                    return candidate;
            if (code == "en")
                return std::nullopt;
        }
    }
    return std::nullopt;
}

std::size_t TextColumns(std::string_view text)
{
    std::size_t columns = 0;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t code = decode(text, at);
        // The non-spacing marks of the scripts the catalogs use: Latin, Arabic, Devanagari.
        const bool combining = (code >= 0x0300 && code <= 0x036F) || (code >= 0x0610 && code <= 0x061A)
                               || (code >= 0x064B && code <= 0x065F) || code == 0x0670
                               || (code >= 0x0900 && code <= 0x0902) || code == 0x093A || code == 0x093C
                               || (code >= 0x0941 && code <= 0x0948) || code == 0x094D
                               || (code >= 0x0951 && code <= 0x0957) || code == 0x0962 || code == 0x0963;
        const bool control = (code >= 0x200B && code <= 0x200F) || (code >= 0x202A && code <= 0x202E)
                             || (code >= 0x2066 && code <= 0x2069);
        if (!combining && !control)
            ++columns;
    }
    return columns;
}

std::vector<TextRun> TextRuns(std::string_view line, std::size_t fields)
{
    static constexpr std::string_view kOpening[] = {"\u202a", "\u202b", "\u202d", "\u202e",
                                                    "\u2066", "\u2067", "\u2068"};
    std::string open;
    std::vector<TextRun> runs;
    std::size_t column = 0, runEnd = 0;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (end == at) {
            ++column;
            ++at;
            continue;
        }
        const std::string_view word = line.substr(at, end - at);
        const bool joins = !runs.empty() && column == runEnd + 1 && column < fields;
        if (joins)
            runs.back().text += ' ';
        else {
            if (!runs.empty())
                runs.back().room = column - runs.back().column - 1;
            runs.push_back({column, 0, "", open});
        }
        runs.back().text += word;
        column += TextColumns(word);
        runs.back().room = column - runs.back().column;
        runEnd = column;
        for (std::size_t c = 0; c + 3 <= word.size(); ++c) {
            const std::string_view here = word.substr(c, 3);
            if (std::find(std::begin(kOpening), std::end(kOpening), here) != std::end(kOpening))
                open += here;
            else if ((here == "\u202c" || here == "\u2069") && !open.empty())
                open.resize(open.size() - 3);
        }
        at = end;
    }
    return runs;
}

} // namespace Startup
