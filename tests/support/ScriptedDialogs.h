#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

/// Answers the program's questions from a queue the test fills beforehand, records every text
/// shown, and fails the test on a question it was not told to expect.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Information, Warning, YesNoCancel, OkCancel, Choice, OpenFile, SaveFile, SaveFileOfType, Modal, Printer };
    /// What a test does with a dialog the program runs: it drives the dialog's controls with
    /// real events; the dialog's own buttons close it.
    using DialogScript = std::function<void(QDialog&)>;

    struct Shown {
        Kind kind;
        QString text;
        QString reason; ///< the system's reason beneath a warning, or the folder a file dialog opened in
        QString folder = {}; ///< the folder a save dialog of several types opened in
        QString filter = {}; ///< the filter such a dialog opened with
    };

    ~ScriptedDialogs() override;

    void ExpectYesNoCancel(Answer answer);
    void ExpectOkCancel(bool ok);
    /// The index of the button chosen; -1 closes the box without a choice.
    void ExpectChoice(int index);
    void ExpectOpenFileName(const QString& path);
    void ExpectSaveFileName(const QString& path);
    /// The writer types `path` in a save dialog of several types, with the filter of index
    /// `filter` chosen.
    void ExpectSaveFileOfType(const QString& path, int filter);
    void ExpectModal(DialogScript script);
    /// The print dialog prints into this PDF file; an empty path cancels it.
    void ExpectPrinter(const QString& pdfPath);

    void ShowInformation(const QString& text) override;
    void ShowWarning(const QString& text, const QString& reason) override;
    Answer AskYesNoCancel(const QString& text) override;
    bool AskOkCancel(const QString& text) override;
    int AskChoice(const QString& text, const QStringList& choices) override;
    /// The scripted path is what the writer typed; the folder the dialog opened in is logged.
    QString AskOpenFileName(const QString& title, const QString& folder, const QString& filter,
                            const QString& defaultSuffix) override;
    /// Also logs the hint, as the text's second line.
    QString AskSaveFileName(const QString& title, const QString& folder, const QString& filter,
                            const QString& defaultSuffix, const QString& hint) override;
    /// Also logs the filters offered, one a line, as the reason, the folder and the filter the
    /// dialog opened with.
    QString AskSaveFileOfType(const QString& title, const QString& folder, const QStringList& filters,
                              QString& chosenFilter) override;
    bool AskPrinter(QPrinter& printer) override;
    bool RunModal(QDialog& dialog) override;

    /// Every message and question shown so far, in order.
    const QList<Shown>& History() const { return FLog; }
    /// The texts alone.
    QStringList Texts() const;
    /// The last message or question shown; an empty one, after failing the test, when none was.
    const Shown& Last() const;
    QString LastText() const { return Last().text; }
    /// Forgets the history (the queue of answers stays).
    void ClearHistory() { FLog.clear(); }

private:
    struct Scripted {
        Kind kind;
        QVariant value;
        DialogScript script;
        int filter = 0; ///< the filter chosen in a dialog of several types
    };
    /// Logs the question and takes its scripted answer; an empty one when none was expected.
    Scripted Next(Kind kind, const QString& text);

    QList<Scripted> FQueue;
    QList<Shown> FLog;
};
