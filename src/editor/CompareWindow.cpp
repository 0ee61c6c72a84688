#include "editor/CompareWindow.h"

#include "editor/LinesApart.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {
QPlainTextEdit* AddSide(QGridLayout& layout, int column, const QString& caption, const QString& text,
                        const QString& name)
{
    auto* label = new QLabel(caption);
    label->setTextFormat(Qt::PlainText);
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setPlainText(text);
    layout.addWidget(label, 0, column);
    layout.addWidget(memo, 1, column);
    return memo;
}

void MarkLines(QPlainTextEdit& memo, const QList<int>& lines)
{
    QList<QTextEdit::ExtraSelection> marks;
    for (const int line : lines) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(memo.document()->findBlockByNumber(line));
        mark.format.setBackground(QColor(255, 236, 179));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks << mark;
    }
    memo.setExtraSelections(marks);
}
} // namespace

TfmCompare::TfmCompare(const QString& title, const QString& leftCaption, const QString& leftText,
                       const QString& rightCaption, const QString& rightText, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowCloseButtonHint)
{
    setObjectName("fmCompare");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    auto* layout = new QGridLayout(this);
    memLeft = AddSide(*layout, 0, leftCaption, leftText, "memLeft");
    memRight = AddSide(*layout, 1, rightCaption, rightText, "memRight");
    const QStringList left = leftText.split(u'\n');
    const QStringList right = rightText.split(u'\n');
    MarkLines(*memLeft, LinesApart(left, right));
    MarkLines(*memRight, LinesApart(right, left));
    resize(900, 560);
}
