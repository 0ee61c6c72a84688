#include "editor/WordUsageWindow.h"

#include "messages/MessageTable.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

WordUsageWindow::WordUsageWindow(const QList<WordUsage>& words, const QString& cardName, const MessageTable& messages,
                           QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowCloseButtonHint)
{
    setObjectName("fmWordUsage");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(messages.Text(MessageKey::WORD_USAGE_TITLE).arg(cardName));
    auto* table = new QTableWidget(int(words.size()), 2, this);
    table->setObjectName("tblWords");
    table->setHorizontalHeaderLabels({messages.Text(MessageKey::WORD_USAGE_WORD), messages.Text(MessageKey::WORD_USAGE_TIMES)});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int row = 0; row < words.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(words[row].Word));
        auto* count = new QTableWidgetItem(QString::number(words[row].Count));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, 1, count);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    resize(280, 360);
}
