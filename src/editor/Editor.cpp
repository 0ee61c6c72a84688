#include "editor/Editor.h"

TfmEditor::TfmEditor(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName("fmEditor");
    setWindowTitle(QStringLiteral("Nodex"));
}
