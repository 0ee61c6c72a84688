#include "platform/IniFile.h"

#include "platform/AsciiCase.h"
#include "platform/AtomicWrite.h"
#include "messages/ReasonTexts.h"
#include "platform/TextFile.h"

#include <QHash>
#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace {

enum class LineEnd : quint8 { None, Lf, CrLf, Cr };
enum class LineKind : quint8 { Other, Section, Entry };

QLatin1StringView EndText(LineEnd end)
{
    switch (end) {
    case LineEnd::Lf:
        return QLatin1StringView("\n");
    case LineEnd::CrLf:
        return QLatin1StringView("\r\n");
    case LineEnd::Cr:
        return QLatin1StringView("\r");
    case LineEnd::None:
        break;
    }
    return {};
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

/// One line of the file as read; only Text and End are written back.
struct Line {
    QString Text;
    LineEnd End = LineEnd::None;
    LineKind Kind = LineKind::Other;
    /// The section or key name inside Text, without the blanks around it.
    qsizetype NameBegin = 0;
    qsizetype NameEnd = 0;
    /// Entries: where the value starts, just after "=".
    qsizetype ValueBegin = 0;

    QStringView Name() const { return QStringView(Text).sliced(NameBegin, NameEnd - NameBegin); }
    QStringView Value() const { return QStringView(Text).sliced(ValueBegin); }
    bool IsBlankLine() const { return std::all_of(Text.cbegin(), Text.cend(), IsBlank); }
};

Line ParseLine(QString text, LineEnd end)
{
    Line line { std::move(text), end };
    const QStringView t(line.Text);
    qsizetype begin = 0;
    while (begin < t.size() && IsBlank(t[begin]))
        ++begin;
    if (begin == t.size() || t[begin] == u';' || t[begin] == u'#')
        return line;

    const auto setName = [&line, t](qsizetype nameBegin, qsizetype nameEnd) {
        while (nameBegin < nameEnd && IsBlank(t[nameBegin]))
            ++nameBegin;
        while (nameEnd > nameBegin && IsBlank(t[nameEnd - 1]))
            --nameEnd;
        line.NameBegin = nameBegin;
        line.NameEnd = nameEnd;
    };
    // A "[" line that never closes is no section; it stays as it is, among the lines above it.
    if (t[begin] == u'[') {
        const qsizetype close = t.indexOf(u']', begin + 1);
        if (close >= 0) {
            line.Kind = LineKind::Section;
            setName(begin + 1, close);
        }
        return line;
    }
    const qsizetype equals = t.indexOf(u'=', begin);
    if (equals < 0)
        return line;
    setName(begin, equals);
    if (line.NameBegin == line.NameEnd)
        return line;
    line.Kind = LineKind::Entry;
    line.ValueBegin = equals + 1;
    return line;
}

// No line holds a line break, so no two section and key pairs share an index key.
QString IndexKey(QStringView section, QStringView key)
{
    QString indexKey;
    indexKey.reserve(section.size() + 1 + key.size());
    indexKey.append(section).append(u'\n').append(key);
    return FoldedAsciiCase(indexKey);
}

QStringView BeforeNul(QStringView value)
{
    const qsizetype nul = value.indexOf(QChar(u'\0'));
    return nul < 0 ? value : value.first(nul);
}

QStringView CutToMaxLength(QStringView value)
{
    if (value.size() > IniFile::MaxValueLength) {
        // Never split a surrogate pair at the cut.
        const bool pairAtCut = value[IniFile::MaxValueLength - 1].isHighSurrogate();
        value.truncate(pairAtCut ? IniFile::MaxValueLength - 1 : IniFile::MaxValueLength);
    }
    return value;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool ParseInteger(QStringView text, int& value)
{
    const QStringView t = text.trimmed();
    if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
        quint64 number = 0;
        for (qsizetype i = 2; i < t.size(); ++i) {
            const int digit = HexDigit(t[i]);
            if (digit < 0)
                return false;
            number = number * 16 + static_cast<quint64>(digit);
            if (number > 0xFFFFFFFFu)
                return false;
        }
        // Hexadecimal is a 32-bit pattern: "0xFFFFFFFF" reads as -1.
        value = static_cast<int>(static_cast<quint32>(number));
        return true;
    }

    const bool negative = t.startsWith(u'-');
    const qsizetype start = negative ? 1 : 0;
    if (start >= t.size())
        return false;
    qint64 number = 0;
    for (qsizetype i = start; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
        if (number > qint64(INT_MAX) + 1)
            return false;
    }
    if (negative)
        number = -number;
    if (number > INT_MAX)
        return false;
    value = static_cast<int>(number);
    return true;
}

} // namespace

