#pragma once

#include "compile/ManuscriptDocument.h"

#include <QFont>
#include <QPageLayout>
#include <QTextFormat>

/// How a manuscript looks: its fonts, spacing and page, plain or in standard manuscript form.
namespace ManuscriptLook {
/// The body font: 12 pt serif.
QFont BodyFont();
/// The page: A4, or Letter where the locale measures in inches; 1 inch margins.
QPageLayout PageLayout();
/// The format of a block; `line` counts the title page's lines (author, word count, title, author).
QTextBlockFormat BlockFormat(ManuscriptBlock kind, bool standard, int line = 0);
QTextCharFormat CharFormat(ManuscriptBlock kind, bool standard);
} // namespace ManuscriptLook
