#include "platform/IniFile.h"

#include "platform/AtomicWrite.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <climits>
#include <string>
#include <utility>
#include <vector>

// The Debian package of SimpleIni compiles its templates only on request. INI text is held as
// UTF-8 bytes, so the char version without any character conversion is all that is needed; its
// case-insensitive compare folds only the letters A to Z.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace {

using Names = CSimpleIniA::TNamesDepend;

std::string Utf8(const QString& text)
{
    return text.toStdString();
}

// Blanks as SimpleIni sees them on a line.
QByteArray StripBlanks(const QByteArray& line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && (line[begin] == ' ' || line[begin] == '\t'))
        ++begin;
    while (end > begin && (line[end - 1] == ' ' || line[end - 1] == '\t'))
        --end;
    return line.mid(begin, end - begin);
}

bool IsCommentOrBlank(const QByteArray& line)
{
    const QByteArray stripped = StripBlanks(line);
    return stripped.isEmpty() || stripped.startsWith(';') || stripped.startsWith('#');
}

// Comment lines after the last entry belong to no entry, so SimpleIni drops them; they are kept
// here, with the blank lines before them, and written back at the end of the file.
QByteArray TrailingComments(const QByteArray& text)
{
    const QList<QByteArray> lines = text.split('\n');
    qsizetype first = lines.size();
    while (first > 0 && IsCommentOrBlank(lines[first - 1]))
        --first;
    qsizetype last = lines.size();
    while (last > first && StripBlanks(lines[last - 1]).isEmpty())
        --last;
    QByteArray trailer;
    for (qsizetype i = first; i < last; ++i)
        trailer += lines[i] + '\n';
    return trailer;
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

} // namespace

/// The parsed file: SimpleIni's tables in load order, plus what SimpleIni would not keep.
struct IniFile::Store {
    CSimpleIniA Ini { true, false, false };
    QByteArray Trailer;
    /// The file exists but could not be read: saving would drop every entry it holds.
    bool Unreadable = false;

    Store()
    {
        Ini.SetSpaces(false);
        Ini.SetQuotes(false);
        Ini.SetMultiLine(false);
        Ini.SetAllowKeyOnly(false);
    }

    void Clear()
    {
        Ini.Reset();
        Ini.SetMultiKey(false);
        Trailer.clear();
        Unreadable = false;
    }

    /// A damaged file may name a key twice; the first value counts, as in every INI reader, and
    /// the key stays where it first stood, with its comment and spelling.
    void KeepFirstValues()
    {
        struct Duplicate {
            std::string Section, Key, Value;
        };
        std::vector<Duplicate> duplicates;
        Names sections;
        Ini.GetAllSections(sections);
        for (const auto& section : sections) {
            Names keys;
            Ini.GetAllKeys(section.pItem, keys);
            for (const auto& key : keys) {
                Names values;
                Ini.GetAllValues(section.pItem, key.pItem, values);
                if (values.size() < 2)
                    continue;
                values.sort(CSimpleIniA::Entry::LoadOrder());
                duplicates.push_back({ section.pItem, key.pItem, values.front().pItem });
            }
        }
        for (const auto& d : duplicates)
            Ini.SetValue(d.Section.c_str(), d.Key.c_str(), d.Value.c_str(), nullptr, true);
    }

    const char* Value(const QString& section, const QString& key) const
    {
        return Ini.GetValue(Utf8(section).c_str(), Utf8(key).c_str(), nullptr);
    }
};

IniFile::IniFile(QString path)
    : FilePath(std::move(path))
    , Data(std::make_unique<Store>())
{
}

IniFile::~IniFile() = default;

bool IniFile::Load(QString& error)
{
    error.clear();
    Data->Clear();
    if (!QFileInfo::exists(FilePath))
        return true;

    QFile file(FilePath);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open '%1': %2").arg(FilePath, file.errorString());
        Data->Unreadable = true;
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read '%1': %2").arg(FilePath, file.errorString());
        Data->Unreadable = true;
        return false;
    }
    LoadFromBytes(bytes);
    return true;
}

