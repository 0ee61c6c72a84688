#pragma once

#include "compile/CompilationBuilder.h"
#include "compile/ManuscriptFormat.h"
#include "compile/ManuscriptSettings.h"

#include <QWidget>

#include <functional>
#include <optional>

class Dialogs;
class MessageTable;
class QAction;
class QCheckBox;
class QGroupBox;
class QMenu;
class QPushButton;
class CompileList;

/// The compile window: the ordered list of card names that "Create" joins, each with its
/// description and text, into the text of the card "Compilation". A tool window that stays on
/// top; closing only hides it, and the list lives as long as the program, not the project.
class TfmCompile : public QWidget {
    Q_OBJECT
public:
    TfmCompile(Dialogs& dialogs, const MessageTable& messages, QWidget* parent = nullptr);
    ~TfmCompile() override;

    QString SettingsFile;   ///< the program's settings file
    QString ProjectFolder;  ///< with a trailing "/"
    /// Makes sure the card "Compilation" stands on the canvas, after a compilation was written.
    std::function<void()> EnsureCompilationCard;
    /// Whether the name "Compilation" is free for the compilation: false, with the reason, when
    /// a card of the writer's own holds it, whose text the compilation would replace.
    std::function<bool(QString& reason)> CompilationNameFree;
    /// Where the cards of the listed names keep their files (spelt as their card files are),
    /// one for each name; without it they are found by the names.
    std::function<QList<CompileFiles>(const QStringList& names)> FilesOf;
    /// The project's name: the manuscript's title.
    QString ProjectName;
    /// The project file's name in ProjectFolder: the export settings are kept per project.
    QString ProjectFileName;
    /// The pandoc program that writes DOCX and EPUB; empty when it is not installed.
    QString PandocProgram;

    QStringList Names() const;
    void SetNames(const QStringList& names);
    /// Appends a name unless it is listed already.
    void AppendOnce(const QString& name);
    void Append(const QString& name);
    void ClearAll();
    /// A card was renamed: its entries follow it.
    void RenameEntries(const QString& oldName, const QString& newName);
    /// A card was deleted: its first entry leaves.
    void RemoveFirstEntry(const QString& name);

    /// Enables Delete, Clear All and Create as the list allows.
    void UpdateCompileCommands();
    /// Shows the window (placed as saved the first time) or brings it forward.
    void ShowCompileWindow();
    /// Writes the compilation file and makes sure the Compilation card exists.
    void btnCreateClick();
    /// Writes the list as a manuscript as the writer sets it up in the Export Manuscript dialog,
    /// in the file chosen after it, with a progress bar and Cancel; nothing happens for an empty
    /// list. Ctrl+E here is the Tools menu's: the shortcuts of the main window reach its tool
    /// windows.
    void ExportManuscript();

    QCheckBox* cbDescriptions;
    QCheckBox* cbContent;
    CompileList* lbCompile;
    QPushButton* btnCreate;
    QPushButton* btnClose;
    QPushButton* btnExport;
    QMenu* pmnuCompile;
    QAction* pmnuDelete;
    QAction* pmnuClearAll;

private:
    void ReadPosition();
    void WritePosition();
    /// The export settings of this project, or where it has none those it starts from.
    ManuscriptSettings ReadManuscriptSettings() const;
    /// Kept when the writer says OK in the Export dialog, never on Cancel.
    void WriteManuscriptSettings(const ManuscriptSettings& settings) const;
    void ApplyManuscriptCaptions();
    QList<CompileFiles> ListedFiles(const QStringList& names) const;
    /// The file and type the writer chose, or none; asks before replacing a file. The save
    /// dialog opens in the settings' folder with their type chosen.
    std::optional<ExportTarget> AskExportTarget(const ManuscriptSettings& settings);

    Dialogs& FDialogs;
    const MessageTable& FMessages;
    QGroupBox* gbInclude;
    QGroupBox* gbManuscript;
    bool FShown = false;
};
