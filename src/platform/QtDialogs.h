#pragma once

#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

/// The real dialogs: Qt message boxes and file dialogs, titled with the application title.
class QtDialogs : public Dialogs {
public:
    QtDialogs(QWidget* parent, QString title);

    /// The window the boxes stand over when the writer is in none of the program's windows; it
    /// may be made after the dialogs.
    void SetParent(QWidget* parent) { FParent = parent; }
    /// The window a question belongs to, so that closing it leaves the writer where they were:
    /// the one the writer is in (a modal dialog, an editor), else the parent.
    QWidget* AskingWindow() const;

    void ShowInformation(const QString& text) override;
    void ShowWarning(const QString& text, const QString& reason) override;
    Answer AskYesNoCancel(const QString& text) override;
    bool AskOkCancel(const QString& text) override;
    int AskChoice(const QString& text, const QStringList& choices) override;
    QString AskOpenFileName(const QString& title, const QString& folder, const QString& filter,
                            const QString& defaultSuffix) override;
    QString AskSaveFileOfType(const QString& title, const QString& folder, const QStringList& filters,
                              QString& chosenFilter) override;
    QString AskSaveFileName(const QString& title, const QString& folder, const QString& filter,
                            const QString& defaultSuffix, const QString& hint) override;
    bool AskPrinter(QPrinter& printer) override;
    bool RunModal(QDialog& dialog) override;

    /// The box every message is shown in: plain text, so that names holding markup show as
    /// they are spelt, with the reason (if any) as its informative text.
    std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString& text,
                                         const QString& reason,
                                         QMessageBox::StandardButtons buttons) const;

    /// The file dialog the two questions show: Qt's own, so that it behaves alike on every
    /// desktop. An open dialog takes any typed name (the caller says when it is missing); a
    /// save dialog leaves the question before replacing a file to the caller. A hint, when
    /// given, stands beneath the controls as plain text.
    std::unique_ptr<QFileDialog> MakeFileDialog(QFileDialog::AcceptMode mode, const QString& title,
                                                const QString& folder, const QString& filter,
                                                const QString& defaultSuffix, const QString& hint = {}) const;

private:
    QString RunFileDialog(QFileDialog::AcceptMode mode, const QString& title, const QString& folder,
                          const QString& filter, const QString& defaultSuffix, const QString& hint = {});

    int Run(QMessageBox::Icon icon, const QString& text, const QString& reason,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);

    QPointer<QWidget> FParent;
    QString FTitle;
    /// The window the writer was last in: a dialog that hides as it asks leaves no active
    /// window behind it until the window system activates another.
    QPointer<QWidget> FLastActive;
    QObject FWatch; ///< the context of the connection that follows the active window
};
