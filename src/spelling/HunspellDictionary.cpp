#include "spelling/HunspellDictionary.h"

#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"
#include "platform/TextFile.h"
#include "spelling/CorrectOrNot.h"
#include "spelling/DictionaryEncoding.h"

#include <QFile>
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
} // namespace

std::unique_ptr<HunspellDictionary> HunspellDictionary::Load(
    const DictionaryFiles& files, QString& error)
{
    if (!Readable(files.AffixFile, error) || !Readable(files.WordFile, error))
        return nullptr;
    auto hunspell = std::make_unique<Hunspell>(
        NativePath(files.AffixFile).constData(), NativePath(files.WordFile).constData());
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
