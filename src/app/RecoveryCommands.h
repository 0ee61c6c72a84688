#pragma once

#include <QString>

struct ProjectState;
struct RecoveredText;
class CanvasFollower;
class Dialogs;
class EditorCommands;
class MessageTable;
class ProjectModel;
class ProjectStore;
class QWidget;

/// The unsaved texts that a project's editors kept when the program was stopped before they
/// were saved, offered when the project opens: restored into their cards' editors (marked
/// modified, nothing written until the writer saves), compared with their text files, or
/// discarded. A text whose card was renamed or deleted since is offered under its old name, for
/// Compare and Discard.
class RecoveryCommands {
public:
    RecoveryCommands(QWidget& window, const ProjectState& project, const ProjectModel& model,
        CanvasFollower& follower, ProjectStore& store, EditorCommands& editors, Dialogs& dialogs,
        const MessageTable& messages);

    /// Asks about the open project's kept texts, when it has any.
    void OfferRecovery();

private:
    bool Restore(const RecoveredText& kept);
    void Compare(const RecoveredText& kept, QWidget& parent);
    bool Discard(const RecoveredText& kept);
    /// The kept text, decoded; a warning when it cannot be read.
    bool ReadKept(const RecoveredText& kept, QString& text);
    /// The text file of the card the text was kept for, under that name.
    QString TextPathOf(const RecoveredText& kept) const;

    QWidget& FWindow;
    const ProjectState& FProject;
    const ProjectModel& FModel;
    CanvasFollower& FFollower;
    ProjectStore& FStore;
    EditorCommands& FEditors;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
    QString FRecoveryFolder; ///< the open project's, found when it opened
};
