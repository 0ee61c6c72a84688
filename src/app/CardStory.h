#pragma once

#include "project/ProjectModel.h"

#include <QHash>

class CanvasFollower;
class CanvasScene;
class EditorWindows;
class MessageTable;
class ProjectStore;
class TNodex;

/// What the cards tell of their story under their names: their descriptions and their texts'
/// word counts. The counts are kept here, counted once when they are first shown and again
/// when a text is saved, so that drawing the canvas never reads a text.
class CardStory {
public:
    CardStory(CanvasScene& canvas, CanvasFollower& follower, ProjectStore& store,
        const EditorWindows& editors, const MessageTable& messages);

    /// Shows or hides descriptions and word counts on every card; counts not known yet are
    /// counted first.
    void Show(bool descriptions, bool wordCounts);
    /// A card's text was saved: its count is taken again when counts are shown or were known.
    void Recount(CardId card);
    /// A card came onto the canvas: it is counted once the work at hand (opening a project of
    /// thousands of cards) is done, and only if counts are shown then.
    void CountLater(CardId card);
    /// The project is gone: no count is known any more.
    void Forget();
    /// The counts as the message table words them now, after a change of language.
    void Reword();

private:
    void Count(TNodex& card);
    void ShowCount(TNodex& card, qint64 words) const;

    CanvasScene& FCanvas;
    CanvasFollower& FFollower;
    ProjectStore& FStore;
    const EditorWindows& FEditors;
    const MessageTable& FMessages;
    QHash<CardId, qint64> FWords;
    QList<CardId> FPending;
};
