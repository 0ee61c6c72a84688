#pragma once

#include <QStyledItemDelegate>

/// Draws a result row with its match in bold, where the model says it stands.
class FindResultsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
};
