#pragma once

#include "platform/HeldFolder.h"
#include "platform/WindowBounds.h"
#include "project/CardTexts.h"
#include "project/ProjectFiles.h"
#include "project/ProjectLock.h"
#include "project/ProjectModel.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct ProjectState;
class MessageTable;

/// A failure the window shows: the headline, and the reason beneath it.
struct StoreMessage {
    QString Headline;
    QString Reason;
};

/// Opens a project into the model and saves the model back: the project file and one card file
/// per card, key by key, so that keys written by others survive. A save writes only the files
/// whose content changed, and never through a link out of the project folder. The store shows
/// nothing: it returns what went wrong, and asks the window through the steps it is given.
class ProjectStore {
public:
    enum class OpenResult {
        Refused, ///< not a project file, missing, or held by another copy: nothing changed
        Failed, ///< it could not be read: the model is empty and the project must be closed
        Opened,
    };
    struct Opened {
        OpenResult Result = OpenResult::Refused;
        WindowPlacement Placement; ///< where the project wants the window
        QString Information; ///< why it was refused, when the writer is to be told
        StoreMessage Failure; ///< why it failed
    };
    /// What the window does while a project opens.
    struct OpenSteps {
        /// Whether to open a project that another copy of the program holds open.
        std::function<bool(const QString& projectFileName, const LockOwner& owner)> OpenLocked;
        /// The project file was read: the theme it names is to be loaded.
        std::function<void(const ProjectFileData& data)> ProjectRead;
        /// Every card file was read: room is to be made for the farthest card position.
        std::function<void(QPoint farthest)> CardsRead;
        /// Whether the theme names a revision state; a card of an unnamed state gets the first.
        std::function<bool(int state)> StateNamed;
    };

    ProjectStore(ProjectState& project, ProjectModel& model, const MessageTable& messages);

    /// Loads the project file at `path` (".nodex" is added when it has no extension) with all
    /// its cards into the model.
    Opened OpenProject(const QString& path, const OpenSteps& steps);
    /// Whether to write this copy's cards over the card files another program changed since
    /// they were read here; asked once, with the names of the cards.
    using OverwriteQuestion = std::function<bool(const QStringList& cardNames)>;
    /// Writes the project file and every card file, `window` being where the window stands.
    /// Card files changed elsewhere are written over only when `overwriteChanged` agrees; those
    /// it keeps stay unsaved here. Returns a message for each card or file not written; none
    /// when everything was written.
    QList<StoreMessage> SaveProject(
        const WindowPlacement& window, const QString& themeName, const OverwriteQuestion& overwriteChanged);
    /// Writes one card's file when its content changed; the failure, when that failed. A card
    /// file another program changed since it was read here is not written over.
    std::optional<StoreMessage> SaveCard(CardId card);
    /// What taking other programs' card files did: the cards that now follow their files (made,
    /// changed or gone), and those left as they are because they have unsaved changes here.
    struct OutsideCards {
        QList<CardId> Followed;
        QList<CardId> KeptUnsaved;
    };
    /// What the window tells while card files changed elsewhere are taken in.
    struct OutsideSteps {
        /// Whether the theme names a revision state; a card of an unnamed state gets the first.
        std::function<bool(int state)> StateNamed;
        /// Whether an editor holds unsaved text of the card: such a card is not taken away.
        std::function<bool(CardId card)> HoldsUnsavedText;
    };
    /// Takes card files that another program changed, made or removed (names in the project
    /// folder) into the model as opening does, with no step to undo: the project is as saved
    /// as it was. A card with unsaved changes keeps them.
    OutsideCards TakeOutsideCardFiles(const QStringList& fileNames, const OutsideSteps& steps);
    /// The open project is closed: its lock goes (also from a folder that was moved while
    /// open), and what is known of its files.
    void CloseProject();
    /// Whether the open project's folder was renamed, moved or removed since it was opened or
    /// last saved: a save there would make a new folder holding only part of the project.
    bool ProjectFolderGone() const;

