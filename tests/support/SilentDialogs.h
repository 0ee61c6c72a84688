#pragma once

#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <QStringList>

/// Answers every question with No or Cancel and shows nothing, for the runs that have no one
/// to answer: benchmarks and the fuzz driver.
class SilentDialogs : public Dialogs {
public:
    void ShowInformation(const QString&) override {}
    void ShowWarning(const QString&, const QString&) override {}
    Answer AskYesNoCancel(const QString&) override { return Answer::No; }
    bool AskOkCancel(const QString&) override { return false; }
    int AskChoice(const QString&, const QStringList&) override { return -1; }
    QString AskOpenFileName(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString AskSaveFileName(const QString&, const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString AskSaveFileOfType(const QString&, const QString&, const QStringList&, QString&) override { return {}; }
    bool RunModal(QDialog&) override { return false; }
    bool AskPrinter(QPrinter&) override { return false; }
};

/// A desktop that does nothing.
class NoShell : public Shell {
public:
    void ExploreFolder(const QString&) override {}
    void BringToFront(QWidget*) override {}
    void StartDetached(const QString&, const QStringList&) override {}
    void ShowHelp(const QString&) override {}
};