/// The file's lines, grouped by the section line above them.
struct IniFile::Store {
    struct Block {
        /// Starts with the section line when Named; the first block holds the lines above the
        /// first section.
        std::vector<Line> Lines;
        bool Named = false;

        QStringView Name() const { return Named ? Lines.front().Name() : QStringView(); }
    };
    struct Position {
        size_t BlockIndex = 0;
        size_t LineIndex = 0;
    };
    /// Files with more entries than this are searched through Index; a card file is not worth
    /// the cost of building it.
    static constexpr size_t LinearSearchLimit = 24;

    /// The decoded file: lines that are never rewritten share its characters.
    QString Decoded;
    std::vector<Block> Blocks;
    size_t EntryCount = 0;
    /// The first entry of each key by IndexKey, built on the first search of a big file.
    QHash<QString, Position> Index;
    bool Indexed = false;
    /// New lines end as the file's first line does.
    LineEnd NewLineEnd = LineEnd::Lf;
    /// The bytes last read or written, so that writes that restore every value save nothing.
    QByteArray OnDisk;
    bool Dirty = false;
    /// The file exists but could not be read: saving would drop every entry it holds.
    bool Unreadable = false;

    void Clear()
    {
        Blocks.assign(1, Block {});
        Decoded.clear();
        EntryCount = 0;
        Index.clear();
        Indexed = false;
        NewLineEnd = LineEnd::Lf;
        OnDisk.clear();
        Dirty = false;
        Unreadable = false;
    }

    void Parse(QString text)
    {
        Decoded = std::move(text);
        Blocks.reserve(8);
        const QChar* chars = Decoded.constData();
        const qsizetype size = Decoded.size();
        bool endSeen = false;
        for (qsizetype start = 0; start < size;) {
            qsizetype end = start;
            while (end < size && chars[end] != u'\n' && chars[end] != u'\r')
                ++end;
            LineEnd lineEnd = LineEnd::None;
            qsizetype next = end;
            if (end < size && chars[end] == u'\n') {
                lineEnd = LineEnd::Lf;
                next = end + 1;
            } else if (end + 1 < size && chars[end + 1] == u'\n') {
                lineEnd = LineEnd::CrLf;
                next = end + 2;
            } else if (end < size) {
                lineEnd = LineEnd::Cr;
                next = end + 1;
            }
            if (!endSeen && lineEnd != LineEnd::None) {
                NewLineEnd = lineEnd;
                endSeen = true;
            }
            Line line = ParseLine(QString::fromRawData(chars + start, end - start), lineEnd);
            if (line.Kind == LineKind::Section) {
                Blocks.push_back({ {}, true });
                // A section holds a few lines in most files: room for them at once.
                Blocks.back().Lines.reserve(4);
            }
            else if (line.Kind == LineKind::Entry)
                ++EntryCount;
            Blocks.back().Lines.push_back(std::move(line));
            start = next;
        }
    }

