#pragma once

#include "compile/ManuscriptDocument.h"
#include "compile/ManuscriptFormat.h"

class IniFile;

/// What the writer chose in the Export Manuscript dialog: the type, the folder the save dialog
/// opens in, the manuscript's options and the title page's contact block. Kept in the program's
/// settings file in a section per project, and once more as the last export of any project, so
/// that a project never exported starts from it and the contact block is typed only once.
struct ManuscriptSettings {
    ManuscriptFormat Format = ManuscriptFormat::Odt;
    QString Folder; ///< where the last export went; empty for the project's own folder
    bool TitlesOnly = false;
    bool StandardManuscript = false;
    bool SceneTitles = false;
    bool CurlyQuotes = true;
    ManuscriptFont Font = ManuscriptFont::TimesNewRoman;
    ManuscriptPaper Paper = ManuscriptPaper::A4;
    QString Author; ///< the byline
    ManuscriptContact Contact;

    bool operator==(const ManuscriptSettings& other) const;

    /// The settings file's section of one project's exports.
    static QString SectionOf(const QString& projectFolder, const QString& projectFileName);
    /// The project's own settings; for a project never exported those of the last export of
    /// any project (its folder only when it lay outside the project it was made from); before
    /// any export, the byline and standard form the compile window kept, on `paper`.
    static ManuscriptSettings Read(const IniFile& file, const QString& projectFolder,
        const QString& projectFileName, ManuscriptPaper paper);
    /// Keeps the settings as the project's and as the last export of any project.
    void Write(IniFile& file, const QString& projectFolder, const QString& projectFileName) const;

    /// Fills the options the dialog decides; the compile window's own (descriptions, content)
    /// and the title stay as they are.
    void ApplyTo(ManuscriptOptions& options) const;
};
