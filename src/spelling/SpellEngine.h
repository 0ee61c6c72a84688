#pragma once

#include "platform/ProgramFolders.h"
#include "spelling/CorrectOrNot.h"
#include "spelling/CustomWordList.h"
#include "spelling/DictionaryFolders.h"
#include "spelling/SpellConfig.h"
#include "spelling/WordParser.h"

#include <QObject>
#include <QSet>
#include <memory>
#include <optional>

class ParserPosition;
class SpellDictionary;

/// The spell checker's configuration, as the editor gives it.
struct SpellCheckerConfig {
    QString ConfigFilename; ///< "Spell.cfg" in the dictionary folder
    QString ConfigID; ///< the writer's user name: one configuration each
    QString ConfigDictionaryDir; ///< the writer's spelling folder, searched first
    QStringList SystemDictionaryDirs; ///< then the system's Hunspell folders
    /// The options the Spelling Options dialog offers.
    SpellOptions ConfigAvailableOptions { soLiveSpelling, soUpcase, soNumbers, soInternet,
        soPrimaryOnly, soRepeated, soDUalCaps };
    SpellOptions ConfigDefaultOptions { soLiveSpelling, soInternet, soAbbreviations, soRepeated,
        soDUalCaps };
    QString ConfigDefaultMain = QStringLiteral("british.adm");
    QString QuoteChars = QStringLiteral(">");
    WordJudgement Judgement;
    /// The custom word list: ConfigID + ".adu" in the dictionary folder.
    QString CustomWordFile() const { return ConfigDictionaryDir + ConfigID + ".adu"; }
    /// The dictionary folders in search order.
    QStringList DictionaryDirs() const
    {
        return QStringList { ConfigDictionaryDir } + SystemDictionaryDirs;
    }
};

/// The writer's user name, as the configuration's section and the custom word list are named: one
/// that would lead out of a folder gives "User".
QString SpellUserName();

/// The spell checking that every editor shares while the program runs: the configuration, the
/// word rules, the dictionary (loaded once, when first needed) with the custom word list, and the
/// words the writer chose to ignore everywhere for the session.
class SpellEngine : public QObject {
    Q_OBJECT
public:
    /// The configuration kept in the program's spelling folder.
    explicit SpellEngine(const ProgramFolders& folders, QObject* parent = nullptr);
    ~SpellEngine() override;

    /// What the editor gives the checker; changed only before the first use.
    SpellCheckerConfig Config;

    const SpellSettings& Settings();
    /// Takes new settings: writes them to the configuration file, rebuilds the word rules, loads
    /// another main dictionary when it changed, and tells every editor. They apply even when
    /// they could not be written (false, with the reason).
    bool ApplySettings(const SpellSettings& settings, QString& error);
    /// Whether misspelled words are underlined as the writer types.
    bool LiveSpelling() { return Settings().Options.Has(soLiveSpelling); }

    /// Whether a dictionary could be loaded; when not, DictionaryProblem says why.
    bool HasDictionary();
    /// Why no dictionary is loaded: empty when none is installed, the reason when the configured
    /// one could not be read.
    QString DictionaryProblem();
    SpellDictionary& Dictionary();
    /// The dictionaries the writer may choose from.
    QList<DictionaryFiles> InstalledDictionaries() const;

    const WordParser& Parser();
    /// Whether the writer's word is right where the position (after the word) stands.
    bool IsCorrect(const QString& word, const ParserPosition& position);
    /// Spellings to offer for a misspelled word.
    QStringList Suggestions(const QString& word);

    /// Takes a word into the custom word list, on disk at once. False with the reason when it
    /// could not be written.
    bool AddWord(const QString& word, QString& error);
    /// Accepts a word everywhere until the program ends.
    void IgnoreAll(const QString& word);

signals:
    /// The settings or the dictionary changed: live checking looks at every word again.
    void Changed();
    /// A word is accepted from now on (added, or ignored everywhere).
    void WordAccepted(const QString& word);

private:
    void LoadDictionary();

    std::optional<SpellSettings> FSettings;
    WordParser FParser;
    bool FDictionaryTried = false;
    QString FDictionaryProblem;
    std::unique_ptr<SpellDictionary> FDictionary;
    CustomWordList FCustomWords;
    QSet<QString> FIgnored;
    ProgramFolders FFolders;
};