    Line* Find(QStringView section, QStringView key)
    {
        if (EntryCount > LinearSearchLimit) {
            if (!Indexed)
                BuildIndex();
            const auto it = Index.constFind(IndexKey(section, key));
            return it == Index.cend() ? nullptr : &Blocks[it->BlockIndex].Lines[it->LineIndex];
        }
        for (Block& block : Blocks) {
            if (!SameIgnoringAsciiCase(block.Name(), section))
                continue;
            for (Line& line : block.Lines) {
                if (line.Kind == LineKind::Entry && SameIgnoringAsciiCase(line.Name(), key))
                    return &line;
            }
        }
        return nullptr;
    }

    void BuildIndex()
    {
        Index.clear();
        Index.reserve(qsizetype(EntryCount));
        for (size_t b = 0; b < Blocks.size(); ++b) {
            const Block& block = Blocks[b];
            for (size_t l = 0; l < block.Lines.size(); ++l) {
                if (block.Lines[l].Kind != LineKind::Entry)
                    continue;
                const QString key = IndexKey(block.Name(), block.Lines[l].Name());
                if (!Index.contains(key))
                    Index.insert(key, { b, l });
            }
        }
        Indexed = true;
    }

    /// Appends the entry after the last entry of the section (or after its last line that is
    /// not blank), or as a new section at the end of the file.
    void AddEntry(const QString& section, const QString& key, const QString& value)
    {
        Line entry { key + u'=' + value, NewLineEnd, LineKind::Entry, 0, key.size(),
            key.size() + 1 };
        ++EntryCount;
        for (size_t b = Blocks.size(); b-- > 0;) {
            if (!SameIgnoringAsciiCase(Blocks[b].Name(), section))
                continue;
            std::vector<Line>& lines = Blocks[b].Lines;
            size_t afterEntries = 0;
            size_t afterText = 0;
            for (size_t l = 0; l < lines.size(); ++l) {
                if (lines[l].Kind == LineKind::Entry)
                    afterEntries = l + 1;
                if (!lines[l].IsBlankLine())
                    afterText = l + 1;
            }
            const size_t at = afterEntries > 0 ? afterEntries : afterText;
            if (at > 0 && lines[at - 1].End == LineEnd::None)
                lines[at - 1].End = NewLineEnd;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
            // Only lines after the section's entries moved, and none of them is an entry.
            if (Indexed)
                Index.insert(IndexKey(section, key), { b, at });
            return;
        }

        std::vector<Line>& tail = Blocks.back().Lines;
        if (!tail.empty()) {
            if (tail.back().End == LineEnd::None)
                tail.back().End = NewLineEnd;
            if (!tail.back().IsBlankLine())
                tail.push_back({ QString(), NewLineEnd });
        }
        Line header { u'[' + section + u']', NewLineEnd, LineKind::Section, 1, section.size() + 1 };
        Blocks.push_back({ {}, true });
        Blocks.back().Lines.push_back(std::move(header));
        Blocks.back().Lines.push_back(std::move(entry));
        if (Indexed)
            Index.insert(IndexKey(section, key), { Blocks.size() - 1, 1 });
    }
};

IniFile::IniFile(QString path)
    : FFilePath(std::move(path))
    , FData(std::make_unique<Store>())
{
    FData->Clear();
}

IniFile::~IniFile() = default;

bool IniFile::Load(QString& error, qint64 maxBytes)
{
    error.clear();
    FData->Clear();
    QByteArray bytes;
    switch (ReadFileIfPresent(FFilePath, bytes, error, maxBytes)) {
    case FileRead::Missing:
        error.clear();
        return true;
    case FileRead::Failed:
        FData->Unreadable = true;
        return false;
    case FileRead::Read:
        break;
    }
    LoadFromBytes(bytes);
    return true;
}

void IniFile::LoadFromBytes(const QByteArray& bytes)
{
    FData->Clear();
    FData->OnDisk = bytes;
    FData->Parse(DecodeText(bytes));
}

bool IniFile::HasKey(const QString& section, const QString& key) const
{
    return FData->Find(section, key) != nullptr;
}

