#pragma once

#include "platform/Dialogs.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <memory>

/// The real dialogs: Qt message boxes and file dialogs, titled with the application title.
class QtDialogs : public Dialogs {
public:
    QtDialogs(QWidget* parent, QString title);

    /// The window the boxes stand over; it may be made after the dialogs.
    void SetParent(QWidget* parent) { FParent = parent; }

    void ShowInformation(const QString& text) override;
    void ShowWarning(const QString& text, const QString& reason) override;
    Answer AskYesNoCancel(const QString& text) override;
    bool AskOkCancel(const QString& text) override;
    QString AskOpenFileName(const QString& title, const QString& folder,
                            const QString& filter) override;
    QString AskSaveFileName(const QString& title, const QString& folder,
                            const QString& filter) override;
    bool AskPrinter(QPrinter& printer) override;
    bool RunModal(QDialog& dialog) override;

    /// The box every message is shown in: plain text, so that names holding markup show as
    /// they are spelt, with the reason (if any) as its informative text.
    std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString& text,
                                         const QString& reason,
                                         QMessageBox::StandardButtons buttons) const;

private:
    int Run(QMessageBox::Icon icon, const QString& text, const QString& reason,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);

    QPointer<QWidget> FParent;
    QString FTitle;
};
