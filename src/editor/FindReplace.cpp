#include "editor/FindReplace.h"

#include "editor/TextSearch.h"
#include "platform/Dialogs.h"
#include "platform/WaitCursor.h"
#include "settings/MessageTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QVBoxLayout>

#include <optional>

namespace {
constexpr int MaxSearchChars = 60;
} // namespace

TfmFindReplace::TfmFindReplace(Dialogs& dialogs, const MessageTable& messages,
                               bool& replaceAllWarned, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint
                          | Qt::WindowCloseButtonHint)
    , gbFind(new QGroupBox(QStringLiteral(" Find ")))
    , edtFind(new QLineEdit)
    , cbMatchCase(new QCheckBox(QStringLiteral("&Match Case")))
    , cbFromTop(new QCheckBox(QStringLiteral("&Start From Top")))
    , gbReplace(new QGroupBox(QStringLiteral(" Replace With ")))
    , edtReplace(new QLineEdit)
    , btnFind(new QPushButton(QStringLiteral("&Find")))
    , btnReplace(new QPushButton(QStringLiteral("&Replace")))
    , btnReplaceAll(new QPushButton(QStringLiteral("Replace &All")))
    , btnClose(new QPushButton(QStringLiteral("&Close")))
    , FDialogs(dialogs)
    , FMessages(messages)
    , FReplaceAllWarned(replaceAllWarned)
{
    setObjectName("fmFindReplace");
    setWindowTitle(QStringLiteral("Find & Replace"));
    const std::pair<QObject*, const char*> names[] = {{gbFind, "gbFind"}, {edtFind, "edtFind"},
        {cbMatchCase, "cbMatchCase"}, {cbFromTop, "cbFromTop"}, {gbReplace, "gbReplace"},
        {edtReplace, "edtReplace"}, {btnFind, "btnFind"}, {btnReplace, "btnReplace"},
        {btnReplaceAll, "btnReplaceAll"}, {btnClose, "btnClose"}};
    for (const auto& [object, name] : names)
        object->setObjectName(name);
    edtFind->setMaxLength(MaxSearchChars);
    edtReplace->setMaxLength(MaxSearchChars);
    btnFind->setDefault(true);
    btnClose->setShortcut(Qt::Key_Escape);

    auto* find = new QGridLayout(gbFind);
    find->addWidget(edtFind, 0, 0, 1, 2);
    find->addWidget(cbMatchCase, 1, 0);
    find->addWidget(cbFromTop, 1, 1);
    auto* replace = new QVBoxLayout(gbReplace);
    replace->addWidget(edtReplace);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {btnFind, btnReplace, btnReplaceAll, btnClose})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* fields = new QVBoxLayout;
    fields->addWidget(gbFind);
    fields->addWidget(gbReplace);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnFind, &QPushButton::clicked, this, [this] {
        if (!edtFind->text().isEmpty())
            Find(edtFind->text(), true);
    });
    connect(btnReplace, &QPushButton::clicked, this, &TfmFindReplace::Replace);
    connect(btnReplaceAll, &QPushButton::clicked, this, &TfmFindReplace::ReplaceAll);
    // Closing only hides: the texts and boxes keep their state for the next use.
    connect(btnClose, &QPushButton::clicked, this, &QDialog::hide);

    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.center() - rect().center());
}

void TfmFindReplace::SetEditor(QWidget* editor, QPlainTextEdit* memo)
{
    FEditor = editor;
    FMemo = memo;
}

void TfmFindReplace::CopyCaptionsFrom(const TfmFindReplace& other)
{
    setWindowTitle(other.windowTitle());
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setText(other.findChild<QPushButton*>(button->objectName())->text());
    for (QGroupBox* box : findChildren<QGroupBox*>())
        box->setTitle(other.findChild<QGroupBox*>(box->objectName())->title());
    for (QCheckBox* box : findChildren<QCheckBox*>())
        box->setText(other.findChild<QCheckBox*>(box->objectName())->text());
}

