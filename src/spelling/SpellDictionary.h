#pragma once

#include <QString>
#include <QStringList>

/// Windows' primary language codes, by which the word rules know a dictionary's language.
enum TLanguageCode { lcUnknown = 0, lcEnglish = 9, lcFrench = 12 };

/// What the word rules ask of the dictionaries: the main dictionary and the writer's custom word
/// list together, with the words the writer excluded.
class SpellDictionary {
public:
    virtual ~SpellDictionary() = default;

    /// False for the stand-in used when no dictionary is installed, which knows no word.
    virtual bool Available() const = 0;
    /// Whether the main dictionary or the custom word list holds the word.
    virtual bool Knows(const QString& word) const = 0;
    /// Whether the main dictionary holds the word.
    virtual bool MainKnows(const QString& word) const = 0;
    /// Whether the writer listed the word as one never to accept.
    virtual bool IsExcluded(const QString& word) const = 0;
    /// The main dictionary's language.
    virtual TLanguageCode Language() const = 0;
    /// Spellings near the word, best first; with `mainOnly`, none from the custom word list.
    virtual QStringList Suggest(const QString& word, bool mainOnly) const = 0;
    /// Takes a word into the custom word list for as long as the dictionary lives.
    virtual void AddWord(const QString& word) = 0;
};

/// The dictionary when none is installed: it knows nothing and suggests nothing.
class NullDictionary : public SpellDictionary {
public:
    bool Available() const override { return false; }
    bool Knows(const QString&) const override { return false; }
    bool MainKnows(const QString&) const override { return false; }
    bool IsExcluded(const QString&) const override { return false; }
    TLanguageCode Language() const override { return lcUnknown; }
    QStringList Suggest(const QString&, bool) const override { return {}; }
    void AddWord(const QString&) override { }
};
