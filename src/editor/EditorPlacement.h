#pragma once

#include "platform/WindowBounds.h"

#include <QString>

// Where an editor window stands, kept in an "EditWindow" section: in the card's own file when
// each card keeps its editor's place, or in the settings file for every editor. The file is
// read and written key by key, so that its other keys and sections survive; the window applies
// what is read.

/// The placement in the file at `path`; a missing or damaged file gives the editor's default
/// place.
WindowPlacement ReadEditorPlacement(const QString& path);
/// Writes the placement (whether maximised, and the bounds) into the file at `path`; false,
/// with the reason, when the file could not be read or written.
bool WriteEditorPlacement(const QString& path, const WindowPlacement& placement, QString& error);