QStringList IniFile::Sections() const
{
    QStringList result;
    const std::vector<Store::Block>& blocks = FData->Blocks;
    for (auto block = blocks.cbegin(); block != blocks.cend(); ++block) {
        const QStringView name = block->Name();
        const auto sameSection
            = [name](const Store::Block& earlier) { return SameIgnoringAsciiCase(earlier.Name(), name); };
        if (!name.isEmpty() && std::none_of(blocks.cbegin(), block, sameSection))
            result.append(name.toString());
    }
    return result;
}

QStringList IniFile::Keys(const QString& section) const
{
    QStringList result;
    for (const Store::Block& block : FData->Blocks) {
        if (!SameIgnoringAsciiCase(block.Name(), section))
            continue;
        for (const Line& line : block.Lines) {
            // Only the first of duplicate keys is a key; the others are never read.
            if (line.Kind == LineKind::Entry && FData->Find(section, line.Name()) == &line)
                result.append(line.Name().toString());
        }
    }
    return result;
}

QString IniFile::ReadString(
    const QString& section, const QString& key, const QString& fallback) const
{
    const Line* line = FData->Find(section, key);
    return line ? CutToMaxLength(BeforeNul(line->Value()).trimmed()).toString() : fallback;
}

QString IniFile::ReadUntrimmed(
    const QString& section, const QString& key, const QString& fallback) const
{
    const Line* line = FData->Find(section, key);
    return line ? CutToMaxLength(BeforeNul(line->Value())).toString() : fallback;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const
{
    // Parsed where it stands: thousands of card files are read for a handful of numbers each.
    const Line* line = FData->Find(section, key);
    int value = 0;
    if (!line || !ParseInteger(CutToMaxLength(BeforeNul(line->Value()).trimmed()), value))
        return fallback;
    return value;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    QString oneLine = value;
    for (QChar& c : oneLine) {
        if (c == u'\r' || c == u'\n' || c == u'\0')
            c = u' ';
    }
    if (Line* line = FData->Find(section, key)) {
        // A value that reads back the same keeps its line, blanks around "=" included.
        if (line->Value() == oneLine || (oneLine == oneLine.trimmed() && line->Value().trimmed() == oneLine))
            return;
        line->Text = line->Text.left(line->ValueBegin) + oneLine;
    } else {
        FData->AddEntry(section, key, oneLine);
    }
    FData->Dirty = true;
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::EraseSection(const QString& section)
{
    const auto erased = std::erase_if(FData->Blocks, [&section](const Store::Block& block) {
        return block.Named && SameIgnoringAsciiCase(block.Name(), section);
    });
    if (erased == 0)
        return;
    FData->EntryCount = 0;
    for (const Store::Block& block : FData->Blocks) {
        FData->EntryCount += size_t(std::count_if(block.Lines.cbegin(), block.Lines.cend(),
            [](const Line& line) { return line.Kind == LineKind::Entry; }));
    }
    FData->Indexed = false;
    FData->Dirty = true;
}

bool IniFile::Changed() const
{
    return FData->Dirty;
}

QByteArray IniFile::ToBytes() const
{
    QString text;
    for (const Store::Block& block : FData->Blocks) {
        for (const Line& line : block.Lines) {
            text += line.Text;
            text += EndText(line.End);
        }
    }
    return text.toUtf8();
}

bool IniFile::Save(QString& error) const
{
    error.clear();
    if (FData->Unreadable) {
        error = ReasonText(Reason::WRITE_UNREAD).arg(FFilePath);
        return false;
    }
    if (!FData->Dirty)
        return true;
    const QByteArray bytes = ToBytes();
    if (bytes != FData->OnDisk && !WriteFileAtomically(FFilePath, bytes, error))
        return false;
    FData->OnDisk = bytes;
    FData->Dirty = false;
    return true;
}

bool ParseIniInteger(const QString& text, int& value) { return ParseInteger(text, value); }
