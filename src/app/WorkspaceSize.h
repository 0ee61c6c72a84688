#pragma once

#include <QSize>

/// The canvas size for a workspace size setting: 1 twice and 2 four times the screen in each
/// direction; otherwise the screen less the window's frame and menu, plus 4 pixels.
QSize WorkspaceCanvasSize(int workspaceSize, QSize screen, QSize windowExtra);
