#pragma once

#include "editor/EditorMenus.h"
#include "editor/EditorSettings.h"
#include "spelling/Thesaurus.h"
#include "editor/EditorText.h"
#include "editor/MemoSpellTarget.h"
#include "spelling/SpellEngine.h"
#include "platform/ProgramFolders.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class Dialogs;
class MessageTable;
class QLabel;
class QTimer;
class Shell;
class EditorMemo;
class TfmFindReplace;
class LiveWordCount;
class TSpellChecker;
class EditorHighlighter;

class TfmEditor;
struct HistoryHooks;

/// What every editor window shares with the program.
struct EditorContext {
    EditorContext(const ProgramFolders& folders, Dialogs& questions, Shell& desktop, const MessageTable& messages)
        : Folders(folders)
        , Questions(questions)
        , Desktop(desktop)
        , Messages(messages)
        , Spelling(Folders)
    {
    }

    ProgramFolders Folders;    ///< where the templates, thesaurus, spelling and settings are
    Dialogs& Questions;
    Shell& Desktop;
    const MessageTable& Messages;
    bool ReplaceAllWarned = false; ///< the Replace All warning shows once a run, in any editor
    /// The hidden template windows whose captions the language file translates.
    TfmEditor* TemplateEditor = nullptr;
    const TfmFindReplace* TemplateFindReplace = nullptr;
    /// Where the system keeps thesaurus data; the program's own "Thesaurus/" goes before them.
    QStringList SystemThesaurusFolders = ::SystemThesaurusFolders();
    /// The dictionary, the spelling configuration and the words ignored, for every editor.
    SpellEngine Spelling;
    /// Opens the program's Find in Project window, which the editors reach with Ctrl+Shift+F.
    std::function<void()> FindInProject;
};

/// The editor window of one card's text: plain text in a memo, loaded when the window is first
/// shown, saved on request, on closing (after asking) and on an auto-save timer, with find and
/// replace, word counts, printing and import of text and rich-text files. One hidden instance
/// carries the translated captions that every new editor copies.
class TfmEditor : public QMainWindow {
    Q_OBJECT
public:
    TfmEditor(EditorContext& context, bool stayOnTop = false, QWidget* parent = nullptr);
    ~TfmEditor() override;

    QString ProjectFolder;  ///< with a trailing "/"
    QString CardName;
    QString CardFilePath;   ///< where each card keeps its own editor place
    QString TextFile;       ///< the text file, when the card spells it otherwise than its name
    /// The project's recovery folder, where unsaved text is kept until it is saved or given up;
    /// none for an editor that is never shown.
    QString RecoveryFolder;
    EditMemory WindowMemory = EditMemory::Single;
    /// The language's name ("english"), which chooses the thesaurus language.
    QString LanguageName = QStringLiteral("english");
    /// The language of the spell checker's dialogs.
    QString SpellDialogLanguage = QStringLiteral("English");
    int TargetWordCount = 0;

    EditorMemo* memEditor;
    EditorMenus Menus;
    TSpellChecker* dlgSpeller;

    /// Copies the window's and the menus' captions and the language from the template.
    void CopyCaptionsFrom(const TfmEditor& source);
    /// Takes the settings that apply each time the editor is opened: placement mode, target,
    /// font, auto-save.
    void ApplySettings(const EditorSettings& settings);
    /// After the options changed: the templates' captions (its find dialog's too), the settings,
    /// the auto-save timer and the menu states.
    void TakeOptions(const EditorSettings& settings);

    /// The card's text file: the one the store spells, or "Text Files/" + name + ".txt".
    QString TextFilePath() const;
    /// Writes the memo to the card's text file (UTF-8, CR LF, atomically). False after a
    /// warning when it could not be written; the text then stays marked changed.
    bool SaveText();
    /// Replaces the text with that of a ".txt" or ".rtf" file, after asking when the memo holds
    /// text; the import is saved only by the next save.
    void ImportText(const QString& path);
    /// Loads the card's text file again and marks the memo unchanged (after a merge).
    void ReloadText();
    /// Looks whether another program changed the card's text since it was read or saved here:
    /// an unchanged memo takes the new text and says so in the status line; a changed one asks
    /// whether to keep it or take theirs, and the version given up is kept in the card's history.
    void CheckTextOnDisk();
    bool IsModified() const;
    /// Caption marker and menu states from the memo's state.
    void RefreshEditorState();
    void SetAutoSave(bool on);
    void SetAutoSaveInterval(int minutes);
    /// The words of the selection in a visible editor, else of the whole text.
    qint64 CountEditorWords() const;
    /// Prints the memo's text through the print dialog.
    void mnuPrintClick();
    /// Whether the status line keeps the text's word count as the writer types. A shown editor
    /// does; a hidden worker never pays for it.
    void SetLiveWordCount(bool on);
    /// Shows the words of the writing session beside the live word count; an empty text hides
    /// them.
    void ShowSessionCount(const QString& text);
    /// Whether the memo is taking a text the writer is not typing now: the file's on loading,
    /// or one kept for recovery.
    bool LoadingText() const { return FLoading; }

