#include "search/FindResultsDelegate.h"

#include "search/FindResultsModel.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

void FindResultsDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QVariant start = index.data(FindResultsModel::HighlightStartRole);
    if (!start.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextLayout layout(text, item.font);
    layout.setFormats(
        { { start.toInt(), index.data(FindResultsModel::HighlightLengthRole).toInt(), bold } });
    QTextOption noWrap;
    noWrap.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(noWrap);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return;
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    painter->save();
    painter->setClipRect(area);
    const bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    layout.draw(
        painter, QPointF(area.left() + margin, area.top() + (area.height() - line.height()) / 2));
    painter->restore();
}
