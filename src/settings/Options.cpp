#include "settings/Options.h"

TfmOptions::TfmOptions(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("fmOptions");
    setWindowTitle(QStringLiteral("Nodex Options"));
}
