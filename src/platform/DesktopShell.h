#pragma once

#include "platform/Shell.h"

/// The real desktop: folders open through the desktop's URL handler.
class DesktopShell : public Shell {
public:
    void ExploreFolder(const QString& folder) override;
    void BringToFront(QWidget* window) override;
    void StartDetached(const QString& program, const QStringList& arguments) override;
};
