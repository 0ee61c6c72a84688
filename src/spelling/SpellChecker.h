#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

class Dialogs;
class MessageTable;
class QWidget;
class SpellCheckRun;
class SpellEngine;
class SpellTarget;
class SpellCheck;

/// What a check covers.
enum TCheckMode {
    ckWholeText = 3, ///< the whole text, from its start to its end
};

/// An editor's spell checker: it checks the text of a control with its own dialog beside the
/// editor, writing corrections into the text, and shows the configuration dialog. Every editor
/// has one; the dictionary and the configuration behind them are the program's (SpellEngine).
class TSpellChecker : public QObject {
    Q_OBJECT
public:
    /// `window` is the editor window the dialogs belong to.
    TSpellChecker(
        SpellEngine& engine, Dialogs& dialogs, const MessageTable& messages, QWidget* window);
    ~TSpellChecker() override;

    /// Checks the target's text, showing each word to put to the writer in the dialog, and says
    /// when the check is complete; a check already running comes to the front instead. With no
    /// dictionary it says so and checks nothing.
    void Check(SpellTarget& target, TCheckMode mode);
    /// The Spelling Options dialog; the new settings apply to every editor at once.
    void ShowConfigDialog();
    /// Ends a running check as Cancel does: the caret goes back where it was, no message shows.
    void StopCheck();
    bool Running() const { return FRun != nullptr; }
    /// The interface language changed: an open check dialog follows it.
    void ApplyCaptions();
    /// The check dialog while a check runs; none otherwise.
    SpellCheck* Dialog() const;

signals:
    /// The check dialog lost activation.
    void DialogDeactivate();

private:
    /// Finds the next word to put to the writer, or ends the check.
    void Advance();
    void Finish(bool cancelled);
    void ShowDialog();
    /// Moves the dialog off the selected word when it covers it.
    void KeepOutOfTheWay();
    SpellCheck& CheckDialog();

    SpellEngine& FEngine;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
    QWidget* FWindow;
    std::unique_ptr<SpellCheckRun> FRun;
    SpellTarget* FTarget = nullptr;
    QPointer<SpellCheck> FDialog;
};
