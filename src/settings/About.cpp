#include "settings/About.h"

TfmAbout::TfmAbout(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("fmAbout");
    setWindowTitle(QStringLiteral("About Nodex"));
}
