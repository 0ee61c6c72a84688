#pragma once

#include <QColor>
#include <QString>

#include <optional>

/// Converts a colour string: hexadecimal digits read as one number in blue-green-red order, so
/// "FF0000" is blue and "0000FF" red. Empty text or anything but hexadecimal digits gives none.
std::optional<QColor> ParseColourString(const QString& text);

/// The colour of `text`, or of `fallback` when `text` does not convert.
QColor ColourOrDefault(const QString& text, const QString& fallback);

/// A colour as the theme spells it together with the colour it stands for, converted once when
/// it is set rather than at every repaint.
struct ColourSetting {
    QString Text;
    QColor Colour;

    /// Takes `text`, or `fallback` when `text` does not convert.
    void Set(const QString& text, const QString& fallback);
};
