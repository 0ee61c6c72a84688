#include "spelling/SpellEngine.h"

#include "platform/ConfinedName.h"
#include "spelling/HunspellDictionary.h"
#include "spelling/ParserPosition.h"
#include "spelling/SpellDictionary.h"

#include <QFileInfo>
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

SpellEngine::SpellEngine(const ProgramFolders& folders, QObject* parent)
    : QObject(parent)
    , FDictionary(std::make_unique<NullDictionary>())
    , FFolders(folders)
{
    Config.ConfigDictionaryDir = folders.Spelling;
    Config.ConfigFilename = Config.ConfigDictionaryDir + "Spell.cfg";
    Config.ConfigID = SpellUserName();
    Config.SystemDictionaryDirs = SystemDictionaryFolders();
}

SpellEngine::~SpellEngine() = default;

const SpellSettings& SpellEngine::Settings()
{
    if (!FSettings) {
        const SpellConfig config(Config.ConfigFilename, Config.ConfigID,
            { Config.ConfigDefaultOptions, Config.ConfigDefaultMain });
        FSettings = config.Read();
        FParser.SetOptions(FSettings->Options, Config.QuoteChars);
    }
    return *FSettings;
}

bool SpellEngine::ApplySettings(const SpellSettings& settings, QString& error)
{
    const bool otherDictionary = Settings().MainDictionary != settings.MainDictionary;
    FSettings = settings;
    FParser.SetOptions(settings.Options, Config.QuoteChars);
    if (otherDictionary && FDictionaryTried) {
        FDictionaryTried = false;
        FDictionary = std::make_unique<NullDictionary>();
    }
    const SpellConfig config(Config.ConfigFilename, Config.ConfigID,
        { Config.ConfigDefaultOptions, Config.ConfigDefaultMain });
    FFolders.Prepare(QFileInfo(Config.ConfigFilename).path());
    const bool written = config.Write(settings, error);
    emit Changed();
    return written;
}

void SpellEngine::LoadDictionary()
{
    if (FDictionaryTried)
        return;
    FDictionaryTried = true;
    FDictionaryProblem.clear();
    FParser.SetApostropheSplitting(false);
    QString error;
    FCustomWords = CustomWordList(Config.CustomWordFile());
    if (!FCustomWords.Load(error))
        qCWarning(lcSpelling).noquote() << "The custom word list is not read:" << error;
    const auto files = FindDictionary(Settings().MainDictionary, Config.DictionaryDirs());
    if (!files)
        return;
    auto dictionary = HunspellDictionary::Load(*files, error);
    if (!dictionary) {
        FDictionaryProblem = error;
        return;
    }
    dictionary->SetCustomWords(FCustomWords.Words(), FCustomWords.Excluded());
    FParser.SetApostropheSplitting(dictionary->Language() == lcFrench);
    FDictionary = std::move(dictionary);
}

bool SpellEngine::HasDictionary()
{
    LoadDictionary();
    return FDictionary->Available();
}

QString SpellEngine::DictionaryProblem()
{
    LoadDictionary();
    return FDictionaryProblem;
}

SpellDictionary& SpellEngine::Dictionary()
{
    LoadDictionary();
    return *FDictionary;
}

QList<DictionaryFiles> SpellEngine::InstalledDictionaries() const
{
    return ::InstalledDictionaries(Config.DictionaryDirs());
}

const WordParser& SpellEngine::Parser()
{
    Settings();
    return FParser;
}

bool SpellEngine::IsCorrect(const QString& word, const ParserPosition& position)
{
    if (!FIgnored.isEmpty() && FIgnored.contains(word))
        return true;
    return IsCorrectWord(word, position, Parser(), Dictionary(), Config.Judgement);
}

QStringList SpellEngine::Suggestions(const QString& word)
{
    return Dictionary().Suggest(word, Settings().Options.Has(soPrimaryOnly));
}

bool SpellEngine::AddWord(const QString& word, QString& error)
{
    LoadDictionary();
    FFolders.Prepare(QFileInfo(Config.CustomWordFile()).path());
    if (!FCustomWords.Add(word, error))
        return false;
    FDictionary->AddWord(word);
    emit WordAccepted(word);
    return true;
}

void SpellEngine::IgnoreAll(const QString& word)
{
    FIgnored.insert(word);
    emit WordAccepted(word);
}
