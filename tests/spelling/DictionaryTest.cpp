#include "TempFolder.h"
#include "TestDictionary.h"
#include "spelling/CorrectOrNot.h"
#include "spelling/CustomWordList.h"
#include "spelling/DictionaryFolders.h"
#include "spelling/HunspellDictionary.h"
#include "spelling/ParserPosition.h"
#include "spelling/SpellConfig.h"
#include "spelling/WordParser.h"

#include <QFile>
#include <tuple>
#include <gtest/gtest.h>

namespace {
QStringList Names(const QList<DictionaryFiles>& dictionaries)
{
    QStringList names;
    for (const DictionaryFiles& files : dictionaries)
        names << files.Name;
    return names;
}
} // namespace

TEST(DictionaryFolders, TheProgramsFolderComesBeforeTheSystems)
{
    TempFolder app;
    TempFolder system;
    WriteDictionary(app.Path("Spelling/"), "en_GB", { "own" });
    WriteDictionary(system.Path(), "en_GB", { "system" });
    WriteDictionary(system.Path(), "de_DE", { "Wort" });
    system.Write("hyph_en_GB.dic", "not a spelling dictionary");
    system.Write("fr_FR.aff", "SET UTF-8\n"); // without its word file
    const QStringList folders { app.Path("Spelling/"), system.Path(), app.Path("Missing/") };

    EXPECT_EQ(Names(InstalledDictionaries(folders)), (QStringList { "de_DE", "en_GB" }));
    EXPECT_EQ(InstalledDictionaries(folders).last().AffixFile, app.Path("Spelling/en_GB.aff"));
    const std::pair<QString, QString> lookups[] = {
        { "british.adm", app.Path("Spelling/en_GB.dic") },
        { "BRITISH.ADM", app.Path("Spelling/en_GB.dic") },
        { "de_DE", system.Path("de_DE.dic") },
        { "de_DE.adm", system.Path("de_DE.dic") },
        { "american.adm", {} },
        { "fr_FR", {} },
        { "../en_GB", {} },
        { "", {} },
    };
    for (const auto& [name, wordFile] : lookups) {
        const auto found = FindDictionary(name, folders);
        EXPECT_EQ(found ? found->WordFile : QString(), wordFile) << name.toStdString();
    }
    EXPECT_FALSE(FindDictionary("british.adm", {})) << "an empty search path finds nothing";
}

TEST(DictionaryFolders, TheSystemsBritishDictionaryIsFoundAndReadsUtf8)
{
    const auto files = FindDictionary("british.adm", SystemDictionaryFolders());
    ASSERT_TRUE(files) << "scripts/install-deps.sh installs hunspell-en-gb";
    QString error;
    const auto dictionary = HunspellDictionary::Load(*files, error);
    ASSERT_TRUE(dictionary) << error.toStdString();
    EXPECT_EQ(dictionary->Language(), lcEnglish);
    EXPECT_TRUE(dictionary->Knows("colour"));
    EXPECT_TRUE(dictionary->Knows("fa\u00e7ade"));
    EXPECT_FALSE(dictionary->Knows("recieve"));
    EXPECT_TRUE(dictionary->Suggest("recieve", false).contains("receive"));
}

TEST(DictionaryFolders, LanguagesAreKnownByTheDictionarysName)
{
    EXPECT_EQ(LanguageOf("en_GB"), lcEnglish);
    EXPECT_EQ(LanguageOf("en-US"), lcEnglish);
    EXPECT_EQ(LanguageOf("fr_FR"), lcFrench);
    EXPECT_EQ(LanguageOf("fr"), lcFrench);
    EXPECT_EQ(LanguageOf("de_DE"), lcUnknown);
}

