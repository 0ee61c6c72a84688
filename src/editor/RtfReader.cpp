#include "editor/RtfReader.h"

#include "messages/ReasonTexts.h"
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

// Real documents nest a few dozen groups deep; deeper input is damaged or hostile, and the
// state stack must stay small.
constexpr qsizetype MaxGroupDepth = 10000;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it leaves undefined keep
// their Latin-1 code points. Our own table, as the Western code page is the common case and the
// fallback when the system cannot decode the one a document names.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

constexpr int WesternCodePage = 1252;

// The code pages that documents name, with the names ICU knows them by. Only these are looked
// up, so a hostile document cannot make us open a decoder for every number it writes.
constexpr std::pair<int, const char*> CodePageNames[]
    = { { 437, "IBM437" }, { 850, "IBM850" }, { 852, "IBM852" }, { 866, "IBM866" },
          { 874, "windows-874" }, { 932, "cp932" }, { 936, "windows-936" }, { 949, "windows-949" },
          { 950, "windows-950" }, { 1250, "windows-1250" }, { 1251, "windows-1251" },
          { 1253, "windows-1253" }, { 1254, "windows-1254" }, { 1255, "windows-1255" },
          { 1256, "windows-1256" }, { 1257, "windows-1257" }, { 1258, "windows-1258" },
          { 10000, "macintosh" }, { 65001, "UTF-8" } };

// A font's \fcharset and the code page it stands for; the others keep the document's own.
constexpr std::pair<int, int> CharsetCodePages[] = { { 77, 10000 }, { 128, 932 }, { 129, 949 },
    { 134, 936 }, { 136, 950 }, { 161, 1253 }, { 162, 1254 }, { 163, 1258 }, { 177, 1255 },
    { 178, 1256 }, { 186, 1257 }, { 204, 1251 }, { 222, 874 }, { 238, 1250 }, { 255, 437 } };

template <typename Value, std::size_t Size>
Value Lookup(
    const std::pair<int, Value> (&table)[Size], int key, std::type_identity_t<Value> otherwise)
{
    for (const auto& [k, value] : table) {
        if (k == key)
            return value;
    }
    return otherwise;
}

const char* CodePageName(int codePage)
{
    return Lookup(CodePageNames, codePage, nullptr);
}

// 0 leaves the document's code page.
int CharsetCodePage(int charset)
{
    return Lookup(CharsetCodePages, charset, 0);
}

/// Decodes runs of bytes in any code page, keeping one decoder per code page met.
class CodePageDecoder {
public:
    QString Decode(int codePage, QByteArrayView bytes)
    {
        if (codePage != WesternCodePage && CodePageName(codePage)) {
            auto found = Decoders.find(codePage);
            if (found == Decoders.end())
                found = Decoders.try_emplace(codePage, CodePageName(codePage)).first;
            if (found->second.isValid()) {
                QString text = found->second.decode(bytes);
                // Each run stands alone: a lead byte left over must not swallow the next run.
                found->second.resetState();
                return text;
            }
        }
        QString text(bytes.size(), Qt::Uninitialized);
        QChar* out = text.data();
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
        }
        return text;
    }

private:
    std::map<int, QStringDecoder> Decoders;
};

enum class Action {
    SkipDestination,
    FontTable,
    Character,
    Cell,
    Row,
    Binary,
    AnsiCodePage,
    MacCodePage,
    DefaultFont,
    Font,
    FontCharset,
    FontCodePage,
    Plain,
    Hidden,
    UnicodeSkip,
    Unicode,
};

struct ControlWord {
    std::string_view Name;
    Action Kind;
    char16_t Character = 0;
};

