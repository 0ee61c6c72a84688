#include "spelling/SpellEngine.h"

#include "platform/ConfinedName.h"
#include "spelling/HunspellDictionary.h"
#include "spelling/ParserPosition.h"
#include "spelling/SpellDictionary.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSpelling, "nodex.spelling")

QString SpellUserName()
{
    for (const char* variable : { "USER", "LOGNAME", "USERNAME" }) {
        const QString name = qEnvironmentVariable(variable).trimmed();
        if (!name.isEmpty())
            return StaysInFolder(name) ? name : QStringLiteral("User");
    }
    return QStringLiteral("User");
}

TSpellEngine::TSpellEngine(const QString& appFolder, QObject* parent)
    : QObject(parent)
    , FDictionary(std::make_unique<TNullDictionary>())
{
    Config.ConfigDictionaryDir = appFolder + "Spelling/";
    Config.ConfigFilename = Config.ConfigDictionaryDir + "Spell.cfg";
    Config.ConfigID = SpellUserName();
    Config.SystemDictionaryDirs = SystemDictionaryFolders();
}

TSpellEngine::~TSpellEngine() = default;

const TSpellSettings& TSpellEngine::Settings()
{
    if (!FSettings) {
        const TSpellConfig config(Config.ConfigFilename, Config.ConfigID,
            { Config.ConfigDefaultOptions, Config.ConfigDefaultMain });
        FSettings = config.Read();
        FParser.SetOptions(FSettings->Options, Config.QuoteChars);
    }
    return *FSettings;
}

bool TSpellEngine::ApplySettings(const TSpellSettings& settings, QString& error)
{
    const bool otherDictionary = Settings().MainDictionary != settings.MainDictionary;
    FSettings = settings;
    FParser.SetOptions(settings.Options, Config.QuoteChars);
    if (otherDictionary && FDictionaryTried) {
        FDictionaryTried = false;
        FDictionary = std::make_unique<TNullDictionary>();
    }
    const TSpellConfig config(Config.ConfigFilename, Config.ConfigID,
        { Config.ConfigDefaultOptions, Config.ConfigDefaultMain });
    const bool written = config.Write(settings, error);
    emit Changed();
    return written;
}

void TSpellEngine::LoadDictionary()
{
    if (FDictionaryTried)
        return;
    FDictionaryTried = true;
    FDictionaryProblem.clear();
    FParser.SetApostropheSplitting(false);
    QString error;
    FCustomWords = TCustomWordList(Config.CustomWordFile());
    if (!FCustomWords.Load(error))
        qCWarning(lcSpelling).noquote() << "The custom word list is not read:" << error;
    const auto files = FindDictionary(Settings().MainDictionary, Config.DictionaryDirs());
    if (!files)
        return;
    auto dictionary = THunspellDictionary::Load(*files, error);
    if (!dictionary) {
        FDictionaryProblem = error;
        return;
    }
    dictionary->SetCustomWords(FCustomWords.Words(), FCustomWords.Excluded());
    FParser.SetApostropheSplitting(dictionary->Language() == lcFrench);
    FDictionary = std::move(dictionary);
}

bool TSpellEngine::HasDictionary()
{
    LoadDictionary();
    return FDictionary->Available();
}

QString TSpellEngine::DictionaryProblem()
{
    LoadDictionary();
    return FDictionaryProblem;
}

TSpellDictionary& TSpellEngine::Dictionary()
{
    LoadDictionary();
    return *FDictionary;
}

QList<TDictionaryFiles> TSpellEngine::InstalledDictionaries() const
{
    return ::InstalledDictionaries(Config.DictionaryDirs());
}

const TWordParser& TSpellEngine::Parser()
{
    Settings();
    return FParser;
}

bool TSpellEngine::IsCorrect(const QString& word, const TParserPosition& position)
{
    if (!FIgnored.isEmpty() && FIgnored.contains(word))
        return true;
    return IsCorrectWord(word, position, Parser(), Dictionary(), Config.Judgement);
}

QStringList TSpellEngine::Suggestions(const QString& word)
{
    return Dictionary().Suggest(word, Settings().Options.Has(soPrimaryOnly));
}

bool TSpellEngine::AddWord(const QString& word, QString& error)
{
    LoadDictionary();
    if (!FCustomWords.Add(word, error))
        return false;
    FDictionary->AddWord(word);
    emit WordAccepted(word);
    return true;
}

void TSpellEngine::IgnoreAll(const QString& word)
{
    FIgnored.insert(word);
    emit WordAccepted(word);
}
