#pragma once

#include <QDialog>

class MessageTable;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;
struct SpellProblem;

/// The spell check's dialog: the word in its line, the spellings to choose from, and the
/// writer's answers. It stays open beside the editor while the writer goes on; every decision
/// is the checker's, the dialog only shows a word and passes the answer on.
class SpellCheck : public QDialog {
    Q_OBJECT
public:
    SpellCheck(const MessageTable& messages, QWidget* parent);

    /// Shows a word to the writer.
    void ShowProblem(const SpellProblem& problem);
    /// Takes every caption from the message table again, after a change of language.
    void ApplyCaptions();

    QLabel* lblProblem;
    QTextEdit* memContext;
    QLabel* lblChangeTo;
    QLineEdit* edtChangeTo;
    QLabel* lblSuggestions;
    QListWidget* lbSuggestions;
    QPushButton* btnIgnore;
    QPushButton* btnIgnoreAll;
    QPushButton* btnChange;
    QPushButton* btnChangeAll;
    QPushButton* btnAdd;
    QPushButton* btnCancel;

signals:
    void IgnoreClicked();
    void IgnoreAllClicked();
    void ChangeClicked(const QString& replacement);
    void ChangeAllClicked(const QString& replacement);
    void AddClicked();
    /// Cancel, Esc or the window's close button.
    void CancelClicked();
    /// The dialog lost activation.
    void Deactivated();

protected:
    void changeEvent(QEvent* event) override;
    void reject() override;

private:
    const MessageTable& FMessages;
    bool FRepeated = false; ///< the word shown is a repeated word, not a misspelling
};
