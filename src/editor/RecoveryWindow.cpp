#include "editor/RecoveryWindow.h"

#include "messages/MessageTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

RecoveryWindow::RecoveryWindow(
    const QList<Entry>& entries, const MessageTable& messages, QWidget* parent)
    : QDialog(parent)
    , lblQuestion(new QLabel(messages.Text(MessageKey::RECOVERY_QUESTION)))
    , lstCards(new QListWidget)
    , btnRestore(new QPushButton(messages.Text(MessageKey::RECOVERY_RESTORE)))
    , btnCompare(new QPushButton(messages.Text(MessageKey::RECOVERY_COMPARE)))
    , btnDiscard(new QPushButton(messages.Text(MessageKey::RECOVERY_DISCARD)))
    , btnLater(new QPushButton(messages.Text(MessageKey::RECOVERY_LATER)))
    , FEntries(entries)
{
    setObjectName("fmRecovery");
    setWindowTitle(messages.Text(MessageKey::RECOVERY_TITLE));
    lblQuestion->setTextFormat(Qt::PlainText);
    lblQuestion->setWordWrap(true);
    lstCards->setObjectName("lstCards");
    lstCards->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int index = 0; index < entries.size(); ++index) {
        auto* item = new QListWidgetItem(entries[index].Caption, lstCards);
        item->setData(Qt::UserRole, index);
    }
    lstCards->selectAll();
    lstCards->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    btnRestore->setObjectName("btnRestore");
    btnCompare->setObjectName("btnCompare");
    btnDiscard->setObjectName("btnDiscard");
    btnLater->setObjectName("btnLater");
    btnRestore->setDefault(true);
    for (QPushButton* button : { btnCompare, btnDiscard, btnLater })
        button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnRestore);
    buttons->addWidget(btnCompare);
    buttons->addWidget(btnDiscard);
    buttons->addStretch();
    buttons->addWidget(btnLater);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblQuestion);
    layout->addWidget(lstCards);
    layout->addLayout(buttons);
    resize(520, 300);

    connect(btnRestore, &QPushButton::clicked, this, [this] { ActOnSelection(Restore, true); });
    connect(btnDiscard, &QPushButton::clicked, this, [this] { ActOnSelection(Discard, false); });
    connect(btnCompare, &QPushButton::clicked, this, [this] {
        const QList<QListWidgetItem*> selected = lstCards->selectedItems();
        if (selected.size() == 1 && Compare)
            Compare(selected.first()->data(Qt::UserRole).toInt());
    });
    connect(btnLater, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstCards, &QListWidget::itemSelectionChanged, this, &RecoveryWindow::FollowSelection);
    FollowSelection();
}

void RecoveryWindow::ActOnSelection(const std::function<bool(int)>& action, bool restoring)
{
    if (!action)
        return;
    for (QListWidgetItem* item : lstCards->selectedItems()) {
        const int index = item->data(Qt::UserRole).toInt();
        if ((!restoring || FEntries[index].CanRestore) && action(index))
            delete item;
    }
    if (lstCards->count() == 0)
        accept();
}

void RecoveryWindow::FollowSelection()
{
    const QList<QListWidgetItem*> selected = lstCards->selectedItems();
    btnRestore->setEnabled(
        std::any_of(selected.begin(), selected.end(), [this](const QListWidgetItem* item) {
            return FEntries[item->data(Qt::UserRole).toInt()].CanRestore;
        }));
    btnCompare->setEnabled(selected.size() == 1);
    btnDiscard->setEnabled(!selected.isEmpty());
}