    /// Keeps the unsaved text in the card's recovery file now, as the editor does when typing
    /// pauses and every half minute of typing; a failure is said once in the status line and
    /// never stops the typing.
    void KeepForRecovery();
    /// Says once, in the status line, why the unsaved text could not be kept.
    void RecoveryNotKept(const QString& error);
    /// Shows a text kept for recovery in place of the file's, as one edit that Undo takes back,
    /// marked modified and written nowhere until the writer saves. False while the text file
    /// could not be read (the memo is read-only then).
    bool RestoreText(const QString& text);
    /// The writer gave the unsaved text up (or saved it): its recovery file goes.
    void DiscardRecovery();

    /// Opens the History window of the card, restoring through this editor.
    void OpenHistory();
    /// What a restore does to the card's open editor, found when the restore happens: what the
    /// writer changed is saved first (and so kept as an entry), and the editor then shows the
    /// restored text.
    static HistoryHooks EditorHistoryHooks(std::function<TfmEditor*()> openEditor);
    /// Selects a stretch of the writer's text (offsets as in the text, line ends as LF) and
    /// scrolls it into view, as a match found elsewhere is shown.
    void SelectText(qsizetype start, qsizetype length);

signals:
    /// The window closed: the card's editor is gone.
    void Closed();
    /// The text was written to the card's text file.
    void Saved();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectCommands();
    /// Reads the text file on the first show; a failure leaves the editor open and empty.
    void LoadOnFirstShow();
    /// Reads the card's text into the memo; a missing file leaves the memo as it is. A text
    /// that cannot be read leaves the memo read-only, so that nothing is ever saved over it,
    /// until a later load succeeds.
    bool LoadText(bool warn = true);
    void ShowAutoSaveState();
    void AutoSaveTick();
    void mnuImportTextClick();
    void mnuWordCountClick();
    void mnuWordUsageClick();
    void mnuSaveWindowPosClick();
    /// Looks up the word at the caret or the selection and puts the synonym chosen in its place.
    void mnuThesaurusClick();
    void ShowLiveWordCount();
    void OpenFindReplace();
    void RepeatFind();
    /// Closes after asking; false when the writer kept the window open.
    bool FormCloseQuery();
    QString PlacementFile() const;
    void ReadPlacement();
    void WritePlacement(const QString& file);
    void ShowStatus(const QString& text);
    const MessageTable& Messages() const { return FContext.Messages; }
    /// What a caption ends in while the text has unsaved changes: " *".
    QString ModifiedMarker() const;
    /// Live checking follows the spelling options: underlining on or off, and a note in the
    /// status line when there is no dictionary to check with.
    void FollowSpellingOptions();
    /// Emphasis and live checking are drawn for the blocks in view, so that a long text opens
    /// and scrolls at once.
    void DrawTextInView();
    /// Stops the check when its dialog went to the background and the editor is not in front.
    void dlgSpellerDialogDeactivate();
    /// Puts the spellings for the misspelled word under the pointer at the top of the pop-up menu,
    /// with Add to Dictionary and Ignore All.
    void AddSpellingItems(QPoint at);

    EditorContext& FContext;
    QLabel* sbStatus;
    QLabel* sbSpelling;
    QTimer* tmrAutoSave;
    QTimer* tmrRecovery;        ///< runs out when typing pauses
    QTimer* tmrRecoveryLongest; ///< runs out during long typing without a pause
    QString FRecoveryKeptAs;    ///< the card name the last recovery file was written under
    bool FRecoveryProblemShown = false;
    bool FLoading = false; ///< the memo is taking the text file's text, or a text kept for recovery
    QPointer<TfmFindReplace> FFindDialog;
    bool FCanPaste = false;
    bool FFirstShow = true;
    bool FAutoSave = false;
    int FAutoSaveInterval = 15;
    void TakeTheirs();
    void CompareWithTheirs();

    bool FAskingAboutDisk = false; ///< a check while the question is open waits for its answer
    QLabel* sbWordCount;
    LiveWordCount* FLiveCount = nullptr;
    QLabel* sbSession = nullptr; ///< made when a session count is first shown
    TThesaurus dlgThesaurus;
    MemoSpellTarget FSpellTarget;
    /// Draws emphasis and misspellings in a shown editor; hidden workers and the template have
    /// none.
    EditorHighlighter* FHighlighter = nullptr;
    QList<QAction*> FSpellingItems; ///< the pop-up menu's items for the word under the pointer
    EditorText FText; ///< the card's text as last read or saved here
};
