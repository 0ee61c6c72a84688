#include "spelling/DictionaryFolders.h"

#include "platform/AsciiCase.h"
#include "platform/ConfinedName.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
bool IsRegularFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

std::optional<DictionaryFiles> InFolder(const QString& folder, const QString& name)
{
    const DictionaryFiles files { name, folder + name + ".aff", folder + name + ".dic" };
    if (IsRegularFile(files.AffixFile) && IsRegularFile(files.WordFile))
        return files;
    return std::nullopt;
}
} // namespace

QStringList SystemDictionaryFolders()
{
    return { "/usr/share/hunspell/", "/usr/local/share/hunspell/", "/usr/share/myspell/",
        "/usr/share/myspell/dicts/" };
}

QList<DictionaryFiles> InstalledDictionaries(const QStringList& folders)
{
    QList<DictionaryFiles> found;
    for (const QString& folder : folders) {
        const QStringList affixes
            = QDir(folder).entryList({ "*.aff" }, QDir::Files | QDir::Readable);
        for (const QString& affix : affixes) {
            const QString name = QFileInfo(affix).completeBaseName();
            const bool known = std::any_of(found.cbegin(), found.cend(),
                [&](const DictionaryFiles& files) { return files.Name == name; });
            if (!known) {
                if (const auto files = InFolder(folder, name))
                    found.append(*files);
            }
        }
    }
    std::sort(found.begin(), found.end(),
        [](const DictionaryFiles& a, const DictionaryFiles& b) { return a.Name < b.Name; });
    return found;
}

QString HunspellName(const QString& configuredName)
{
    const QString folded = FoldedAsciiCase(configuredName);
    if (folded == u"british.adm")
        return QStringLiteral("en_GB");
    if (folded == u"american.adm")
        return QStringLiteral("en_US");
    return folded.endsWith(u".adm") ? configuredName.chopped(4) : configuredName;
}

std::optional<DictionaryFiles> FindDictionary(
    const QString& configuredName, const QStringList& folders)
{
    const QString name = HunspellName(configuredName);
    if (name.isEmpty() || !StaysInFolder(name))
        return std::nullopt;
    for (const QString& folder : folders) {
        if (const auto files = InFolder(folder, name))
            return files;
    }
    return std::nullopt;
}

TLanguageCode LanguageOf(const QString& hunspellName)
{
    const QString language = FoldedAsciiCase(hunspellName.section(u'_', 0, 0).section(u'-', 0, 0));
    if (language == u"en")
        return lcEnglish;
    if (language == u"fr")
        return lcFrench;
    return lcUnknown;
}
