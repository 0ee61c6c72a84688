#include "editor/FindReplace.h"

TfmFindReplace::TfmFindReplace(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("fmFindReplace");
    setWindowTitle(QStringLiteral("Find & Replace"));
}
