#include "compile/CompileList.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>

CompileList::CompileList(QWidget* parent)
    : QListWidget(parent)
{
    setObjectName("lbCompile");
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(true);
}

QStringList CompileList::Names() const
{
    QStringList names;
    names.reserve(count());
    for (int row = 0; row < count(); ++row)
        names << item(row)->text();
    return names;
}

void CompileList::MoveEntry(int from, int to)
{
    if (from < 0 || from >= count() || from == to)
        return;
    QListWidgetItem* moved = takeItem(from);
    insertItem(std::min(to, count()), moved);
    setCurrentItem(moved);
}

void CompileList::mousePressEvent(QMouseEvent* event)
{
    FPressPoint = event->position().toPoint();
    QListWidget::mousePressEvent(event);
}

void CompileList::keyPressEvent(QKeyEvent* event)
{
    const int row = currentRow();
    const bool moving = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    if (event->key() == Qt::Key_Delete && row >= 0) {
        delete takeItem(row);
    } else if (moving && event->key() == Qt::Key_Up && row > 0) {
        MoveEntry(row, row - 1);
    } else if (moving && event->key() == Qt::Key_Down && row >= 0 && row + 1 < count()) {
        MoveEntry(row, row + 1);
    } else {
        if (!moving || (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down))
            QListWidget::keyPressEvent(event);
        return;
    }
    emit EntriesChanged();
}

void CompileList::dragEnterEvent(QDragEnterEvent* event)
{
    // Only an entry of this list moves; anything else dropped on it changes nothing.
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CompileList::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CompileList::dropEvent(QDropEvent* event)
{
    event->ignore();
    if (event->source() != this)
        return;
    const QModelIndex pressed = indexAt(FPressPoint);
    if (!pressed.isValid())
        return;
    const QModelIndex target = indexAt(event->position().toPoint());
    MoveEntry(pressed.row(), target.isValid() ? target.row() : count());
    // Accepted as a copy, so that the view does not remove the dragged entry a second time.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit EntriesChanged();
}
