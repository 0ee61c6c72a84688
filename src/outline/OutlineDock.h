#pragma once

#include "project/ProjectModel.h"

#include <QDockWidget>

class OutlineModel;
class QContextMenuEvent;
class QTreeView;

/// The outline beside the canvas: a tree of the chains that selects with the canvas, opens a
/// card's editor on Enter, its properties on Space, deletes it on Delete, and moves it in its
/// chain on Alt+Up and Alt+Down or where its row is dragged. It asks; the program does, and the
/// rows follow the project model.
class OutlineDock : public QDockWidget {
    Q_OBJECT
public:
    OutlineDock(OutlineModel& model, QWidget* parent = nullptr);

    QTreeView* Tree() const { return tvOutline; }
    /// Selects a card's row, opening the rows above it, without telling the canvas back.
    void ShowCard(CardId card);

signals:
    /// The writer chose a card's row (a chain's row chooses its first card).
    void CardChosen(CardId card);
    void OpenRequested(CardId card);
    void PropertiesRequested(CardId card);
    void DeleteRequested(CardId card);
    /// Alt+Up (Alt+Down) on a card's row: one place towards the chain's start (end).
    void MoveUpRequested(CardId card);
    void MoveDownRequested(CardId card);
    /// The context menu of a card's row, to be shown at a point of the screen.
    void MenuRequested(CardId card, QPoint at);
    /// The rows were made again and opened: the canvas's card is to be shown on its row.
    void Rebuilt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    CardId CurrentCard() const;
    /// A right click on a row, or the menu key on the current one.
    bool ContextMenu(const QContextMenuEvent& event);

    OutlineModel& FModel;
    QTreeView* tvOutline;
    bool FExpandPending = false;
    bool FShowing = false; ///< a row is selected because the canvas selected its card
};
