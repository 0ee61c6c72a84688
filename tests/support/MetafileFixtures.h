#pragma once

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QSize>

/// Builds small Windows metafiles byte by byte, so that tests can give themes WMF and EMF icons
/// without shipping binary fixtures. Both draw one filled shape without an outline on a
/// transparent picture whose pixel size is `size` (logical units are pixels at 96 dpi).
namespace MetafileFixtures {

enum class Shape { Ellipse, Rectangle };

/// A placeable WMF: window origin and extent, a transparent background mode (as most writers
/// set it), a solid brush, a null pen, the shape, `fillers` records that change nothing, EOF.
QByteArray Wmf(QSize size, Shape shape, const QRect& box, const QColor& colour, int fillers = 0);
/// An EMF: header, a transparent background mode, a solid brush, the stock null pen, the shape,
/// `fillers` records that change nothing, EOF.
QByteArray Emf(QSize size, Shape shape, const QRect& box, const QColor& colour, int fillers = 0);

/// The usual icon: a shape filling the picture but for a 4-pixel margin.
inline QRect InsetBox(QSize size)
{
    return QRect(QPoint(0, 0), size).adjusted(4, 4, -4, -4);
}

} // namespace MetafileFixtures
