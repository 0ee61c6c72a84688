#pragma once

/// The application settings the main window holds for the other windows.
struct AppSettings {
    bool DescriptiveHints = false; ///< card descriptions show as tooltips
    bool SelectNextLink = true;    ///< a Ctrl-click link moves the selection along
};
