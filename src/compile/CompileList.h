#pragma once

#include <QListWidget>

/// The compile list: card names in the order they are compiled. An entry dragged within the
/// list lands at the index of the entry it is dropped on (the end, below the last entry);
/// Del removes the selected entry and Shift or Ctrl with Up or Down moves it.
class CompileList : public QListWidget {
    Q_OBJECT
public:
    explicit CompileList(QWidget* parent = nullptr);

    QStringList Names() const;
    /// Moves the entry at `from` so that it ends at `to` (the end when `to` is past it).
    void MoveEntry(int from, int to);

signals:
    /// The entries changed through the list itself (a drop, Del, a move).
    void EntriesChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPoint FPressPoint;
};