// Sorted by name for the binary search. The skipped destinations hold no body text; those
// written with \* are skipped without being listed.
constexpr ControlWord ControlWords[] = { { "annotation", Action::SkipDestination },
    { "ansicpg", Action::AnsiCodePage }, { "bin", Action::Binary },
    { "bullet", Action::Character, 0x2022 }, { "cell", Action::Cell },
    { "colorschememapping", Action::SkipDestination }, { "colortbl", Action::SkipDestination },
    { "cpg", Action::FontCodePage }, { "datastore", Action::SkipDestination },
    { "deff", Action::DefaultFont }, { "do", Action::SkipDestination },
    { "emdash", Action::Character, 0x2014 }, { "emspace", Action::Character, 0x2003 },
    { "endash", Action::Character, 0x2013 }, { "enspace", Action::Character, 0x2002 },
    { "f", Action::Font }, { "fcharset", Action::FontCharset },
    { "filetbl", Action::SkipDestination }, { "fldinst", Action::SkipDestination },
    { "fonttbl", Action::FontTable }, { "footer", Action::SkipDestination },
    { "footerf", Action::SkipDestination }, { "footerl", Action::SkipDestination },
    { "footerr", Action::SkipDestination }, { "footnote", Action::SkipDestination },
    { "generator", Action::SkipDestination }, { "header", Action::SkipDestination },
    { "headerf", Action::SkipDestination }, { "headerl", Action::SkipDestination },
    { "headerr", Action::SkipDestination }, { "info", Action::SkipDestination },
    { "latentstyles", Action::SkipDestination }, { "ldblquote", Action::Character, 0x201C },
    { "line", Action::Character, '\n' }, { "listoverridetable", Action::SkipDestination },
    { "listtable", Action::SkipDestination }, { "lquote", Action::Character, 0x2018 },
    { "ltrmark", Action::Character, 0x200E }, { "mac", Action::MacCodePage },
    { "nestcell", Action::Cell }, { "nestrow", Action::Row },
    { "nonshppict", Action::SkipDestination }, { "object", Action::SkipDestination },
    { "page", Action::Character, '\n' }, { "par", Action::Character, '\n' },
    { "pgdsctbl", Action::SkipDestination }, { "pict", Action::SkipDestination },
    { "plain", Action::Plain }, { "pn", Action::SkipDestination },
    { "pntxta", Action::SkipDestination }, { "pntxtb", Action::SkipDestination },
    { "qmspace", Action::Character, 0x2005 }, { "rdblquote", Action::Character, 0x201D },
    { "revtbl", Action::SkipDestination }, { "row", Action::Row },
    { "rquote", Action::Character, 0x2019 }, { "rsidtbl", Action::SkipDestination },
    { "rtlmark", Action::Character, 0x200F }, { "sect", Action::Character, '\n' },
    { "stylesheet", Action::SkipDestination }, { "tab", Action::Character, '\t' },
    { "tc", Action::SkipDestination }, { "template", Action::SkipDestination },
    { "themedata", Action::SkipDestination }, { "u", Action::Unicode },
    { "uc", Action::UnicodeSkip }, { "userprops", Action::SkipDestination },
    { "v", Action::Hidden }, { "xe", Action::SkipDestination },
    { "xmlnstbl", Action::SkipDestination }, { "zwj", Action::Character, 0x200D },
    { "zwnj", Action::Character, 0x200C } };

constexpr bool ByName(const ControlWord& a, const ControlWord& b)
{
    return a.Name < b.Name;
}
static_assert(std::is_sorted(std::begin(ControlWords), std::end(ControlWords), ByName));

const ControlWord* FindControlWord(std::string_view name)
{
    const ControlWord key { name, Action::SkipDestination };
    const auto found
        = std::lower_bound(std::begin(ControlWords), std::end(ControlWords), key, ByName);
    return (found != std::end(ControlWords) && found->Name == name) ? found : nullptr;
}

enum class Destination { Body, FontTable, Skip };

/// What a group inherits from its parent and gets back when its children close.
struct GroupState {
    Destination Where = Destination::Body;
    int FallbackLength = 1; // \uc: characters after \u that stand in for readers without Unicode
    int Font = -1; // -1: the document's default font
    bool Hidden = false;
};

/// One pass over the document; each byte is looked at once.
class RtfParser {
public:
    explicit RtfParser(QByteArrayView rtf)
        : Rtf(rtf)
    {
    }

    bool Run(QString& text, QString& error)
    {
        while (Pos < Rtf.size()) {
            const char c = Rtf[Pos++];
            if (c == '{') {
                if (Groups.size() >= MaxGroupDepth) {
                    error = ReasonText(Reason::RTF_TOO_DEEP);
                    return false;
                }
                FlushBytes();
                FallbackLeft = 0;
                Groups.push_back(Groups.empty() ? GroupState() : Groups.back());
            } else if (c == '}') {
                FlushBytes();
                FallbackLeft = 0;
                Groups.pop_back();
                // What follows the document's own closing brace is no part of it.
                if (Groups.empty())
                    break;
            } else if (c == '\\') {
                ReadControl();
            } else if (c != '\r' && c != '\n') {
                TextByte(c);
            }
        }
        FlushBytes();
        ResolveHighSurrogate();
        // The last paragraph's own mark would paste as a trailing empty line.
        if (Text.endsWith(u'\n'))
            Text.chop(1);
        text = Text;
        return true;
    }

private:
    GroupState& State() { return Groups.back(); }
    bool Visible() { return State().Where == Destination::Body && !State().Hidden; }

