#include "app/WorkspaceSize.h"

QSize WorkspaceCanvasSize(int workspaceSize, QSize screen, QSize windowExtra)
{
    switch (workspaceSize) {
    case 1:
        return screen * 2;
    case 2:
        return screen * 4;
    default:
        return {screen.width() - windowExtra.width() + 4, screen.height() - windowExtra.height() + 4};
    }
}
