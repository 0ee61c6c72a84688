#include "properties/Properties.h"

TfmProperties::TfmProperties(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("fmProperties");
    setWindowTitle(QStringLiteral("New Nodex"));
}