    /// The file a card is kept in: the one it was loaded from, or its name + ".ndx".
    QString CardFilePath(CardId card) const;
    /// The file a card's text is kept in: "Text Files/" + its name + ".txt".
    QString TextFilePath(const QString& cardName) const { return Texts().Of(cardName).Path; }
    /// The open project's folder, with a trailing "/".
    const QString& ProjectFolder() const;
    /// The same for a card, spelt as its card file is (a name that is not UTF-8 keeps its bytes).
    QString TextFilePath(CardId card) const { return Texts().Of(TextName(card)).Path; }
    /// The project's card texts, which every read and write of a text goes through.
    CardTexts Texts() const;
    /// Whether a card file of this name exists in the project folder, compared without
    /// regard to case, as on the file systems that ignore it. With `self`, only a file spelt
    /// exactly so that is not that card's own counts.
    bool CardFileExists(const QString& cardName, CardId self = 0) const;

    /// Moves a card's card file and text file to a new name, and points the card files that link
    /// to it at the new name. The new card file is written before the old one goes, under a
    /// journal that the next open finishes after a crash; when the files cannot be moved they
    /// are left as they were, and false is returned with the reason. A text file of the new
    /// name that no card holds is taken over by a card without a text of its own, and refuses
    /// one that has a text. The card's file name follows in the model; its name is the caller's.
    bool RenameCardFiles(CardId card, const QString& newName, QString& reason);
    /// Whether RenameCardFiles would find the new name free; false with the reason.
    bool CanRenameCardFiles(CardId card, const QString& newName, QString& reason) const;
    /// A file in the project folder.
    QString FilePath(const QString& fileName) const;
    /// Deletes a card's card file, and its text file when `withText`. A file that cannot be
    /// deleted is skipped.
    void DeleteCardFiles(CardId card, bool withText);
    /// Deletes a card's card file alone, keeping what the store knows of it: false, with the
    /// reason, when the file stays.
    bool RemoveCardFile(CardId card, QString& reason) const;
    /// What the store last wrote or read of a card's file, so that a card brought back by an
    /// undo is not written again needlessly; none when unknown.
    std::optional<CardFileData> StoredRecord(CardId card) const { return FStored.value(card); }
    void SetStoredRecord(CardId card, const std::optional<CardFileData>& record);

private:
    std::optional<WindowPlacement> LoadProject(const OpenSteps& steps, QString& reason);
    /// SaveCard, with the project folder's regular files listed once for every card.
    /// What to do with a card file another program changed since it was read here.
    enum class ChangedFile { Keep, Overwrite };
    /// Writes one card's file when its content changed. A changed file that is kept is added
    /// to `kept` when given, and reported as not written otherwise.
    std::optional<StoreMessage> SaveCard(CardId card, const QSet<QString>* regularFiles,
        ChangedFile changed, QList<CardId>* kept = nullptr);
    bool WriteProject(const WindowPlacement& window, const QString& themeName, QString& reason);
    enum class CardWrite { Written, ChangedElsewhere, Failed };
    /// Writes a card's record into its file, key by key, so that the keys others keep there
    /// survive. When `unlessChangedFrom` is given and the file no longer holds it, nothing is
    /// written.
    CardWrite WriteCard(const QString& path, const CardFileData& record,
        const std::optional<CardFileData>& unlessChangedFrom, QString& reason) const;
    QString ProjectFilePath() const;
    /// The card file's name, as loaded or written, or the one the card's name gives.
    QString CardFileName(CardId card) const;
    /// The card's name as its card file spells it, which names its text file.
    QString TextName(CardId card) const;
    /// Removes what writes killed in the project's folders left behind.
    void RemoveLeftovers() const;
    bool WriteRenamedCardFile(CardId card, const QString& oldFile, const QString& newFile,
        bool sameFile, QString& reason);
    void RelinkStoredCards(const QString& oldName, const QString& newName);
    void SetFileName(CardId card, const QString& fileName);
    /// A project saved into another folder than the one it was opened from takes its cards'
    /// texts along, from wherever that folder is now; returns what could not be carried.
    QList<StoreMessage> CarryTexts();
    /// The lock went with a folder moved while open: it is released where the folder is now.
    void FollowMovedLock();

    ProjectState& FProject;
    ProjectModel& FModel;
    const MessageTable& FMessages;
    /// What each card's file holds, as last read or written.
    QHash<CardId, std::optional<CardFileData>> FStored;
    ProjectLock FLock;
    /// The folder the project was opened from or last saved into, held to see it move.
    HeldFolder FFolder;
};
