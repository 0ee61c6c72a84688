#pragma once

#include "spelling/SpellOptions.h"

#include <QString>

class IniFile;

/// What the spell checker keeps for one writer in its configuration file.
struct SpellSettings {
    SpellOptions Options;
    /// The main dictionary as the configuration names it: "british.adm" or a Hunspell name.
    QString MainDictionary;
};

/// The configuration file ("Spelling/Spell.cfg"): an INI file with one section per writer, named
/// after the writer's user name, keys "Options" (the option names, separated by commas) and
/// "MainDictionary".
class SpellConfig {
public:
    SpellConfig(QString path, QString id, SpellSettings defaults);

    /// The writer's settings; the defaults for a missing file, section or key, or a file that
    /// cannot be read as text.
    SpellSettings Read() const;
    /// Writes the writer's settings, leaving every other section and key as it was. False with
    /// the reason when the file could not be written, or could not be read as text before (it
    /// is then left as it is).
    bool Write(const SpellSettings& settings, QString& error) const;

    const QString& Path() const { return FPath; }

private:
    /// Reads the file into `file`; a missing file is an empty one. False with the reason when it
    /// cannot be read, or holds bytes that are no text.
    bool Load(IniFile& file, QString& error) const;

    QString FPath;
    QString FId;
    SpellSettings FDefaults;
};
