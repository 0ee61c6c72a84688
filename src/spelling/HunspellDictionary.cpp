#include "spelling/HunspellDictionary.h"

#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"
#include "platform/TextFile.h"
#include "spelling/CorrectOrNot.h"
#include "spelling/DictionaryEncoding.h"

#include <QFile>
#include <QList>
#include <exception>
#include <limits>
#include <hunspell/hunspell.hxx>

namespace {
/// Checks that a dictionary file can be read before Hunspell, which reports nothing, is given it.
bool Readable(const QString& path, QString& error)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return true;
    error = ReasonText(Reason::CANNOT_OPEN).arg(ReadableName(path), file.errorString());
    return false;
}

// Affix files are small; a bigger one is read by Hunspell as it is.
constexpr qint64 MaxCheckedBytes = 64 * 1024 * 1024;

/// The number a count field holds, or -1 when the field is no count; one too large for any
/// file is taken as the largest.
qint64 CountIn(const QByteArray& field)
{
    if (field.isEmpty() || field.front() < '0' || field.front() > '9')
        return -1;
    bool ok = false;
    const qint64 count = field.toLongLong(&ok);
    return ok ? count : std::numeric_limits<qint64>::max();
}

/// Hunspell sets aside room for a table's entries by the count in its first line before it reads
/// them, so a count no file could hold ("REP 2147483647") ends the program for want of memory.
/// Each entry takes a line of its own: the count may not pass the lines that follow it.
/// Gives the 1-based number of the first line that counts too many, or 0.
qsizetype FirstLineCountingTooMany(const QByteArray& bytes)
{
    static const QList<QByteArray> tables { "REP", "MAP", "PHONE", "ICONV", "OCONV", "BREAK",
        "COMPOUNDRULE", "CHECKCOMPOUNDPATTERN", "AF", "AM" };
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        qint64 count = -1;
        if (fields.size() >= 2 && tables.contains(fields[0]))
            count = CountIn(fields[1]);
        else if (fields.size() >= 4 && (fields[0] == "PFX" || fields[0] == "SFX")
            && (fields[2] == "Y" || fields[2] == "N"))
            count = CountIn(fields[3]);
        if (count > lines.size() - i)
            return i + 1;
    }
    return 0;
}

/// A word file's first line counts its words, by which Hunspell sizes its table: no file holds
/// more words than it has bytes. False with the reason when the count does not fit.
bool WordCountFits(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // Readable has said why
    const QByteArray first = file.readLine(64).simplified();
    if (CountIn(first.split(' ').constFirst()) <= file.size())
        return true;
    error = ReasonText(Reason::DICTIONARY_DAMAGED).arg(ReadableName(path)).arg(1);
    return false;
}

/// Reads the affix file and checks its table counts; false with the reason when one does not fit.
bool AffixCountsFit(const QString& path, QString& error)
{
    QByteArray bytes;
    QString ignored;
    if (!ReadFileBytes(path, bytes, ignored, MaxCheckedBytes))
        return true;
    const qsizetype line = FirstLineCountingTooMany(bytes);
    if (line == 0)
        return true;
    error = ReasonText(Reason::DICTIONARY_DAMAGED).arg(ReadableName(path)).arg(line);
    return false;
}
} // namespace

std::unique_ptr<HunspellDictionary> HunspellDictionary::Load(
    const DictionaryFiles& files, QString& error)
{
    if (!Readable(files.AffixFile, error) || !Readable(files.WordFile, error)
        || !AffixCountsFit(files.AffixFile, error) || !WordCountFits(files.WordFile, error))
        return nullptr;
    std::unique_ptr<Hunspell> hunspell;
    try {
        hunspell = std::make_unique<Hunspell>(
            NativePath(files.AffixFile).constData(), NativePath(files.WordFile).constData());
    } catch (const std::exception& failure) {
        // What the counts above cannot foresee still must not end the program.
        error = ReasonText(Reason::CANNOT_READ)
                    .arg(ReadableName(files.AffixFile), QString::fromLocal8Bit(failure.what()));
        return nullptr;
    }
    auto encoding = std::make_unique<DictionaryEncoding>(hunspell->get_dict_encoding());
    if (!encoding->Valid()) {
        error = ReasonText(Reason::CANNOT_READ)
                    .arg(ReadableName(files.AffixFile),
                        QString::fromStdString(hunspell->get_dict_encoding()));
        return nullptr;
    }
    return std::unique_ptr<HunspellDictionary>(
        new HunspellDictionary(files, std::move(hunspell), std::move(encoding)));
}

HunspellDictionary::HunspellDictionary(const DictionaryFiles& files,
    std::unique_ptr<Hunspell> hunspell, std::unique_ptr<DictionaryEncoding> encoding)
    : FName(files.Name)
    , FLanguage(LanguageOf(files.Name))
    , FHunspell(std::move(hunspell))
    , FEncoding(std::move(encoding))
{
}

HunspellDictionary::~HunspellDictionary() = default;

void HunspellDictionary::SetCustomWords(const QStringList& words, const QSet<QString>& excluded)
{
    for (const QString& word : words)
        AddWord(word);
    FExcluded = excluded;
}

bool HunspellDictionary::Knows(const QString& word) const
{
    const auto encoded = FEncoding->Encode(word);
    // A custom word the dictionary's encoding cannot hold is known all the same.
    return (encoded && FHunspell->spell(*encoded)) || FCustom.contains(word);
}

bool HunspellDictionary::MainKnows(const QString& word) const
{
    // Hunspell holds the custom words too: one of those the main dictionary lacked is not its.
    return Knows(word) && !FCustom.contains(word);
}

bool HunspellDictionary::IsExcluded(const QString& word) const
{
    // Hunspell accepts "Colour" and "COLOUR" for "colour": so does an exclusion.
    return !FExcluded.isEmpty()
        && (FExcluded.contains(word)
            || FExcluded.contains(InAllowedCase(word, cmInitialCapsOrUpcase)));
}

QStringList HunspellDictionary::Suggest(const QString& word, bool mainOnly) const
{
    QStringList suggestions;
    const auto encoded = FEncoding->Encode(word);
    if (!encoded)
        return suggestions;
    for (const std::string& suggestion : FHunspell->suggest(*encoded)) {
        const QString decoded = FEncoding->Decode(suggestion);
        if (decoded.isEmpty() || (mainOnly && FCustom.contains(decoded)) || IsExcluded(decoded))
            continue;
        if (!suggestions.contains(decoded))
            suggestions.append(decoded);
    }
    return suggestions;
}

void HunspellDictionary::AddWord(const QString& word)
{
    const auto encoded = FEncoding->Encode(word);
    if (encoded && FHunspell->spell(*encoded))
        return; // the main dictionary's own word stays its own
    FCustom.insert(word);
    if (encoded)
        FHunspell->add(*encoded);
}
