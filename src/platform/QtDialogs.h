#pragma once

#include "platform/Dialogs.h"

#include <QPointer>
#include <QWidget>

/// The real dialogs: Qt message boxes and file dialogs, titled with the application title.
class QtDialogs : public Dialogs {
public:
    QtDialogs(QWidget* parent, QString title);

    /// The window the boxes stand over; it may be made after the dialogs.
    void SetParent(QWidget* parent) { Parent = parent; }

    void ShowInformation(const QString& text) override;
    void ShowWarning(const QString& text) override;
    Answer AskYesNoCancel(const QString& text) override;
    bool AskOkCancel(const QString& text) override;
    QString AskOpenFileName(const QString& title, const QString& folder,
                            const QString& filter) override;
    QString AskSaveFileName(const QString& title, const QString& folder,
                            const QString& filter) override;

private:
    QPointer<QWidget> Parent;
    QString Title;
};
