#include "spelling/SpellConfig.h"

#include "platform/IniFile.h"
#include "platform/NativeName.h"

#include <QFileInfo>

namespace {
const QString OptionsKey = QStringLiteral("Options");
const QString MainDictionaryKey = QStringLiteral("MainDictionary");
} // namespace

SpellConfig::SpellConfig(QString path, QString id, SpellSettings defaults)
    : FPath(std::move(path))
    , FId(std::move(id))
    , FDefaults(std::move(defaults))
{
}

SpellSettings SpellConfig::Read() const
{
    IniFile file(FPath);
    QString error;
    if (!file.Load(error, IniFile::MaxSettingsBytes))
        return FDefaults;
    SpellSettings settings = FDefaults;
    if (file.HasKey(FId, OptionsKey))
        settings.Options = SpellOptions::FromNames(file.ReadString(FId, OptionsKey, {}));
    settings.MainDictionary = file.ReadString(FId, MainDictionaryKey, FDefaults.MainDictionary);
    if (settings.MainDictionary.isEmpty())
        settings.MainDictionary = FDefaults.MainDictionary;
    return settings;
}

bool SpellConfig::Write(const SpellSettings& settings, QString& error) const
{
    const QString folder = QFileInfo(FPath).path();
    if (KindOf(folder) == FileKind::Missing && !MakeFolder(folder, error))
        return false;
    IniFile file(FPath);
    if (!file.Load(error, IniFile::MaxSettingsBytes))
        return false;
    file.WriteString(FId, OptionsKey, settings.Options.Names());
    file.WriteString(FId, MainDictionaryKey, settings.MainDictionary);
    return file.Save(error);
}
