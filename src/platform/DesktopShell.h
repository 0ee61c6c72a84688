#pragma once

#include "platform/Shell.h"

#include <functional>

/// The real desktop: folders open through the desktop's URL handler, and help requests go to
/// the program's own help window once one is attached.
class DesktopShell : public Shell {
public:
    using HelpViewer = std::function<void(const QString& keyword)>;

    void ExploreFolder(const QString& folder) override;
    void BringToFront(QWidget* window) override;
    void StartDetached(const QString& program, const QStringList& arguments) override;
    void ShowHelp(const QString& keyword) override;

    /// The help window lives above this layer; the program attaches it after making it.
    void SetHelpViewer(HelpViewer viewer) { FHelpViewer = std::move(viewer); }

private:
    HelpViewer FHelpViewer;
};
