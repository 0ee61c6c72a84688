#include "outline/OutlineDock.h"

#include "outline/OutlineModel.h"

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
    tvOutline->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    tvOutline->header()->setStretchLastSection(true);
    tvOutline->installEventFilter(this);
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

CardId OutlineDock::CurrentCard() const { return FModel.CardOf(tvOutline->currentIndex()); }

void OutlineDock::ShowCard(CardId card)
{
    const QModelIndex index = FModel.IndexOf(card);
    if (!index.isValid() || index == tvOutline->currentIndex())
        return;
    FShowing = true;
    tvOutline->setCurrentIndex(index);
    tvOutline->scrollTo(index);
    FShowing = false;
}

bool OutlineDock::eventFilter(QObject* watched, QEvent* event)
{
    // Moving a card up or down its chain (Alt+Up, Alt+Down, dragging a row) is the chain steps'
    // to add here: the outline asks, the program pushes the step, the rows follow the model.
    // Keys that a name being typed in place did not take are not the outline's.
    if (watched != tvOutline || event->type() != QEvent::KeyPress || !tvOutline->hasFocus())
        return QDockWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const CardId card = CurrentCard();
    if (!card || key->modifiers() & ~Qt::KeypadModifier)
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

void OutlineDock::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    tvOutline->expandAll();
    tvOutline->setFocus();
}
