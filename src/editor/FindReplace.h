#pragma once

#include <QDialog>

class Dialogs;
class MessageTable;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class EditorMemo;

/// The find-and-replace dialog of an editor window: searches the memo forward from the
/// selection (never wrapping round), replaces one occurrence or all of them, and stays on top
/// while the writer goes on typing. Replacements are ordinary edits that Undo takes back.
class TfmFindReplace : public QDialog {
    Q_OBJECT
public:
    /// `replaceAllWarned` is the program's one flag: the Replace All warning shows once a run.
    TfmFindReplace(Dialogs& dialogs, const MessageTable& messages, bool& replaceAllWarned,
                   QWidget* parent = nullptr);

    /// The editor whose memo is searched; commands do nothing until it is set.
    void SetEditor(QWidget* editor, EditorMemo* memo);
    /// Copies the captions of another dialog (the translated template).
    void CopyCaptionsFrom(const TfmFindReplace& other);

    /// Searches from the end of the selection; selects what it finds. `interactive` shows the
    /// hourglass, the not-found message, and gives the focus back to the dialog.
    bool Find(const QString& text, bool interactive);
    void Replace();
    void ReplaceAll();

    QGroupBox* gbFind;
    QLineEdit* edtFind;
    QCheckBox* cbMatchCase;
    QCheckBox* cbFromTop;
    QGroupBox* gbReplace;
    QLineEdit* edtReplace;
    QPushButton* btnFind;
    QPushButton* btnReplace;
    QPushButton* btnReplaceAll;
    QPushButton* btnClose;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool SelectionMatches() const;
    void ReplaceSelection();
    /// "Start From Top" applies once: the caret goes to the start and the box is cleared.
    void StartFromTopOnce(bool scroll);
    void BringEditorToFront();

    Dialogs& FDialogs;
    const MessageTable& FMessages;
    bool& FReplaceAllWarned;
    QWidget* FEditor = nullptr;
    EditorMemo* FMemo = nullptr;
};
