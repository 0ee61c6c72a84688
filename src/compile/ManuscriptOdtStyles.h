#pragma once

#include "compile/ManuscriptDocument.h"

#include <QByteArray>

/// The styles.xml of a manuscript's ODT package: the page and its margins, the body face, a
/// paragraph style for every part of the document and, in standard form, the title page's
/// layout and the running header.
namespace ManuscriptOdtStyles {
QByteArray Bytes(const ManuscriptDocument& manuscript);
} // namespace ManuscriptOdtStyles
