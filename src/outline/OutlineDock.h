#pragma once

#include "project/ProjectModel.h"

#include <QDockWidget>

class OutlineModel;
class QTreeView;

/// The outline beside the canvas: a tree of the chains that selects with the canvas, opens a
/// card's editor on Enter, its properties on Space, and deletes it on Delete.
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
    /// The rows were made again and opened: the canvas's card is to be shown on its row.
    void Rebuilt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    CardId CurrentCard() const;

    OutlineModel& FModel;
    QTreeView* tvOutline;
    bool FExpandPending = false;
    bool FShowing = false; ///< a row is selected because the canvas selected its card
};
