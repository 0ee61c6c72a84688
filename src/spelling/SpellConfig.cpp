#include "spelling/SpellConfig.h"

#include "platform/IniFile.h"
#include "messages/ReasonTexts.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"

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

bool SpellConfig::Load(IniFile& file, QString& error) const
{
    QByteArray bytes;
    switch (ReadFileIfPresent(FPath, bytes, error, IniFile::MaxSettingsBytes)) {
    case FileRead::Missing:
        error.clear();
        return true;
    case FileRead::Failed:
        return false;
    case FileRead::Read:
        break;
    }
    if (!ReadsAsText(bytes)) {
        error = ReasonText(Reason::NOT_TEXT).arg(ReadableName(FPath));
        return false;
    }
    file.LoadFromBytes(bytes);
    return true;
}

SpellSettings SpellConfig::Read() const
{
    IniFile file(FPath);
    QString error;
    if (!Load(file, error))
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
    if (!Load(file, error))
        return false;
    file.WriteString(FId, OptionsKey, settings.Options.Names());
    file.WriteString(FId, MainDictionaryKey, settings.MainDictionary);
    return file.Save(error);
}
