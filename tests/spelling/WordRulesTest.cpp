#include "TempFolder.h"
#include "TestDictionary.h"
#include "spelling/AbbreviationsIgnore.h"
#include "spelling/CorrectOrNot.h"
#include "spelling/HTMLIgnore.h"
#include "spelling/HunspellDictionary.h"
#include "spelling/NumbersIgnore.h"
#include "spelling/ParserPosition.h"
#include "spelling/QuotedLineIgnore.h"
#include "spelling/SpellCharacters.h"
#include "spelling/URLIgnore.h"
#include "spelling/UppercaseWordIgnore.h"
#include "spelling/WordParser.h"

#include <gtest/gtest.h>
#include <typeinfo>

namespace {
const SpellOptions NoRules;
const SpellOptions AllRules { soUpcase, soNumbers, soHTML, soInternet, soQuoted, soAbbreviations };

QString Show(const QStringList& words)
{
    return words.join(u'|');
}

/// The words the parser cuts from the text, with the options' rules.
QString Words(const QString& text, const SpellOptions& options = NoRules,
    bool splitApostrophes = false, qsizetype endLimit = -1)
{
    WordParser parser;
    parser.SetOptions(options);
    parser.SetApostropheSplitting(splitApostrophes);
    ParserPosition position(text, 0, endLimit);
    QStringList words;
    while (const auto word = parser.NextWord(position)) {
        EXPECT_EQ(text.mid(word->Start, word->Text.size()), word->Text)
            << "the word stands where it says";
        words << word->Text;
    }
    return Show(words);
}

/// An English test dictionary ("en_GB"), with "tide" excluded; or one of an unknown language.
HunspellDictionary& Dictionary(bool english = true)
{
    static TempFolder folder;
    const auto load = [](const QString& name) {
        WriteDictionary(folder.Path(), name, EnglishTestWords());
        QString error;
        auto dictionary = HunspellDictionary::Load(
            { name, folder.Path(name + ".aff"), folder.Path(name + ".dic") }, error);
        EXPECT_TRUE(dictionary) << error.toStdString();
        dictionary->SetCustomWords({ "Nodex" }, { "tide" });
        return dictionary;
    };
    static const auto en = load("en_GB");
    static const auto other = load("xx_XX");
    return english ? *en : *other;
}

/// The words of the text that would be reported.
QString Reported(const QString& text, const SpellOptions& options = NoRules, bool english = true)
{
    WordParser parser;
    parser.SetOptions(options);
    ParserPosition position(text);
    QStringList reported;
    while (const auto word = parser.NextWord(position)) {
        if (!IsCorrectWord(word->Text, position, parser, Dictionary(english), {}))
            reported << word->Text;
    }
    return Show(reported);
}
} // namespace

TEST(SpellCharacters, WordCharactersFollowTheWindows1252TableAndUnicodeBeyondIt)
{
    struct Case {
        char32_t Character;
        bool Word;
        bool Continues;
    };
    const Case cases[] = {
        { 'a', true, true },
        { 'Z', true, true },
        { '7', true, true },
        { '&', true, false }, // begins an entity, never continues a word
        { '\'', true, true },
        { 0x2019, true, true }, // the apostrophes (0x92)
        { 0xE9, true, true },
        { 0xD7, true, true },
        { 0xF7, true, true }, // every code from 0xC0
        { 0x160, true, true },
        { 0x152, true, true },
        { 0x178, true, true }, // 0x8A, 0x8C, 0x9F
        { 0xA1, true, true },
        { 0xA3, true, true },
        { 0xBF, true, true },
        { 0xB9, true, true },
        { 0x20AC, false, false },
        { 0x2013, false, false },
        { 0x201C, false, false }, // 0x80 0x96 0x93
        { 0x2018, false, false }, // the left single quotation mark (0x91)
        { 0xAA, false, false },
        { 0xB5, false, false }, // letters, but not in the table
        { 0xA0, false, false },
        { '-', false, false },
        { '.', false, false },
        { '"', false, false },
        { 0x3B1, true, true }, // beyond Windows-1252: a letter
        { 0x301, true, true }, // and a combining mark
        { 0x663, false, false }, // but not an Arabic-Indic digit
        { 0x1D400, true, true }, // a letter beyond the 16-bit range
        { 0x1F600, false, false },
        { 0x8D, false, false },
        { 0, false, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWordCharacter(c.Character), c.Word) << std::hex << uint32_t(c.Character);
        EXPECT_EQ(ContinuesWord(c.Character, false), c.Continues)
            << std::hex << uint32_t(c.Character);
    }
    EXPECT_FALSE(ContinuesWord('\'', true)) << "the apostrophe splits words in French";
    EXPECT_FALSE(ContinuesWord(0x2019, true));
    EXPECT_EQ(Windows1252Code(0x20AC), 0x80);
    EXPECT_EQ(Windows1252Code(0x178), 0x9F);
    EXPECT_EQ(Windows1252Code(0xFF), 0xFF);
    EXPECT_EQ(Windows1252Code(0x100), -1);
    EXPECT_EQ(Windows1252Code(0x8D), -1) << "C1 controls are not characters of the code page";
}

