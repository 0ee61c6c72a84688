#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

/// Labels wrap at this width, or at their longest word when that is wider.
constexpr int LabelWrapWidth = 120;
/// A description drawn on a card takes at most this many lines.
constexpr int MaxDescriptionLines = 3;

struct LabelSize {
    int Width = 0;
    int Height = 0;
};

/// Measures a card label as the canvas draws it: centred, word-wrapped at the wrap width (or the
/// longest word), as wide as its widest line.
LabelSize MeasureLabel(const QString& text, const QFont& font);

/// A card's description as drawn under its name: wrapped at `width`, at most `maxLines` lines,
/// the last one elided (…) when the text goes on.
QStringList StoryLines(const QString& text, const QFont& font, int width, int maxLines);

/// The flags the label is measured and drawn with; "&" is shown literally.
int LabelTextFlags();
