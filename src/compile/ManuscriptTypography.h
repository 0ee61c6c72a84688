#pragma once

#include "editor/InlineMarkup.h"

/// Printer's quotes and dashes for text typed on a keyboard: `"` and `'` become “ ” ‘ ’ by
/// what stands around them (an apostrophe within a word, as in "don't", or before a year, as
/// in "'90s", is ’), and a double hyphen an em dash. Only what is printed changes; the card files
/// never do.
namespace ManuscriptTypography {
/// The text with curly quotes and dashes; `before` is the character printed just before it
/// (the end of the previous run of the same paragraph), a null QChar at a paragraph's start.
QString Curled(QStringView text, QChar before = QChar());
/// Each run curled in the light of the runs before it, so that a quote right after an
/// emphasised word closes.
void Curl(QList<StyledRun>& runs);
} // namespace ManuscriptTypography
