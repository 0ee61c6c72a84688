#pragma once

#include "spelling/SpellDictionary.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

/// A Hunspell dictionary on disk: its name ("en_GB") and its two files.
struct DictionaryFiles {
    QString Name;
    QString AffixFile; ///< name + ".aff"
    QString WordFile; ///< name + ".dic"
};

/// The folders where the system's packages put Hunspell dictionaries, in search order, each
/// with a trailing "/".
QStringList SystemDictionaryFolders();

/// The dictionaries in the folders (each with both its files), each name once, from the first
/// folder that has it, in order of name.
QList<DictionaryFiles> InstalledDictionaries(const QStringList& folders);

/// The Hunspell name of a dictionary as the configuration names it: "british.adm" is the British
/// English dictionary "en_GB", "american.adm" the American "en_US"; any other name is a Hunspell
/// name, with or without ".adm".
QString HunspellName(const QString& configuredName);

/// The dictionary the configuration names, from the first folder that has it; none when no
/// folder has it or the name would lead out of its folder.
std::optional<DictionaryFiles> FindDictionary(
    const QString& configuredName, const QStringList& folders);

/// The language of a dictionary by its name ("en_GB" is English, "fr_FR" French).
TLanguageCode LanguageOf(const QString& hunspellName);
