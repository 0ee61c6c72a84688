#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;

/// The answer to a Yes/No/Cancel question.
enum class Answer { Yes, No, Cancel };

/// Every modal question and message of the program passes through this seam, so that tests can
/// answer them from a script instead of blocking on a real message box. Texts are shown as plain
/// text: a file or card name is never read as markup.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    /// Information box with OK: results and refusals.
    virtual void ShowInformation(const QString& text) = 0;
    /// Warning box with OK: file read and write errors. The message is the headline; the
    /// system's reason ("No space left on device"), when there is one, stands beneath it.
    virtual void ShowWarning(const QString& text, const QString& reason) = 0;
    /// Question with Yes, No and Cancel before unsaved work could be lost.
    virtual Answer AskYesNoCancel(const QString& text) = 0;
    /// Question with OK and Cancel before an edit that cannot be undone; true for OK.
    virtual bool AskOkCancel(const QString& text) = 0;
    /// Question whose answers are the caller's own buttons, `choices` in order, the first the
    /// default: the index of the one chosen, or -1 when the box was closed without a choice.
    virtual int AskChoice(const QString& text, const QStringList& choices) = 0;
    /// Open-file dialog; an empty result means the user cancelled. The writer may type any
    /// name: whether it exists is the caller's to say, after the caller has given a name typed
    /// without an extension the `defaultSuffix` (such as "nodex").
    virtual QString AskOpenFileName(const QString& title, const QString& folder, const QString& filter,
                                    const QString& defaultSuffix = {}) = 0;
    /// Save-file dialog; an empty result means the user cancelled. A name typed without an
    /// extension gets `defaultSuffix`. It does not ask before replacing a file: only the caller
    /// knows the name that will really be written, and asks for that one. A `hint` stands in
    /// the dialog beneath the name, telling what a save there will do.
    virtual QString AskSaveFileName(const QString& title, const QString& folder, const QString& filter,
                                    const QString& defaultSuffix = {}, const QString& hint = {}) = 0;
    /// Save-file dialog offering several file types, one filter each; an empty result means the
    /// user cancelled. The name comes back as typed, and `chosenFilter`, the filter chosen when
    /// the dialog opens (the first when it is none of them), receives the filter the writer
    /// chose: only the caller knows which extensions pick a type of their own.
    virtual QString AskSaveFileOfType(const QString& title, const QString& folder, const QStringList& filters,
                                      QString& chosenFilter) = 0;
    /// The print dialog, which offers printing to a PDF file; true when the writer chose to print.
    virtual bool AskPrinter(QPrinter& printer) = 0;
    /// Runs one of the program's own dialogs modally; true when it closed with OK.
    virtual bool RunModal(QDialog& dialog) = 0;
};
