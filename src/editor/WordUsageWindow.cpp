#include "editor/WordUsageWindow.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

TfmWordUsage::TfmWordUsage(const QList<WordUsage>& words, const QString& cardName, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowCloseButtonHint)
{
    setObjectName("fmWordUsage");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Word Usage: '" + cardName + "'");
    auto* table = new QTableWidget(int(words.size()), 2, this);
    table->setObjectName("tblWords");
    table->setHorizontalHeaderLabels({QStringLiteral("Word"), QStringLiteral("Times")});
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