    int CodePage()
    {
        const int font = State().Font >= 0 ? State().Font : DefaultFont;
        const int fontCodePage = FontCodePages.value(font, 0);
        return fontCodePage ? fontCodePage : DocumentCodePage;
    }

    // Characters standing in for the last \u are dropped, each text byte, \'hh or control
    // counting as one.
    bool SkipFallback()
    {
        if (FallbackLeft == 0)
            return false;
        --FallbackLeft;
        return true;
    }

    void TextByte(char c)
    {
        if (SkipFallback() || !Visible())
            return;
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
            Bytes.append(c);
    }

    void FlushBytes()
    {
        if (Bytes.isEmpty())
            return;
        Append(Decoder.Decode(CodePage(), Bytes));
        Bytes.clear();
    }

    void ResolveHighSurrogate()
    {
        if (PendingHigh) {
            Text += QChar(QChar::ReplacementCharacter);
            PendingHigh = 0;
        }
    }

    // Whatever way a character came in (a byte in a code page, \'hh, \u), control characters
    // other than tabs and line breaks are no text.
    void Append(const QString& s)
    {
        ResolveHighSurrogate();
        for (const QChar c : s) {
            if (c.unicode() >= 0x20 || c == u'\t' || c == u'\n')
                Text += c;
        }
    }

