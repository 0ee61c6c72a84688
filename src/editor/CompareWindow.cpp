#include "editor/CompareWindow.h"

#include "editor/SideBySide.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>

namespace {
QPlainTextEdit* AddSide(
    QGridLayout& layout, int column, const QString& caption, const QString& name)
{
    auto* label = new QLabel(caption);
    label->setTextFormat(Qt::PlainText);
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout.addWidget(label, 0, column);
    layout.addWidget(memo, 1, column);
    return memo;
}
} // namespace

CompareWindow::CompareWindow(const QString& title, const QString& leftCaption, const QString& leftText,
                       const QString& rightCaption, const QString& rightText, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowCloseButtonHint)
{
    setObjectName("fmCompare");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    auto* layout = new QGridLayout(this);
    memLeft = AddSide(*layout, 0, leftCaption, "memLeft");
    memRight = AddSide(*layout, 1, rightCaption, "memRight");
    ShowSideBySide(*memLeft, leftText.split(u'\n'), *memRight, rightText.split(u'\n'));
    resize(900, 560);
}
