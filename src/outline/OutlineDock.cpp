#include "outline/OutlineDock.h"

#include "outline/OutlineModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>
#include <QTreeView>

OutlineDock::OutlineDock(OutlineModel& model, QWidget* parent)
    : QDockWidget(parent)
    , FModel(model)
    , tvOutline(new QTreeView(this))
{
    setObjectName("dkOutline");
    tvOutline->setObjectName("tvOutline");
    tvOutline->setModel(&model);
    tvOutline->setUniformRowHeights(true); // thousands of rows lay out without measuring each
    tvOutline->setSelectionMode(QAbstractItemView::SingleSelection);
    tvOutline->setEditTriggers(
        QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    tvOutline->header()->setStretchLastSection(true);
    // Names first: the state and the words take what their captions need.
    const int character = tvOutline->fontMetrics().averageCharWidth();
    tvOutline->header()->resizeSection(OutlineModel::NameColumn, character * 26);
    tvOutline->header()->resizeSection(OutlineModel::StateColumn, character * 11);
    tvOutline->header()->resizeSection(OutlineModel::WordsColumn, character * 13);
    // A row dragged is moved by the program, never by the view: the model takes the drop and
    // asks, and the rows follow the chains.
    tvOutline->setDragDropMode(QAbstractItemView::InternalMove);
    tvOutline->setDefaultDropAction(Qt::MoveAction);
    tvOutline->installEventFilter(this);
    tvOutline->viewport()->installEventFilter(this);
    setWidget(tvOutline);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    connect(tvOutline->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) {
            const CardId card = FModel.CardOf(current);
            if (!FShowing && card)
                emit CardChosen(card);
        });
    // Every row stays open; a project opening adds its cards one by one, so a hidden outline,
    // or one reset many times in a row, opens its rows once, when next shown or idle.
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        if (FExpandPending || !isVisible())
            return;
        FExpandPending = true;
        QTimer::singleShot(0, this, [this] {
            FExpandPending = false;
            tvOutline->expandAll();
            emit Rebuilt();
        });
    });
}

CardId OutlineDock::CurrentCard() const
{
    return FModel.CardOf(tvOutline->currentIndex());
}

void OutlineDock::ShowCard(CardId card)
{
    const QModelIndex index = FModel.IndexOf(card);
    if (!index.isValid())
        return;
    // A row moved in place with its card stays current but may have left the view.
    if (index != tvOutline->currentIndex()) {
        FShowing = true;
        tvOutline->setCurrentIndex(index);
        FShowing = false;
    }
    tvOutline->scrollTo(index);
}

bool OutlineDock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        // A click comes to the rows' viewport, the menu key to the tree that has the focus.
        const auto& menu = *static_cast<QContextMenuEvent*>(event);
        const bool key = menu.reason() == QContextMenuEvent::Keyboard;
        if (watched == (key ? static_cast<QObject*>(tvOutline) : tvOutline->viewport()))
            return ContextMenu(menu);
    }
    // Keys that a name being typed in place did not take are not the outline's.
    if (watched != tvOutline || event->type() != QEvent::KeyPress || !tvOutline->hasFocus())
        return QDockWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const CardId card = CurrentCard();
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (card && modifiers == Qt::AltModifier
        && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        // A chain's row stands for the whole chain, which has no place to move to.
        if (FModel.KindOf(tvOutline->currentIndex()) != OutlineModel::RowKind::Chain) {
            if (key->key() == Qt::Key_Up)
                emit MoveUpRequested(card);
            else
                emit MoveDownRequested(card);
        }
        return true;
    }
    if (!card || modifiers)
        return QDockWidget::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit OpenRequested(card);
        return true;
    case Qt::Key_Space:
        emit PropertiesRequested(card);
        return true;
    case Qt::Key_Delete:
        emit DeleteRequested(card);
        return true;
    default:
        return QDockWidget::eventFilter(watched, event);
    }
}

bool OutlineDock::ContextMenu(const QContextMenuEvent& event)
{
    // The menu key's event has no point of its own: the menu opens beneath the current row.
    const bool key = event.reason() == QContextMenuEvent::Keyboard;
    const QModelIndex index = key ? tvOutline->currentIndex() : tvOutline->indexAt(event.pos());
    const CardId card = FModel.CardOf(index);
    if (!card)
        return true;
    if (index != tvOutline->currentIndex())
        tvOutline->setCurrentIndex(index);
    emit MenuRequested(card,
        key ? tvOutline->viewport()->mapToGlobal(tvOutline->visualRect(index).bottomLeft())
            : event.globalPos());
    return true;
}

void OutlineDock::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    tvOutline->expandAll();
    tvOutline->setFocus();
}