    // A pair of \u makes one character above U+FFFF; a half on its own is not text.
    void AppendUnit(char16_t unit)
    {
        if (QChar::isHighSurrogate(unit)) {
            ResolveHighSurrogate();
            PendingHigh = unit;
        } else if (QChar::isLowSurrogate(unit)) {
            Text += PendingHigh ? QChar(PendingHigh) : QChar(QChar::ReplacementCharacter);
            if (PendingHigh)
                Text += QChar(unit);
            PendingHigh = 0;
        } else if (unit >= 0x20 || unit == '\t' || unit == '\n') {
            Append(QString(QChar(unit)));
        }
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    static int HexValue(char c)
    {
        if (IsDigit(c))
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void ReadControl()
    {
        if (Pos >= Rtf.size())
            return;
        if (!IsLetter(Rtf[Pos])) {
            ReadControlSymbol(Rtf[Pos++]);
            return;
        }
        const qsizetype start = Pos;
        while (Pos < Rtf.size() && IsLetter(Rtf[Pos]))
            ++Pos;
        const std::string_view name(Rtf.data() + start, Pos - start);

        bool negative = false;
        if (Pos + 1 < Rtf.size() && Rtf[Pos] == '-' && IsDigit(Rtf[Pos + 1])) {
            negative = true;
            ++Pos;
        }
        bool hasParameter = false;
        qint64 value = 0;
        while (Pos < Rtf.size() && IsDigit(Rtf[Pos])) {
            hasParameter = true;
            // Saturate rather than overflow: every digit is still read, once.
            value = std::min<qint64>(value * 10 + (Rtf[Pos++] - '0'), qint64(INT_MAX) + 1);
        }
        const int parameter = negative ? int(-value) : int(std::min<qint64>(value, INT_MAX));
        if (Pos < Rtf.size() && Rtf[Pos] == ' ')
            ++Pos;
        ControlWordRead(name, hasParameter, parameter);
    }

    void ReadControlSymbol(char symbol)
    {
        if (symbol == '\'') {
            // A cut-off \'h is dropped with its one digit.
            const int high = Pos < Rtf.size() ? HexValue(Rtf[Pos]) : -1;
            if (high < 0)
                return;
            const int low = ++Pos < Rtf.size() ? HexValue(Rtf[Pos]) : -1;
            if (low < 0)
                return;
            ++Pos;
            // Runs of \'hh are gathered so that two-byte code pages decode whole characters.
            if (!SkipFallback() && Visible())
                Bytes.append(char(high * 16 + low));
            return;
        }
        FlushBytes();
        if (SkipFallback())
            return;
        if (symbol == '*') {
            State().Where = Destination::Skip;
            return;
        }
        if (!Visible())
            return;
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            Bytes.append(symbol);
            break;
        case '~':
            Append(QString(QChar(0x00A0)));
            break;
        case '_':
            Append(QString(QChar(0x2011)));
            break;
        case '\r':
        case '\n':
            Append(QStringLiteral("\n"));
            break;
        default:
            // \- (optional hyphen), \: (index subentry), \| (formula) and unknown symbols show
            // nothing.
            break;
        }
    }

    void ControlWordRead(std::string_view name, bool hasParameter, int parameter)
    {
        FlushBytes();
        const ControlWord* word = FindControlWord(name);
        if (word && word->Kind == Action::Binary) {
            // Raw data: skipped by its count, which cannot reach past the input.
            Pos += std::min<qint64>(std::max(parameter, 0), Rtf.size() - Pos);
            SkipFallback();
            return;
        }
        if (SkipFallback() || !word || State().Where == Destination::Skip)
            return;
        if (word->Kind == Action::SkipDestination) {
            State().Where = Destination::Skip;
            return;
        }
        if (State().Where == Destination::FontTable) {
            FontTableWord(*word, parameter);
            return;
        }
        switch (word->Kind) {
        case Action::FontTable:
            State().Where = Destination::FontTable;
            break;
        case Action::AnsiCodePage:
            DocumentCodePage = CodePageName(parameter) ? parameter : WesternCodePage;
            break;
        case Action::MacCodePage:
            DocumentCodePage = 10000;
            break;
        case Action::DefaultFont:
            DefaultFont = parameter;
            break;
        case Action::Font:
            State().Font = parameter;
            break;
        case Action::Plain:
            State().Font = -1;
            State().Hidden = false;
            break;
        case Action::Hidden:
            State().Hidden = !hasParameter || parameter != 0;
            break;
        case Action::UnicodeSkip:
            State().FallbackLength = std::max(parameter, 0);
            break;
        case Action::Unicode:
            if (!hasParameter)
                break;
            if (Visible() && parameter >= -32768 && parameter <= 65535)
                AppendUnit(char16_t(parameter < 0 ? parameter + 65536 : parameter));
            FallbackLeft = State().FallbackLength;
            break;
        default:
            if (Visible())
                BodyWord(*word);
            break;
        }
    }

    void FontTableWord(const ControlWord& word, int parameter)
    {
        if (word.Kind == Action::Font) {
            FontDefined = parameter;
        } else if (word.Kind == Action::FontCharset) {
            FontCodePages.insert(FontDefined, CharsetCodePage(parameter));
        } else if (word.Kind == Action::FontCodePage && CodePageName(parameter)) {
            FontCodePages.insert(FontDefined, parameter);
        }
    }

    void BodyWord(const ControlWord& word)
    {
        switch (word.Kind) {
        case Action::Character:
            Append(QString(QChar(word.Character)));
            break;
        case Action::Cell:
            Append(QStringLiteral("\t"));
            CellEnd = Text.size();
            break;
        case Action::Row:
            // The tab that closed the row's last cell becomes the row's line break.
            ResolveHighSurrogate();
            if (Text.size() == CellEnd && Text.endsWith(u'\t'))
                Text.chop(1);
            Text += u'\n';
            break;
        default:
            break;
        }
    }

    QByteArrayView Rtf;
    qsizetype Pos = 0;
    std::vector<GroupState> Groups;
    QString Text;
    QByteArray Bytes; // text bytes not yet decoded, all in the current code page
    CodePageDecoder Decoder;
    int DocumentCodePage = WesternCodePage;
    int DefaultFont = 0;
    int FontDefined = 0; // the font table entry being read
    QHash<int, int> FontCodePages;
    int FallbackLeft = 0;
    char16_t PendingHigh = 0;
    qsizetype CellEnd = -1;
};

} // namespace

bool RtfToPlainText(const QByteArray& rtf, QString& text, QString& error)
{
    text.clear();
    if (!rtf.startsWith("{\\rtf")) {
        error = ReasonText(Reason::NOT_RTF);
        return false;
    }
    return RtfParser(rtf).Run(text, error);
}
