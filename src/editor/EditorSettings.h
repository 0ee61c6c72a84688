#pragma once

#include <QString>

/// How editor windows are placed: each card's own place, one shared place, or the system's.
enum class EditMemory { RememberAll = 0, Single = 1, None = 2 };

/// What an editor takes from the settings and the project each time it is opened.
struct EditorSettings {
    EditMemory WindowMemory = EditMemory::Single;
    bool AutoSave = false;
    int AutoSaveInterval = 15; ///< minutes
    bool StayOnTop = false;
    QString FontName;
    int FontSize = 11;
    int TargetWordCount = 0;   ///< the project's; 0 for none
};
