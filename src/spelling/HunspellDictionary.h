#pragma once

#include "spelling/DictionaryFolders.h"
#include "spelling/SpellDictionary.h"

#include <QSet>
#include <memory>

class Hunspell;
class DictionaryEncoding;

/// A Hunspell dictionary with the writer's custom words and exclusions beside it. Words go to
/// Hunspell in the dictionary's own encoding.
class HunspellDictionary : public SpellDictionary {
public:
    /// Loads the dictionary; none, with the reason, when its files cannot be read or its encoding
    /// is one the system cannot convert.
    static std::unique_ptr<HunspellDictionary> Load(const DictionaryFiles& files, QString& error);
    ~HunspellDictionary() override;

    const QString& Name() const { return FName; }
    /// Takes the custom word list's words and exclusions.
    void SetCustomWords(const QStringList& words, const QSet<QString>& excluded);

    bool Available() const override { return true; }
    bool Knows(const QString& word) const override;
    bool MainKnows(const QString& word) const override;
    bool IsExcluded(const QString& word) const override;
    TLanguageCode Language() const override { return FLanguage; }
    QStringList Suggest(const QString& word, bool mainOnly) const override;
    void AddWord(const QString& word) override;

private:
    HunspellDictionary(const DictionaryFiles& files, std::unique_ptr<Hunspell> hunspell,
        std::unique_ptr<DictionaryEncoding> encoding);

    QString FName;
    TLanguageCode FLanguage = lcUnknown;
    std::unique_ptr<Hunspell> FHunspell;
    std::unique_ptr<DictionaryEncoding> FEncoding;
    QSet<QString> FCustom; ///< the custom words the main dictionary does not hold
    QSet<QString> FExcluded;
};