TEST(HunspellDictionary, WordsAreConvertedToTheDictionarysOwnEncoding)
{
    TempFolder folder;
    WriteDictionary(
        folder.Path(), "xx_LATIN", { "caf\u00e9", "na\u00efve", "keeper" }, "ISO8859-1");
    QString error;
    const auto dictionary = HunspellDictionary::Load(
        { "xx_LATIN", folder.Path("xx_LATIN.aff"), folder.Path("xx_LATIN.dic") }, error);
    ASSERT_TRUE(dictionary) << error.toStdString();
    EXPECT_TRUE(dictionary->Knows("caf\u00e9"));
    EXPECT_TRUE(dictionary->Knows("Caf\u00e9"));
    EXPECT_FALSE(dictionary->Knows("cafe"));
    EXPECT_EQ(dictionary->Suggest("cafe", false).value(0), "caf\u00e9");
    EXPECT_FALSE(dictionary->Knows("\u03b1\u03b2\u03b3")) << "a word the encoding cannot hold";

    // A custom word the encoding cannot hold is known all the same, in the allowed case too.
    dictionary->SetCustomWords({ "\u03b1\u03b2\u03b3", "keeper" }, {});
    EXPECT_TRUE(dictionary->MainKnows("keeper"))
        << "a custom word the main dictionary has stays its";
    EXPECT_FALSE(dictionary->MainKnows("\u03b1\u03b2\u03b3"));
    const WordParser parser;
    const QString capital = "\u0391\u03b2\u03b3";
    EXPECT_TRUE(IsCorrectWord(capital, ParserPosition(capital, 3), parser, *dictionary, {}));
    EXPECT_FALSE(IsCorrectWord(
        capital, ParserPosition(capital, 3), parser, *dictionary, { cmNone, true, true }));
}

