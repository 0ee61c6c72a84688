#pragma once

#include <QString>

class QWidget;

/// The desktop around the program: the file manager and the window manager.
class Shell {
public:
    virtual ~Shell() = default;

    /// Opens a folder in the file manager; a missing folder is the file manager's affair.
    virtual void ExploreFolder(const QString& folder) = 0;
    /// Raises and activates a window, as when a second file is handed to the program.
    virtual void BringToFront(QWidget* window) = 0;
};