void IniFile::LoadFromBytes(const QByteArray& bytes)
{
    Data->Clear();
    QString text = NormaliseLineEnds(DecodeText(bytes));
    // SimpleIni's text ends at the first NUL; a damaged file keeps what follows it.
    text.remove(QChar(u'\0'));
    // The leading line break keeps SimpleIni from taking an opening comment as a file comment,
    // which it would write apart from the section below it; the comment stays with its section.
    const QByteArray utf8 = '\n' + text.toUtf8();
    Data->Ini.SetMultiKey(true);
    Data->Ini.LoadData(utf8.constData(), static_cast<size_t>(utf8.size()));
    Data->KeepFirstValues();
    Data->Ini.SetMultiKey(false);
    Data->Trailer = TrailingComments(utf8);
}

bool IniFile::HasSection(const QString& section) const
{
    return Data->Ini.GetSectionSize(Utf8(section).c_str()) >= 0;
}

bool IniFile::HasKey(const QString& section, const QString& key) const
{
    return Data->Value(section, key) != nullptr;
}

QStringList IniFile::Sections() const
{
    Names sections;
    Data->Ini.GetAllSections(sections);
    sections.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList result;
    for (const auto& section : sections) {
        // Keys above the first section belong to no section that a reader can name.
        if (*section.pItem)
            result.append(QString::fromUtf8(section.pItem));
    }
    return result;
}

QStringList IniFile::Keys(const QString& section) const
{
    Names keys;
    Data->Ini.GetAllKeys(Utf8(section).c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList result;
    for (const auto& key : keys)
        result.append(QString::fromUtf8(key.pItem));
    return result;
}

QString IniFile::ReadString(
    const QString& section, const QString& key, const QString& fallback) const
{
    const char* value = Data->Value(section, key);
    if (!value)
        return fallback;
    QString text = QString::fromUtf8(value).trimmed();
    if (text.size() > MaxValueLength) {
        // Never split a surrogate pair at the cut.
        const qsizetype cut
            = text.at(MaxValueLength - 1).isHighSurrogate() ? MaxValueLength - 1 : MaxValueLength;
        text.truncate(cut);
    }
    return text;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const
{
    int value = 0;
    if (!ParseIniInteger(ReadString(section, key, QString()), value))
        return fallback;
    return value;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const
{
    int value = 0;
    if (!ParseIniInteger(ReadString(section, key, QString()), value))
        return fallback;
    return value != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    QString line = value;
    for (QChar& c : line) {
        if (c == u'\r' || c == u'\n' || c == u'\0')
            c = u' ';
    }
    // An existing key keeps its spelling and place; SimpleIni finds it without regard to case.
    Data->Ini.SetValue(Utf8(section).c_str(), Utf8(key).c_str(), Utf8(line.trimmed()).c_str());
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
    Data->Ini.Delete(Utf8(section).c_str(), nullptr);
}

// Written in the usual layout: a blank line between sections, each comment right above the
// section or key it belongs to, "Key=Value" lines in the order they were read or added. A file
// in that layout is written back byte for byte apart from the keys that changed.
QByteArray IniFile::ToBytes() const
{
    Names sections;
    Data->Ini.GetAllSections(sections);
    sections.sort(CSimpleIniA::Entry::LoadOrder());
    // Keys above the first section must stay above it.
    for (auto it = sections.begin(); it != sections.end(); ++it) {
        if (!*it->pItem) {
            sections.splice(sections.begin(), sections, it);
            break;
        }
    }

    QByteArray out;
    bool first = true;
    for (const auto& section : sections) {
        Names keys;
        Data->Ini.GetAllKeys(section.pItem, keys);
        keys.sort(CSimpleIniA::Entry::LoadOrder());
        const bool named = *section.pItem != 0;
        if (!named && keys.empty())
            continue;
        if (!first)
            out += '\n';
        first = false;
        if (section.pComment)
            out += QByteArray(section.pComment) + '\n';
        if (named)
            out += '[' + QByteArray(section.pItem) + "]\n";
        for (const auto& key : keys) {
            if (key.pComment)
                out += QByteArray(key.pComment) + '\n';
            out += QByteArray(key.pItem) + '='
                + QByteArray(Data->Ini.GetValue(section.pItem, key.pItem, "")) + '\n';
        }
    }
    out += Data->Trailer;
    return out;
}

bool IniFile::Save(QString& error) const
{
    if (Data->Unreadable) {
        error = QStringLiteral("Cannot write '%1': it could not be read, and its other entries "
                               "would be lost.")
                    .arg(FilePath);
        return false;
    }
    return WriteFileAtomically(FilePath, ToBytes(), error);
}

bool ParseIniInteger(const QString& text, int& value)
{
    const QString t = text.trimmed();
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
