#pragma once

#include "app/ProjectFiles.h"
#include "app/ProjectLock.h"
#include "platform/WindowPlacement.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

struct CanvasState;
struct ProjectState;
struct Theme;
class Dialogs;
class MessageTable;
class TCanvas;
class TNodex;
class ThemeApplier;

/// Opens a project onto the canvas and saves it back: the project file and one card file per
/// card, key by key, so that keys written by others survive. A save writes only the files whose
/// content changed, and never through a link out of the project folder. The window itself is
/// left to the window: opening returns the placement the project keeps.
class ProjectStore : public QObject {
    Q_OBJECT
public:
    enum class OpenResult {
        Refused, ///< not a project file, or missing: the open project stays as it was
        Failed,  ///< it could not be read: the canvas is empty and the project must be closed
        Opened,
    };
    struct Opened {
        OpenResult Result = OpenResult::Refused;
        WindowPlacement Placement; ///< where the project wants the window
    };

    ProjectStore(ProjectState& project, CanvasState& selection, TCanvas& canvas, Theme& theme,
                 ThemeApplier& themes, Dialogs& dialogs, const MessageTable& messages);

    /// Loads the project file at `path` (".nodex" is added when it has no extension) with all
    /// its cards, after a message when it cannot. A project that another copy of the program
    /// holds open opens only when the writer says so.
    Opened OpenProject(const QString& path);
    /// Writes the project file and every card file, `window` being where the window stands.
    /// False, after a message for each failure, when anything could not be written.
    bool SaveProject(const WindowPlacement& window);
    /// Writes one card's file when its content changed; false, after a message, when that
    /// failed.
    bool SaveCard(TNodex& card);
    /// The open project is closed: its lock goes.
    void ReleaseLock() { FLock.Release(); }

    /// The file a card is kept in: the one it was loaded from, or its name + ".ndx".
    QString CardFilePath(const TNodex& card) const;
    /// The file a card's text is kept in: "Text Files/" + its name + ".txt".
    QString TextFilePath(const QString& cardName) const;
    /// The same for a card, spelt as its card file is (a name that is not UTF-8 keeps its bytes).
    QString TextFilePath(const TNodex& card) const;
    /// Whether a card file of this name exists in the project folder, compared without
    /// regard to case, as on the file systems that ignore it. With `self`, only a file spelt
    /// exactly so that is not that card's own counts.
    bool CardFileExists(const QString& cardName, const TNodex* self = nullptr) const;

    /// Moves a card's card file and text file to a new name, and points the card files that link
    /// to it at the new name. The new card file is written before the old one goes, under a
    /// journal that the next open finishes after a crash; when the files cannot be moved they
    /// are left as they were, and false is returned with the reason. A text file of the new
    /// name that no card holds is taken over by a card without a text of its own, and refuses
    /// one that has a text. The card itself is renamed by the caller.
    bool RenameCardFiles(const TNodex& card, const QString& newName, QString& reason);
    /// Deletes a card's card file, and its text file when `withText`. A file that cannot be
    /// deleted is skipped.
    void DeleteCardFiles(const TNodex& card, bool withText);

private:
    /// What the program knows of a card's file.
    struct StoredCard {
        QString FileName;                   ///< in the project folder
        std::optional<CardFileData> Stored; ///< what the file holds, as last read or written
    };

    std::optional<WindowPlacement> LoadProject(QString& reason);
    void LoadCard(const QString& name, const CardFileData& data);
    void MakeRoomForCards(const QList<CardFileData>& records);
    void FitRoomToCards();
    /// SaveCard, with the project folder's regular files listed once for every card.
    bool SaveCard(TNodex& card, const QSet<QString>* regularFiles);
    bool WriteProject(const WindowPlacement& window, QString& reason);
    bool WriteCard(const QString& path, const CardFileData& record, QString& reason) const;
    QString ProjectFilePath() const;
    /// Removes what writes killed in the project's folders left behind.
    void RemoveLeftovers() const;
    bool WriteRenamedCardFile(const TNodex& card, const QString& oldFile, const QString& newFile,
                              bool sameFile, QString& reason);
    void RelinkStoredCards(const QString& oldName, const QString& newName);

    ProjectState& FProject;
    CanvasState& FSelection;
    TCanvas& FCanvas;
    Theme& FTheme;
    ThemeApplier& FThemes;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
    QHash<const TNodex*, StoredCard> FStoredCards;
    ProjectLock FLock;
};