void TfmFindReplace::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    edtFind->setFocus();
    edtFind->selectAll();
}

void TfmFindReplace::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Leaving the dialog for anything but the editor's text puts it away; a click into the
    // text leaves it standing beside the writer.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && FMemo && !FMemo->hasFocus()
        && QApplication::activeWindow() != FEditor)
        hide();
}

void TfmFindReplace::BringEditorToFront()
{
    FEditor->raise();
    FEditor->activateWindow();
}

void TfmFindReplace::StartFromTopOnce(bool scroll)
{
    if (!cbFromTop->isChecked())
        return;
    cbFromTop->setChecked(false);
    QTextCursor cursor = FMemo->textCursor();
    cursor.movePosition(QTextCursor::Start);
    FMemo->setTextCursor(cursor);
    if (scroll)
        FMemo->ensureCursorVisible();
}

bool TfmFindReplace::Find(const QString& text, bool interactive)
{
    if (!FEditor)
        return false;
    BringEditorToFront();
    std::optional<WaitCursor> wait;
    if (interactive)
        wait.emplace();
    StartFromTopOnce(interactive);
    const QTextCursor selection = FMemo->textCursor();
    const qsizetype found = FindForward(FMemo->toPlainText(), selection.selectionEnd(), text, cbMatchCase->isChecked());
    if (found >= 0) {
        QTextCursor cursor(FMemo->document());
        cursor.setPosition(int(found));
        cursor.setPosition(int(found + text.size()), QTextCursor::KeepAnchor);
        FMemo->setTextCursor(cursor);
    } else if (interactive) {
        wait.reset();
        FDialogs.ShowInformation(FMessages.Text(MessageKey::NOT_FOUND) + " '" + text + "'");
    }
    if (interactive && isVisible()) {
        FMemo->ensureCursorVisible();
        activateWindow();
    }
    return found >= 0;
}

bool TfmFindReplace::SelectionMatches() const
{
    return MatchesSearch(FMemo->textCursor().selectedText(), edtFind->text(), cbMatchCase->isChecked());
}

void TfmFindReplace::ReplaceSelection()
{
    FMemo->textCursor().insertText(edtReplace->text());
}

void TfmFindReplace::Replace()
{
    if (!FEditor || edtFind->text().isEmpty())
        return;
    BringEditorToFront();
    StartFromTopOnce(true);
    if (SelectionMatches())
        ReplaceSelection();
    Find(edtFind->text(), true);
}

void TfmFindReplace::ReplaceAll()
{
    if (!FEditor || edtFind->text().isEmpty())
        return;
    BringEditorToFront();
    if (!FReplaceAllWarned) {
        FReplaceAllWarned = true;
        if (!FDialogs.AskOkCancel(FMessages.Text(MessageKey::REPLACE_ALL)))
            return;
    }
    if (SelectionMatches())
        ReplaceSelection();
    if (!Find(edtFind->text(), true))
        return;
    WaitCursor wait;
    // Every occurrence from here to the end, found in one pass over the text and replaced
    // from the last to the first, so that positions stay valid; one step for Undo.
    const QString needle = edtFind->text();
    const QString text = FMemo->toPlainText();
    QList<qsizetype> found;
    for (qsizetype at = FMemo->textCursor().selectionStart(); (at = FindForward(text, at, needle, cbMatchCase->isChecked())) >= 0; at += needle.size())
        found << at;
    QTextCursor cursor(FMemo->document());
    cursor.beginEditBlock();
    for (auto at = found.crbegin(); at != found.crend(); ++at) {
        cursor.setPosition(int(*at));
        cursor.setPosition(int(*at + needle.size()), QTextCursor::KeepAnchor);
        cursor.insertText(edtReplace->text());
    }
    cursor.endEditBlock();
    const qsizetype growth = edtReplace->text().size() - needle.size();
    cursor.setPosition(int(found.last() + (found.size() - 1) * growth + edtReplace->text().size()));
    FMemo->setTextCursor(cursor);
    FMemo->ensureCursorVisible();
    activateWindow();
}