TEST(WordParser, CutsTextIntoWordsByThePeriodAndApostropheRules)
{
    const std::pair<QString, QString> cases[] = {
        { "The keeper's lamp.", "The|keeper's|lamp" },
        { "don't stop", "don't|stop" },
        { "'twas said", "twas|said" }, // a word starts after a leading apostrophe
        { "'quoted' word", "quoted|word" }, // and loses the closing mark
        { "\"Hi,\" she said.", "Hi|she|said" },
        { "\u2018Yes,\u2019 he said \u2018no\u2019.", "Yes|he|said|no" },
        { "keepers' lamps", "keepers|lamps" },
        { "e.g. this", "e.g.|this" }, // a period followed by a letter goes on
        { "U.S.A. and", "U.S.A.|and" }, // a dotted word keeps its last period
        { "e.g.. more", "e.g..|more" },
        { "the end. Next", "the|end|Next" },
        { "end...", "end" },
        { "3.14 and 1,000", "3.14|and|1|000" },
        { "R&D &amp;", "R|&D|&amp" }, // "&" starts a word but never continues one
        { "well-known", "well|known" },
        { "caf\u00e9 na\u00efve \u03b1\u03b2\u03b3", "caf\u00e9|na\u00efve|\u03b1\u03b2\u03b3" },
        { "\U0001D400\U0001D401 x", "\U0001D400\U0001D401|x" },
        { "a\tb\r\nc", "a|b|c" },
        { "10\u00a0km", "10|km" },
        { "... -- !", "" },
        { "", "" },
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(Words(text), words) << text.toStdString();
}

TEST(WordParser, FrenchSplitsWordsAtApostrophesExceptInAujourdhuiAndEntr)
{
    const std::tuple<QString, bool, QString> cases[] = {
        { "l'eau", true, "l|eau" },
        { "qu\u2019il", true, "qu|il" },
        { "aujourd'hui", true, "aujourd'hui" },
        { "Entr'acte", true, "Entr'acte" },
        { "l'eau", false, "l'eau" },
    };
    for (const auto& [text, split, words] : cases)
        EXPECT_EQ(Words(text, NoRules, split), words) << text.toStdString();
}

TEST(WordParser, AWordRunningPastTheEndLimitIsDropped)
{
    EXPECT_EQ(Words("one two three", NoRules, false, 6), "one");
    EXPECT_EQ(Words("one two three", NoRules, false, 7), "one|two");
}

TEST(WordParser, RuleListsAreRebuiltInTheirOrder)
{
    WordParser parser;
    parser.SetOptions(AllRules);
    parser.SetOptions(AllRules); // rebuilt, not added to
    const auto types = [](const std::vector<TParserIgnoreBase*>& rules) {
        std::vector<size_t> hashes;
        for (const TParserIgnoreBase* rule : rules)
            hashes.push_back(typeid(*rule).hash_code());
        return hashes;
    };
    const std::vector<size_t> word { typeid(TURLIgnore).hash_code(),
        typeid(TUppercaseWordIgnore).hash_code(), typeid(TNumbersIgnore).hash_code(),
        typeid(THTMLIgnore).hash_code(), typeid(TQuotedLineIgnore).hash_code(),
        typeid(TAbbreviationsIgnore).hash_code() };
    EXPECT_EQ(types(parser.WordRules()), word);
    EXPECT_EQ(types(parser.CharacterRules()), (std::vector<size_t> { word[0], word[3] }));
    EXPECT_EQ(types(parser.LineRules()), (std::vector<size_t> { word[4] }));

    parser.SetOptions({ soAbbreviations, soUpcase });
    EXPECT_EQ(types(parser.WordRules()), (std::vector<size_t> { word[1], word[5] }));
    EXPECT_TRUE(parser.CharacterRules().empty());
    parser.SetOptions(NoRules);
    EXPECT_TRUE(parser.WordRules().empty());
}

TEST(WordParser, MarkUpIsSkippedWithItsOption)
{
    const SpellOptions html { soHTML };
    const std::pair<QString, QString> cases[] = {
        { "<p class=\"intrro\">Hello</p> world", "Hello|world" },
        { "a <!-- nott -- stil > <b> --> b", "a|b" },
        { "a <!----> b", "a|b" },
        { "x <% ccode %> y <?phpp ?> z", "x|y|z" },
        { "x <%= a > b %> y", "x|y" }, // a script runs to "%>"
        { "a <b>bold</b>", "a|bold" },
        { "a <>b", "a|b" },
        { "a <unclosed tag", "a" },
        { "a <", "a" },
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(Words(text, html), words) << text.toStdString();
    EXPECT_EQ(Words("<b>bold</b>"), "b|bold|b") << "without the option tags are words";
    EXPECT_EQ(Reported("fish &amp; &nbsp;", html), "");
    EXPECT_EQ(Reported("fish &amp;"), "&amp");
}

TEST(WordParser, InternetAddressesAreSkippedWithTheirOption)
{
    const SpellOptions internet { soInternet };
    const std::pair<QString, QString> cases[] = {
        { "see http://exampel.com/page?x=1 now", "see|now" },
        { "see HTTPS://exampel.com now", "see|now" },
        { "go ftp:files, mailto:jo@x.org and news:group", "go|and" },
        { "mail john.smithh@exampel.org today", "mail|today" }, // from the word before "@" on
        { "visit www.exampel.com/path here", "visit|here" },
        { "(http://a.b) see", "see" }, // up to the bracket
        { "see http://a.b\"now\"", "see|now" },
        { "note: this", "note|this" }, // not a scheme
        { "go wwwx.com/now", "go|wwwx.com|now" },
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(Words(text, internet), words) << text.toStdString();
    EXPECT_EQ(Words("see http://exampel.com now"), "see|http|exampel.com|now");
    EXPECT_EQ(Reported("go www.exampel.com.", internet), "") << "a word begun with www. is ignored";
    EXPECT_EQ(Reported("go www.exampel.com."), "www.exampel.com.");
}

TEST(CorrectOrNot, TheFirstTestThatAppliesDecides)
{
    struct Case {
        QString Word;
        SpellOptions Options;
        bool Correct;
    };
    const Case cases[] = {
        { "lamp", NoRules, true }, // 1: the dictionary knows it
        { "Nodex", NoRules, true }, // or the custom word list
        { "tide", NoRules, false }, // unless it is excluded
        { "Tide", NoRules, false },
        { "TIDE", { soUpcase }, false }, // and no rule after that saves it
        { "Lamp", NoRules, true }, // 2: in the allowed case
        { "LAMP", NoRules, true }, { "lAMP", NoRules, false }, { "CAF\u00c9", NoRules, true },
        { "Caf\u00e9", NoRules, true }, { "paris", NoRules, false },
        { "keeper's", NoRules, true }, // 3: an English possessive
        { "keeper\u2019s", NoRules, true }, { "KEEPER'S", NoRules, true },
        { "keeper'd", NoRules, false }, { "kepeer's", NoRules, false },
        { "1990", NoRules, true }, // 4: a number
        { "3.14", NoRules, true }, { "q", NoRules, true }, // 5: one character
        { "\u00e9", NoRules, true }, { "\U0001D400", NoRules, true }, { "qq", NoRules, false },
        { "NASA", NoRules, false }, // 6: an ignore rule
        { "NASA", { soUpcase }, true }, { "N.A.S.A.", { soUpcase }, true },
        { "MP3", NoRules, false }, { "MP3", { soNumbers }, true }, { "e.g.", NoRules, false },
        { "e.g.", { soAbbreviations }, true }, { "U.S.A.", { soAbbreviations }, true },
        { "A.", { soAbbreviations }, true }, { "etc.", { soAbbreviations }, false },
        { "Mr.", { soAbbreviations }, false }, { "www.ab", { soInternet }, true },
        { "&amp", { soHTML }, true }, { "wrod", AllRules, false }, // 7: reported
    };
    for (const Case& c : cases) {
        WordParser parser;
        parser.SetOptions(c.Options);
        const ParserPosition position(c.Word, c.Word.size());
        EXPECT_EQ(IsCorrectWord(c.Word, position, parser, Dictionary(), {}), c.Correct)
            << c.Word.toStdString();
    }
    const WordParser parser;
    const ParserPosition position(QStringView(u"keeper's"), 8);
    EXPECT_FALSE(IsCorrectWord("keeper's", position, parser, Dictionary(false), {}))
        << "possessives are English";
    EXPECT_FALSE(IsCorrectWord(
        "keeper's", position, parser, Dictionary(), { cmInitialCapsOrUpcase, true, false }));
    EXPECT_TRUE(IsCorrectWord(
        "tide", position, parser, Dictionary(), { cmInitialCapsOrUpcase, false, true }))
        << "exclusions apply only while they are in use";
}

TEST(CorrectOrNot, WordsAreBroughtToTheAllowedCase)
{
    const std::tuple<QString, TAllowedCases, QString> cases[] = {
        { "Keeper", cmInitialCapsOrUpcase, "keeper" },
        { "KEEPER", cmInitialCapsOrUpcase, "keeper" },
        { "KEEPer", cmInitialCapsOrUpcase, "kEEPer" },
        { "\u00c9t\u00e9", cmInitialCapsOrUpcase, "\u00e9t\u00e9" },
        { "KEEPER", cmInitialCaps, "kEEPER" },
        { "KeEPER", cmAnyCase, "keeper" },
        { "KEEPER", cmNone, "KEEPER" },
    };
    for (const auto& [word, cases_, cased] : cases)
        EXPECT_EQ(InAllowedCase(word, cases_), cased) << word.toStdString();
}

TEST(CorrectOrNot, QuotedLinesAreNeverReportedWithTheirOption)
{
    const SpellOptions quoted { soQuoted };
    EXPECT_EQ(Reported("> wrod in a reply\nwrod", quoted), "wrod");
    EXPECT_EQ(Reported("> wrod\n>wrod\n wrod > wrod", quoted), "wrod|wrod");
    EXPECT_EQ(Reported("> wrod"), "wrod");
    // A piece of a long line reads as part of that line.
    WordParser parser;
    parser.SetOptions(quoted);
    ParserPosition position(QStringView(u"wrod"), 4);
    position.SetLineLeadIn("> the start of the line ");
    EXPECT_TRUE(IsCorrectWord("wrod", position, parser, Dictionary(), {}));
    EXPECT_EQ(position.CurrentLine(), u"> the start of the line wrod");
}

TEST(CorrectOrNot, ReportsWhatTheRulesAndDictionaryLeave)
{
    const SpellOptions defaults { soInternet, soAbbreviations };
    EXPECT_EQ(Reported("The keeper's lamp, e.g. the colour of the tide, lit 3 rocks at "
                       "http://lamp.exampel.com; see q.",
                  defaults),
        "tide");
    EXPECT_EQ(Reported("The NASA storm of 1990s with MP3 U.S.A.", defaults), "NASA|1990s|MP3");
    // A word the dictionary spells only with its period is looked up again with it, in the
    // allowed case too; the period itself is no word.
    EXPECT_EQ(Reported("Prof. Keeper said: see cf. the lamp. Cf. the storm, \"Prof.\" cf, Prof"),
        "cf|Prof");
}
