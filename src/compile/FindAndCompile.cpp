#include "compile/FindAndCompile.h"

TfmFindAndCompile::TfmFindAndCompile(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("fmFindAndCompile");
    setWindowTitle(QStringLiteral("Find & Compile"));
}
