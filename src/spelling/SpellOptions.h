#pragma once

#include <QList>
#include <QString>
#include <bitset>

/// The spell checker's options, in the order the configuration stores them.
enum TSpellOption {
    soLiveSpelling, ///< misspelled words are underlined as the writer types
    soLiveCorrect, ///< not used: nothing is corrected while typing
    soUpcase, ///< words in capitals are never reported
    soNumbers, ///< words holding a digit are never reported
    soHTML, ///< mark-up (tags, entities, comments) is skipped
    soInternet, ///< web and e-mail addresses are skipped
    soQuoted, ///< lines that begin with a quote character are never reported
    soAbbreviations, ///< abbreviations such as "e.g." are never reported
    soPrimaryOnly, ///< suggestions come from the main dictionary only
    soRepeated, ///< a word that repeats the word before it is put to the writer
    soDUalCaps, ///< a word begun with two capitals is corrected
    soUser1,
    soUser2,
    soUser3,
    soUser4,
};

/// A set of spelling options.
class SpellOptions {
public:
    static constexpr int Count = soUser4 + 1;

    SpellOptions() = default;
    SpellOptions(std::initializer_list<TSpellOption> options);

    bool Has(TSpellOption option) const { return FBits.test(option); }
    void Set(TSpellOption option, bool on) { FBits.set(option, on); }
    bool operator==(const SpellOptions&) const = default;

    /// The options by name, separated by commas ("soInternet,soRepeated"), as the configuration
    /// file keeps them.
    QString Names() const;
    /// The options named in a configuration value; unknown names are passed over.
    static SpellOptions FromNames(const QString& names);

private:
    std::bitset<Count> FBits;
};

/// The option's name as the design writes it, e.g. "soUpcase".
QString SpellOptionName(TSpellOption option);