TEST(HunspellDictionary, AnUnreadableDictionaryIsReported)
{
    TempFolder folder;
    WriteDictionary(folder.Path(), "en_GB", { "keeper" });
    QFile::setPermissions(folder.Path("en_GB.dic"), QFileDevice::WriteOwner);
    QString error;
    if (QFile(folder.Path("en_GB.dic")).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with the right to read every file";
    EXPECT_FALSE(HunspellDictionary::Load(
        { "en_GB", folder.Path("en_GB.aff"), folder.Path("en_GB.dic") }, error));
    EXPECT_TRUE(error.contains("en_GB.dic")) << error.toStdString();
}

TEST(HunspellDictionary, CountsNoFileCouldHoldAreReportedBeforeHunspellTrustsThem)
{
    TempFolder folder;
    const DictionaryFiles files { "en_GB", folder.Path("en_GB.aff"), folder.Path("en_GB.dic") };
    const std::tuple<QByteArray, QByteArray, QString> hostile[] = {
        { "SET UTF-8\nREP 2147483647\nREP a b\n", "1\nkeeper\n", "en_GB.aff" },
        { "SET UTF-8\nSFX S Y 99999999999999999999999\nSFX S 0 s .\n", "1\nkeeper\n",
            "en_GB.aff" },
        { "SET UTF-8\n", "2147483647\nkeeper\n", "en_GB.dic" },
    };
    for (const auto& [affix, words, named] : hostile) {
        folder.Write("en_GB.aff", affix);
        folder.Write("en_GB.dic", words);
        QString error;
        EXPECT_FALSE(HunspellDictionary::Load(files, error)) << affix.toStdString();
        EXPECT_TRUE(error.contains(named)) << error.toStdString();
    }
    folder.Write("en_GB.aff", "SET UTF-8\nREP 1\nREP ie ei\nSFX S Y 1\nSFX S 0 s .\n");
    folder.Write("en_GB.dic", "1\nkeeper/S\n");
    QString error;
    const auto sound = HunspellDictionary::Load(files, error);
    ASSERT_TRUE(sound) << error.toStdString();
    EXPECT_TRUE(sound->Knows("keepers"));
}

TEST(CustomWordList, WordsAreAddedToTheFileAtOnceAndOtherLinesKept)
{
    TempFolder app;
    CustomWordList list(app.Path("Spelling/writer.adu"));
    QString error;
    EXPECT_TRUE(list.Load(error)) << "a missing list is an empty one";
    EXPECT_TRUE(list.Add("Nodex", error)) << error.toStdString();
    EXPECT_EQ(app.Read("Spelling/writer.adu"), "Nodex\n") << "its folder made when missing";

    // Another program's list, in Windows-1252 with CR LF, keeps its bytes.
    const QByteArray theirs = "# my words\r\nNodex\r\n*tide\r\n\r\nk\xf8ler\r\n";
    app.Write("Spelling/writer.adu", theirs);
    ASSERT_TRUE(list.Load(error));
    EXPECT_EQ(list.Words(), (QStringList { "Nodex", "k\u00f8ler" }));
    EXPECT_EQ(list.Excluded(), (QSet<QString> { "tide" }));
    EXPECT_TRUE(list.Add("Ardnamurchan", error));
    EXPECT_TRUE(list.Add("Nodex", error)) << "a word it has is not added twice";
    EXPECT_EQ(app.Read("Spelling/writer.adu"), theirs + "Ardnamurchan\r\n");

    const QByteArray utf16 = QByteArray("\xFF\xFE", 2) + QByteArray("k\0e\0e\0p\0", 8);
    app.Write("Spelling/writer.adu", utf16);
    ASSERT_TRUE(list.Load(error));
    EXPECT_TRUE(list.Add("lamp", error));
    EXPECT_EQ(app.Read("Spelling/writer.adu"),
        utf16 + QByteArray("\n\0l\0a\0m\0p\0\n\0", 12));
    ASSERT_TRUE(list.Load(error));
    EXPECT_EQ(list.Words(), (QStringList { "keep", "lamp" }));
}

TEST(CustomWordList, AListThatCannotBeReadIsNeverWrittenOver)
{
    TempFolder app;
    app.MakeFolder("Spelling/writer.adu"); // something that is no file stands in its place
    CustomWordList list(app.Path("Spelling/writer.adu"));
    QString error;
    EXPECT_FALSE(list.Load(error));
    EXPECT_FALSE(list.Add("Nodex", error));
    EXPECT_TRUE(error.contains("writer.adu")) << error.toStdString();
    EXPECT_TRUE(list.Words().isEmpty());

    // UTF-16 without its mark is no text we can read: it is left as it is, and Add says why.
    const QByteArray unmarked("N\0o\0d\0e\0x\0\n\0", 12);
    app.Write("Spelling/other.adu", unmarked);
    CustomWordList other(app.Path("Spelling/other.adu"));
    EXPECT_FALSE(other.Load(error));
    EXPECT_TRUE(error.contains("other.adu")) << error.toStdString();
    error.clear();
    EXPECT_FALSE(other.Add("Nodex", error));
    EXPECT_TRUE(error.contains("other.adu")) << error.toStdString();
    EXPECT_EQ(app.Read("Spelling/other.adu"), unmarked);

    app.Write("Program", "a file where the Spelling folder would be made");
    CustomWordList nowhere(app.Path("Program/writer.adu"));
    EXPECT_TRUE(nowhere.Load(error));
    EXPECT_FALSE(nowhere.Add("Nodex", error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SpellConfig, EachWriterHasASectionAndOtherLinesStayAsTheyWere)
{
    TempFolder app;
    const SpellSettings defaults { { soInternet, soAbbreviations }, "british.adm" };
    const SpellConfig ada(app.Path("Spelling/Spell.cfg"), "ada", defaults);
    EXPECT_EQ(ada.Read().Options, defaults.Options) << "a missing file gives the defaults";
    EXPECT_EQ(ada.Read().MainDictionary, "british.adm");

    app.Write("Spelling/Spell.cfg",
        "; kept\r\n[bob]\r\nOptions=soUpcase, "
        "soNoSuchOption\r\nMainDictionary=en_US\r\nOther=1\r\n");
    const SpellConfig bob(app.Path("Spelling/Spell.cfg"), "bob", defaults);
    EXPECT_EQ(bob.Read().Options, (SpellOptions { soUpcase }));
    EXPECT_EQ(bob.Read().MainDictionary, "en_US");

    QString error;
    ASSERT_TRUE(ada.Write({ { soLiveSpelling, soDUalCaps }, "de_DE" }, error))
        << error.toStdString();
    EXPECT_EQ(app.Read("Spelling/Spell.cfg"),
        "; kept\r\n[bob]\r\nOptions=soUpcase, soNoSuchOption\r\nMainDictionary=en_US\r\nOther=1\r\n"
        "\r\n[ada]\r\nOptions=soLiveSpelling,soDUalCaps\r\nMainDictionary=de_DE\r\n");
    EXPECT_EQ(ada.Read().Options, (SpellOptions { soLiveSpelling, soDUalCaps }));
    ASSERT_TRUE(ada.Write({ {}, "de_DE" }, error));
    EXPECT_EQ(ada.Read().Options, SpellOptions()) << "no option at all is kept as such";

    // UTF-16 without its mark is no text we can read: the defaults, and a write leaves it.
    const QByteArray unmarked("[\0a\0d\0a\0]\0\n\0", 12);
    app.Write("Spelling/Spell.cfg", unmarked);
    EXPECT_EQ(ada.Read().MainDictionary, "british.adm");
    EXPECT_FALSE(ada.Write({ {}, "de_DE" }, error));
    EXPECT_TRUE(error.contains("Spell.cfg")) << error.toStdString();
    EXPECT_EQ(app.Read("Spelling/Spell.cfg"), unmarked);
}
