#pragma once

#include <QFont>
#include <QString>

/// Labels wrap at this width, or at their longest word when that is wider.
constexpr int LabelWrapWidth = 120;

struct LabelSize {
    int Width = 0;
    int Height = 0;
};

/// Measures a card label as the canvas draws it: centred, word-wrapped at the wrap width (or the
/// longest word), as wide as its widest line.
LabelSize MeasureLabel(const QString& text, const QFont& font);

/// The flags the label is measured and drawn with; "&" is shown literally.
int LabelTextFlags();
