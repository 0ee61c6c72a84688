#include "editor/FindReplace.h"

#include "editor/EditorMemo.h"
#include "editor/MemoPositions.h"
#include "editor/MemoText.h"
#include "editor/TextSearch.h"
#include "platform/Dialogs.h"
#include "platform/WaitCursor.h"
#include "messages/MessageTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
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

void TfmFindReplace::SetEditor(QWidget* editor, EditorMemo* memo)
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
    const MemoPositions positions(*FMemo->document());
    const qsizetype from = positions.Offset(FMemo->textCursor().selectionEnd());
    const qsizetype found = FindForward(FMemo->Text(), from, text, cbMatchCase->isChecked());
    if (found >= 0) {
        // The occurrence starts after the soft breaks at its start and ends before those at its
        // end.
        QTextCursor cursor(FMemo->document());
        cursor.setPosition(positions.Position(found, true));
        cursor.setPosition(positions.Position(found + text.size(), false), QTextCursor::KeepAnchor);
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
    return MatchesSearch(FMemo->SelectedText(), edtFind->text(), cbMatchCase->isChecked());
}

void TfmFindReplace::ReplaceSelection()
{
    FMemo->InsertText(edtReplace->text());
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
    if (!FEditor || edtFind->text().isEmpty() || FMemo->isReadOnly())
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
    const QString replacement = edtReplace->text();
    const QString text = FMemo->Text();
    const MemoPositions positions(*FMemo->document());
    QList<qsizetype> found;
    for (qsizetype at = positions.Offset(FMemo->textCursor().selectionStart());
         (at = FindForward(text, at, needle, cbMatchCase->isChecked())) >= 0; at += needle.size())
        found << at;
    QTextCursor cursor(FMemo->document());
    QTextCursor last; // after the last replacement, moved along by the edits before it
    cursor.beginEditBlock();
    for (auto at = found.crbegin(); at != found.crend(); ++at) {
        cursor.setPosition(positions.Position(*at, true));
        cursor.setPosition(positions.Position(*at + needle.size(), false), QTextCursor::KeepAnchor);
        InsertMemoText(cursor, replacement);
        if (last.isNull())
            last = cursor;
    }
    SplitLongBlocks(*FMemo->document(), cursor.position(), last.position());
    cursor.endEditBlock();
    FMemo->setTextCursor(last);
    FMemo->ensureCursorVisible();
    activateWindow();
}
