#pragma once

#include <QString>
#include <QStringList>

class QWidget;

/// The desktop around the program: the file manager, the window manager and the help viewer.
class Shell {
public:
    virtual ~Shell() = default;

    /// Opens a folder in the file manager; a missing folder is the file manager's affair.
    virtual void ExploreFolder(const QString& folder) = 0;
    /// Raises and activates a window, as when a second file is handed to the program.
    virtual void BringToFront(QWidget* window) = 0;
    /// Starts a program that runs on by itself, such as a desktop database tool.
    virtual void StartDetached(const QString& program, const QStringList& arguments) = 0;
    /// Shows the help: an empty keyword opens the index page (context 0), a keyword such as
    /// "Quick Keys" the page that holds it.
    virtual void ShowHelp(const QString& keyword) = 0;
};
