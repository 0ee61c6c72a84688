#include "MetafileFixtures.h"

#include <QDataStream>
#include <QIODevice>
#include <initializer_list>

namespace MetafileFixtures {

// Metafiles are little-endian throughout.
namespace {

// A COLORREF: red, green, blue, zero.
quint32 ColourRef(const QColor& colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

// WMF records count their length in 16-bit words, header included.
void WmfRecord(QByteArray& records, quint16 function, std::initializer_list<quint16> params)
{
    QDataStream out(&records, QIODevice::WriteOnly | QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(3 + params.size()) << function;
    for (const quint16 param : params)
        out << param;
}

void EmfRecord(QByteArray& records, quint32 type, std::initializer_list<qint32> params)
{
    QDataStream out(&records, QIODevice::WriteOnly | QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << type << quint32(8 + 4 * params.size());
    for (const qint32 param : params)
        out << param;
}

} // namespace

QByteArray Wmf(QSize size, Shape shape, const QRect& box, const QColor& colour, int fillers)
{
    const quint32 colourRef = ColourRef(colour);
    const quint16 colourLow = quint16(colourRef & 0xFFFF);
    const quint16 colourHigh = quint16(colourRef >> 16);
    const quint16 right = quint16(box.x() + box.width());
    const quint16 bottom = quint16(box.y() + box.height());

    QByteArray records;
    WmfRecord(records, 0x020B, { 0, 0 }); // SETWINDOWORG y, x
    WmfRecord(records, 0x020C, { quint16(size.height()), quint16(size.width()) }); // SETWINDOWEXT
    WmfRecord(records, 0x0102, { 1 }); // SETBKMODE TRANSPARENT
    WmfRecord(records, 0x02FC, { 0, colourLow, colourHigh, 0 }); // CREATEBRUSHINDIRECT, solid
    WmfRecord(records, 0x02FA, { 5, 0, 0, 0, 0 }); // CREATEPENINDIRECT, PS_NULL
    WmfRecord(records, 0x012D, { 0 }); // SELECTOBJECT brush
    WmfRecord(records, 0x012D, { 1 }); // SELECTOBJECT pen
    WmfRecord(records, shape == Shape::Ellipse ? 0x0418 : 0x041B,
        { bottom, right, quint16(box.y()), quint16(box.x()) });
    QByteArray filler;
    WmfRecord(filler, 0x0102, { 1 }); // SETBKMODE TRANSPARENT again
    records.append(filler.repeated(fillers));
    WmfRecord(records, 0x0000, {}); // EOF

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // Placeable header: bounding box in units of 1/96 inch, so one unit is one screen pixel.
    const quint16 placeable[10]
        = { 0xCDD7, 0x9AC6, 0, 0, 0, quint16(size.width()), quint16(size.height()), 96, 0, 0 };
    quint16 checksum = 0;
    for (const quint16 word : placeable) {
        out << word;
        checksum ^= word;
    }
    out << checksum;
    const quint32 headerWords = 9;
    out << quint16(1) << quint16(headerWords) << quint16(0x0300)
        << quint32(headerWords + records.size() / 2) << quint16(2) << quint32(8) << quint16(0);
    out.writeRawData(records.constData(), int(records.size()));
    return bytes;
}

QByteArray Emf(QSize size, Shape shape, const QRect& box, const QColor& colour, int fillers)
{
    const qint32 nullPen = qint32(0x80000008);
    QByteArray records;
    EmfRecord(records, 18, { 1 }); // SETBKMODE TRANSPARENT
    EmfRecord(records, 39, { 1, 0, qint32(ColourRef(colour)), 0 }); // CREATEBRUSHINDIRECT
    EmfRecord(records, 37, { 1 }); // SELECTOBJECT brush
    EmfRecord(records, 37, { nullPen }); // SELECTOBJECT stock NULL_PEN
    EmfRecord(records, shape == Shape::Ellipse ? 42 : 43,
        { box.x(), box.y(), box.x() + box.width(), box.y() + box.height() });
    QByteArray filler;
    EmfRecord(filler, 28, {}); // SETMETARGN, the smallest record there is
    records.append(filler.repeated(fillers));
    EmfRecord(records, 14, { 0, 16, 20 }); // EOF, no palette
    const int recordCount = 7 + fillers;

    const qint32 headerSize = 108;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(1) << quint32(headerSize);
    // Bounds in device pixels; the converter takes right - left as the width.
    out << qint32(0) << qint32(0) << qint32(size.width()) << qint32(size.height());
    // Frame in 0.01 mm at 96 dpi.
    out << qint32(0) << qint32(0) << qint32(size.width() * 2540 / 96)
        << qint32(size.height() * 2540 / 96);
    out << quint32(0x464D4520) << quint32(0x00010000) << quint32(headerSize + records.size())
        << quint32(recordCount) << quint16(2) << quint16(0);
    out << quint32(0) << quint32(0) << quint32(0); // description, palette
    // A reference device of 1920 x 1440 pixels on 508 x 381 mm is 96 dpi.
    out << qint32(1920) << qint32(1440) << qint32(508) << qint32(381);
    out << quint32(0) << quint32(0) << quint32(0); // pixel format, OpenGL
    out << qint32(508000) << qint32(381000);
    out.writeRawData(records.constData(), int(records.size()));
    return bytes;
}

} // namespace MetafileFixtures
