#include "compile/Compile.h"

TfmCompile::TfmCompile(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("fmCompile");
    setWindowTitle(QStringLiteral("Nodex Compilation"));
}
