#include "workers/HtmlText.h"

#include <windows.h>

#include <cstring>

// The page is read as a stream of tokens (text, tags, comments) in one pass. Nesting is tracked
// only where it changes what shows (pre, template), by counters, so no input can build a deep
// structure. The text is assembled in UTF-8 and turned into the ANSI code page at the end.

namespace {

// ---------------------------------------------------------------------------------------------
// Character sets

bool isValidUtf8(const std::string& s)
{
    size_t i = 0, n = s.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t more;
        unsigned cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + more >= n)
            return false;
        for (size_t k = 1; k <= more; ++k) {
            unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // overlong three- and four-byte forms, surrogates, beyond U+10FFFF
        if ((more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000) || (cp >= 0xD800 && cp <= 0xDFFF) ||
            cp > 0x10FFFF)
            return false;
        i += more + 1;
    }
    return true;
}

bool isAscii(const std::string& s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// From one code page to another through UTF-16; the text unchanged when the system refuses.
std::string recode(const std::string& s, UINT from, UINT to)
{
    if (s.empty())
        return s;
    int wideLength = MultiByteToWideChar(from, 0, s.data(), static_cast<int>(s.size()), NULL, 0);
    if (wideLength <= 0)
        return s;
    WCHAR* wide = new WCHAR[wideLength];
    MultiByteToWideChar(from, 0, s.data(), static_cast<int>(s.size()), wide, wideLength);
    std::string result = s;
    int length = WideCharToMultiByte(to, 0, wide, wideLength, NULL, 0, NULL, NULL);
    if (length > 0) {
        result.assign(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(to, 0, wide, wideLength, &result[0], length, NULL, NULL);
    }
    delete[] wide;
    return result;
}

void appendUtf8(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// ---------------------------------------------------------------------------------------------
// Character references

// U+00A0 to U+00FF in order. These, with amp, lt, gt and quot, are the names pages have always
// been allowed to write without the closing semicolon.
const char* const kLatin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",
    "uml",    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",
    "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",  "para",   "middot",
    "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest",
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",
    "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",
    "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",
    "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct NamedReference {
    const char* name;
    unsigned codePoint;
};

const NamedReference kLegacyNames[] = {
    {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'},
    {"AMP", '&'}, {"LT", '<'}, {"GT", '>'}, {"QUOT", '"'}, {"COPY", 0xA9}, {"REG", 0xAE}};

// Names that count only with their semicolon.
const NamedReference kOtherNames[] = {
    {"apos", 0x27},      {"OElig", 0x152},    {"oelig", 0x153},   {"Scaron", 0x160},   {"scaron", 0x161},
    {"Yuml", 0x178},     {"fnof", 0x192},     {"circ", 0x2C6},    {"tilde", 0x2DC},    {"Alpha", 0x391},
    {"Beta", 0x392},     {"Gamma", 0x393},    {"Delta", 0x394},   {"Epsilon", 0x395},  {"Zeta", 0x396},
    {"Eta", 0x397},      {"Theta", 0x398},    {"Iota", 0x399},    {"Kappa", 0x39A},    {"Lambda", 0x39B},
    {"Mu", 0x39C},       {"Nu", 0x39D},       {"Xi", 0x39E},      {"Omicron", 0x39F},  {"Pi", 0x3A0},
    {"Rho", 0x3A1},      {"Sigma", 0x3A3},    {"Tau", 0x3A4},     {"Upsilon", 0x3A5},  {"Phi", 0x3A6},
    {"Chi", 0x3A7},      {"Psi", 0x3A8},      {"Omega", 0x3A9},   {"alpha", 0x3B1},    {"beta", 0x3B2},
    {"gamma", 0x3B3},    {"delta", 0x3B4},    {"epsilon", 0x3B5}, {"zeta", 0x3B6},     {"eta", 0x3B7},
    {"theta", 0x3B8},    {"iota", 0x3B9},     {"kappa", 0x3BA},   {"lambda", 0x3BB},   {"mu", 0x3BC},
    {"nu", 0x3BD},       {"xi", 0x3BE},       {"omicron", 0x3BF}, {"pi", 0x3C0},       {"rho", 0x3C1},
    {"sigmaf", 0x3C2},   {"sigma", 0x3C3},    {"tau", 0x3C4},     {"upsilon", 0x3C5},  {"phi", 0x3C6},
    {"chi", 0x3C7},      {"psi", 0x3C8},      {"omega", 0x3C9},   {"thetasym", 0x3D1}, {"upsih", 0x3D2},
    {"piv", 0x3D6},      {"ensp", 0x2002},    {"emsp", 0x2003},   {"thinsp", 0x2009},  {"zwnj", 0x200C},
    {"zwj", 0x200D},     {"lrm", 0x200E},     {"rlm", 0x200F},    {"ndash", 0x2013},   {"mdash", 0x2014},
    {"lsquo", 0x2018},   {"rsquo", 0x2019},   {"sbquo", 0x201A},  {"ldquo", 0x201C},   {"rdquo", 0x201D},
    {"bdquo", 0x201E},   {"dagger", 0x2020},  {"Dagger", 0x2021}, {"bull", 0x2022},    {"hellip", 0x2026},
    {"permil", 0x2030},  {"prime", 0x2032},   {"Prime", 0x2033},  {"lsaquo", 0x2039},  {"rsaquo", 0x203A},
    {"oline", 0x203E},   {"frasl", 0x2044},   {"euro", 0x20AC},   {"image", 0x2111},   {"weierp", 0x2118},
    {"real", 0x211C},    {"trade", 0x2122},   {"alefsym", 0x2135}, {"larr", 0x2190},   {"uarr", 0x2191},
    {"rarr", 0x2192},    {"darr", 0x2193},    {"harr", 0x2194},   {"crarr", 0x21B5},   {"lArr", 0x21D0},
    {"uArr", 0x21D1},    {"rArr", 0x21D2},    {"dArr", 0x21D3},   {"hArr", 0x21D4},    {"forall", 0x2200},
    {"part", 0x2202},    {"exist", 0x2203},   {"empty", 0x2205},  {"nabla", 0x2207},   {"isin", 0x2208},
    {"notin", 0x2209},   {"ni", 0x220B},      {"prod", 0x220F},   {"sum", 0x2211},     {"minus", 0x2212},
    {"lowast", 0x2217},  {"radic", 0x221A},   {"prop", 0x221D},   {"infin", 0x221E},   {"ang", 0x2220},
    {"and", 0x2227},     {"or", 0x2228},      {"cap", 0x2229},    {"cup", 0x222A},     {"int", 0x222B},
    {"there4", 0x2234},  {"sim", 0x223C},     {"cong", 0x2245},   {"asymp", 0x2248},   {"ne", 0x2260},
    {"equiv", 0x2261},   {"le", 0x2264},      {"ge", 0x2265},     {"sub", 0x2282},     {"sup", 0x2283},
    {"nsub", 0x2284},    {"sube", 0x2286},    {"supe", 0x2287},   {"oplus", 0x2295},   {"otimes", 0x2297},
    {"perp", 0x22A5},    {"sdot", 0x22C5},    {"lceil", 0x2308},  {"rceil", 0x2309},   {"lfloor", 0x230A},
    {"rfloor", 0x230B},  {"lang", 0x27E8},    {"rang", 0x27E9},   {"loz", 0x25CA},     {"spades", 0x2660},
    {"clubs", 0x2663},   {"hearts", 0x2665},  {"diams", 0x2666}};

// Code points 0x80-0x9F written as numbers mean the Windows-1252 characters, as browsers read them.
const unsigned short kC1Replacements[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const size_t kLongestName = 8;

bool isAsciiAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiAlnum(char c)
{
    return isAsciiAlpha(c) || (c >= '0' && c <= '9');
}

// Code point of a name that may stand without its semicolon; 0 when it is not one.
unsigned legacyCodePoint(const std::string& name)
{
    for (int i = 0; i < 96; ++i)
        if (name == kLatin1Names[i])
            return 0xA0 + static_cast<unsigned>(i);
    for (const NamedReference& r : kLegacyNames)
        if (name == r.name)
            return r.codePoint;
    return 0;
}

unsigned anyCodePoint(const std::string& name)
{
    unsigned cp = legacyCodePoint(name);
    if (cp)
        return cp;
    for (const NamedReference& r : kOtherNames)
        if (name == r.name)
            return r.codePoint;
    return 0;
}

// Decodes the reference that starts with the '&' at s[i]. Returns the code point (0 when the
// '&' starts none, which then stands for itself) and sets next past the reference.
unsigned decodeReference(const std::string& s, size_t i, size_t& next)
{
    size_t n = s.size();
    size_t j = i + 1;
    if (j < n && s[j] == '#') {
        ++j;
        bool hex = j < n && (s[j] == 'x' || s[j] == 'X');
        if (hex)
            ++j;
        size_t digitsStart = j;
        unsigned long value = 0;
        while (j < n) {
            char c = s[j];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                break;
            // keep counting digits, but stop growing once the value is out of range anyway
            if (value <= 0x10FFFF)
                value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
            ++j;
        }
        if (j == digitsStart)
            return 0;
        if (j < n && s[j] == ';')
            ++j;
        next = j;
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return 0xFFFD;
        if (value >= 0x80 && value <= 0x9F)
            return kC1Replacements[value - 0x80];
        return static_cast<unsigned>(value);
    }

    size_t nameEnd = j;
    while (nameEnd < n && nameEnd - j < 32 && isAsciiAlnum(s[nameEnd]))
        ++nameEnd;
    if (nameEnd == j)
        return 0;
    std::string name = s.substr(j, nameEnd - j);
    if (nameEnd < n && s[nameEnd] == ';') {
        unsigned cp = anyCodePoint(name);
        if (cp) {
            next = nameEnd + 1;
            return cp;
        }
    }
    // Without a semicolon only the old names count, and the longest one that begins the text:
    // "&copy2024" is the copyright sign and "2024".
    for (size_t length = name.size() < kLongestName ? name.size() : kLongestName; length > 1; --length) {
        unsigned cp = legacyCodePoint(name.substr(0, length));
        if (cp) {
            next = j + length;
            return cp;
        }
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Elements

// s holds name at pos, in any case (name is lower case).
bool sameLetters(const std::string& s, size_t pos, const std::string& name)
{
    for (size_t k = 0; k < name.size(); ++k) {
        char c = s[pos + k];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != name[k])
            return false;
    }
    return true;
}

bool inList(const std::string& name, const char* const* list)
{
    for (; *list; ++list)
        if (name == *list)
            return true;
    return false;
}

// Elements that stand on lines of their own.
const char* const kBlockElements[] = {
    "address", "article", "aside",  "blockquote", "body",   "caption", "center", "dd",     "details",
    "dialog",  "dir",     "div",    "dl",         "dt",     "fieldset", "figcaption", "figure", "footer",
    "form",    "frameset", "h1",    "h2",         "h3",     "h4",      "h5",     "h6",     "header",
    "hgroup",  "hr",      "html",   "legend",     "li",     "main",    "menu",   "nav",    "ol",
    "section", "summary", "table",  "tbody",      "tfoot",  "thead",   "tr",     "ul",     nullptr};

// Elements whose content is text up to their own end tag and never shows.
const char* const kHiddenRawText[] = {"script", "style", "title", "noscript", "iframe",
                                      "noembed", "noframes", nullptr};

// ---------------------------------------------------------------------------------------------
// Output

class TextBuilder {
public:
    // One byte of ordinary text: white space collapses, the rest shows.
    void put(char c)
    {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\f') {
            if (!lineStart_ && breaks_ == 0 && separator_ == 0)
                separator_ = ' ';
            return;
        }
        flush();
        out_ += c;
        lineStart_ = false;
    }

    // One byte of preformatted text: shown as written, a new line as CR LF.
    void putPreformatted(char c)
    {
        flush();
        if (c == '\n') {
            out_ += "\r\n";
            lineStart_ = true;
        } else {
            out_ += c;
            lineStart_ = false;
        }
    }

    // The element starts or ends a block: at least that many line breaks before the next text.
    void block(int breaks)
    {
        if (breaks > breaks_)
            breaks_ = breaks;
        separator_ = 0;
    }

    void lineBreak()
    {
        flush();
        out_ += "\r\n";
        lineStart_ = true;
    }

    void cell()
    {
        if (breaks_ == 0)
            separator_ = '\t';
    }

    const std::string& text() const { return out_; }

private:
    void flush()
    {
        if (breaks_ > 0) {
            // no empty lines at the top of the text
            if (!out_.empty())
                for (int k = 0; k < breaks_; ++k)
                    out_ += "\r\n";
            lineStart_ = true;
        } else if (separator_ && !lineStart_) {
            out_ += separator_;
        }
        breaks_ = 0;
        separator_ = 0;
    }

    std::string out_;
    int breaks_ = 0;
    char separator_ = 0;
    bool lineStart_ = true;
};

// ---------------------------------------------------------------------------------------------
// The pass over the page

class HtmlTextReader {
public:
    explicit HtmlTextReader(const std::string& page) : s_(page) {}

    std::string read()
    {
        size_t n = s_.size();
        size_t i = 0;
        while (i < n) {
            char c = s_[i];
            if (c == '<') {
                i = markup(i);
            } else if (c == '&') {
                i = reference(i);
            } else {
                text(c);
                ++i;
            }
        }
        return out_.text();
    }

private:
    bool hidden() const { return hiddenDepth_ > 0; }

    void text(char c)
    {
        if (hidden() || c == '\0')
            return;
        if (preDepth_ > 0)
            out_.putPreformatted(c);
        else
            out_.put(c);
    }

    void codePoint(unsigned cp)
    {
        std::string bytes;
        appendUtf8(bytes, cp);
        for (char b : bytes)
            text(b);
    }

    size_t reference(size_t i)
    {
        size_t next = i + 1;
        unsigned cp = decodeReference(s_, i, next);
        if (cp == 0) {
            text('&');
            return i + 1;
        }
        codePoint(cp);
        return next;
    }

    // Index just past the first '>' at or after i (the end of the page when there is none).
    size_t pastClosingBracket(size_t i) const
    {
        size_t close = s_.find('>', i);
        return close == std::string::npos ? s_.size() : close + 1;
    }

    // Reads a tag name starting at i (lower-cased); sets i past it.
    std::string tagName(size_t& i) const
    {
        size_t n = s_.size();
        std::string name;
        while (i < n) {
            char c = s_[i];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '/' || c == '>')
                break;
            name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            ++i;
        }
        return name;
    }

    // Skips the attributes of a start tag from i: index past its '>', or npos when the page ends
    // inside the tag (which then shows nothing).
    size_t skipAttributes(size_t i) const
    {
        size_t n = s_.size();
        while (i < n) {
            char c = s_[i];
            if (c == '>')
                return i + 1;
            if (c == '=') {
                ++i;
                while (i < n && (s_[i] == ' ' || s_[i] == '\t' || s_[i] == '\n' || s_[i] == '\f'))
                    ++i;
                if (i < n && (s_[i] == '"' || s_[i] == '\'')) {
                    size_t close = s_.find(s_[i], i + 1);
                    if (close == std::string::npos)
                        return std::string::npos;
                    i = close + 1;
                }
                continue;
            }
            ++i;
        }
        return std::string::npos;
    }

    // Index of the "</name" that ends a raw-text element whose content starts at i; npos when
    // the page ends first.
    size_t findEndTag(size_t i, const std::string& name) const
    {
        size_t n = s_.size();
        for (;;) {
            size_t lt = s_.find("</", i);
            if (lt == std::string::npos)
                return std::string::npos;
            size_t k = lt + 2;
            if (n - k >= name.size() && sameLetters(s_, k, name)) {
                size_t after = k + name.size();
                if (after == n || s_[after] == ' ' || s_[after] == '\t' || s_[after] == '\n' ||
                    s_[after] == '\f' || s_[after] == '/' || s_[after] == '>')
                    return lt;
            }
            i = lt + 2;
        }
    }

    // Content of a raw-text element from i to its end tag, given to show(); index past the tag.
    template <typename Show>
    size_t rawText(size_t i, const std::string& name, Show show)
    {
        size_t end = findEndTag(i, name);
        show(i, end == std::string::npos ? s_.size() : end);
        return end == std::string::npos ? s_.size() : pastClosingBracket(end);
    }

    // A new line right after the start tag of pre, listing or textarea is not part of the text.
    size_t skipLeadingNewline(size_t i) const
    {
        return i < s_.size() && s_[i] == '\n' ? i + 1 : i;
    }

    size_t markup(size_t i)
    {
        size_t n = s_.size();
        if (s_.compare(i, 4, "<!--") == 0)
            return comment(i + 4);
        if (i + 1 < n && (s_[i + 1] == '!' || s_[i + 1] == '?'))
            return pastClosingBracket(i + 2);
        if (i + 1 < n && s_[i + 1] == '/') {
            if (i + 2 < n && isAsciiAlpha(s_[i + 2])) {
                size_t j = i + 2;
                std::string name = tagName(j);
                endTag(name);
                return pastClosingBracket(j);
            }
            return pastClosingBracket(i + 2);   // "</>" and the like show nothing
        }
        if (i + 1 < n && isAsciiAlpha(s_[i + 1])) {
            size_t j = i + 1;
            std::string name = tagName(j);
            size_t next = skipAttributes(j);
            if (next == std::string::npos)
                return n;
            return startTag(name, next);
        }
        text('<');
        return i + 1;
    }

    size_t comment(size_t i)
    {
        size_t n = s_.size();
        if (i < n && s_[i] == '>')
            return i + 1;                        // "<!-->"
        if (s_.compare(i, 2, "->") == 0)
            return i + 2;                        // "<!--->"
        size_t end = s_.find("--", i);
        while (end != std::string::npos) {
            if (s_.compare(end, 3, "-->") == 0)
                return end + 3;
            if (s_.compare(end, 4, "--!>") == 0)
                return end + 4;
            end = s_.find("--", end + 1);
        }
        return n;
    }

    // Handles a start tag whose '>' ends just before i; returns where reading goes on.
    size_t startTag(const std::string& name, size_t i)
    {
        if (inList(name, kHiddenRawText))
            return rawText(i, name, [](size_t, size_t) {});
        if (name == "textarea") {
            // shown as written, with its references decoded
            ++preDepth_;
            size_t next = rawText(skipLeadingNewline(i), name, [this](size_t from, size_t to) {
                while (from < to) {
                    if (s_[from] == '&') {
                        size_t after = from + 1;
                        unsigned cp = decodeReference(s_, from, after);
                        if (cp) {
                            codePoint(cp);
                            from = after;
                            continue;
                        }
                    }
                    text(s_[from++]);
                }
            });
            --preDepth_;
            return next;
        }
        if (name == "xmp" || name == "plaintext") {
            blockBoundary(1);
            ++preDepth_;
            size_t next;
            if (name == "plaintext") {
                for (size_t k = i; k < s_.size(); ++k)
                    text(s_[k]);
                next = s_.size();
            } else {
                next = rawText(i, name, [this](size_t from, size_t to) {
                    while (from < to)
                        text(s_[from++]);
                });
            }
            --preDepth_;
            blockBoundary(1);
            return next;
        }
        if (name == "template") {
            ++hiddenDepth_;
        } else if (name == "br") {
            if (!hidden())
                out_.lineBreak();
        } else if (name == "p") {
            blockBoundary(2);
        } else if (name == "pre" || name == "listing") {
            blockBoundary(1);
            ++preDepth_;
            return skipLeadingNewline(i);
        } else if (name == "td" || name == "th") {
            if (!hidden())
                out_.cell();
        } else if (inList(name, kBlockElements)) {
            blockBoundary(1);
        }
        return i;
    }

    void endTag(const std::string& name)
    {
        if (name == "template") {
            if (hiddenDepth_ > 0)
                --hiddenDepth_;
        } else if (name == "br") {
            if (!hidden())
                out_.lineBreak();               // browsers read "</br>" as "<br>"
        } else if (name == "p") {
            blockBoundary(2);
        } else if (name == "pre" || name == "listing") {
            if (preDepth_ > 0)
                --preDepth_;
            blockBoundary(1);
        } else if (inList(name, kBlockElements)) {
            blockBoundary(1);
        }
    }

    void blockBoundary(int breaks)
    {
        if (!hidden())
            out_.block(breaks);
    }

    const std::string& s_;
    TextBuilder out_;
    int preDepth_ = 0;
    int hiddenDepth_ = 0;
};

// CR LF and lone CR become LF, as a parser reads them.
std::string normaliseNewlines(const std::string& s)
{
    if (s.find('\r') == std::string::npos)
        return s;
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            out += '\n';
            if (i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

std::string getHtmlText(const std::string& html)
{
    std::string page = normaliseNewlines(html);
    // A page that is not UTF-8 is taken to be in the ANSI code page, which is what pages without
    // a declared charset mostly are on the systems this runs on.
    if (!isAscii(page) && !isValidUtf8(page))
        page = recode(page, CP_ACP, CP_UTF8);
    std::string text = HtmlTextReader(page).read();
    if (isAscii(text))
        return text;
    return recode(text, CP_UTF8, CP_ACP);
}
