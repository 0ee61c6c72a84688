#include "picture/EmfRenderer.h"

#include "picture/PictureDecoding.h"
#include "picture/PictureLoader.h"
#include "picture/SvgPicture.h"

#include <QSvgRenderer>
#include <cstdlib>
#include <cstring>
#include <emf2svg.h>

namespace {

// Checks the record structure before libemf2svg sees it (one header with the EMF signature and
// a non-empty frame, records inside the file, a closing EOF record): the converter trusts
// record sizes and would read past the end of a truncated file. The records are counted too, as
// each one costs the converter and QtSvg time and memory.
bool CheckEmf(const QByteArray& bytes, QString& reason)
{
    int records = 0;
    reason = QStringLiteral("the content is not a valid enhanced metafile");
    const qsizetype headerMinimum = 88;
    if (bytes.size() < headerMinimum || DoubleWord(bytes, 0) != 1
        || DoubleWord(bytes, 40) != 0x464D4520u)
        return false;
    const qint64 width = qint64(SignedDoubleWord(bytes, 16)) - SignedDoubleWord(bytes, 8);
    const qint64 height = qint64(SignedDoubleWord(bytes, 20)) - SignedDoubleWord(bytes, 12);
    if (width <= 0 || height <= 0) {
        reason = QStringLiteral("the enhanced metafile has no size");
        return false;
    }
    if (width > MaxPictureSide || height > MaxPictureSide) {
        reason = PictureTooLarge();
        return false;
    }
    qsizetype offset = 0;
    while (bytes.size() - offset >= 8) {
        if (++records > MaxMetafileRecords) {
            reason = TooManyRecords();
            return false;
        }
        const quint32 type = DoubleWord(bytes, offset);
        const quint32 size = DoubleWord(bytes, offset + 4);
        if (size < 8 || size % 4 != 0 || qint64(size) > bytes.size() - offset)
            return false;
        const bool header = offset == 0;
        if (header != (type == 1) || (header && size < headerMinimum))
            return false;
        if (type == 14)
            return WithinDrawingBudget(records, int(width), int(height), reason);
        offset += qsizetype(size);
    }
    return false;
}

} // namespace

bool DrawEmf(const QByteArray& bytes, QImage& image, QString& reason)
{
    if (!CheckEmf(bytes, reason))
        return false;
    reason = QStringLiteral("the enhanced metafile is damaged");

    // Zero padding past the end softens any small over-read inside the converter's records.
    QByteArray input = bytes;
    input.append(QByteArray(4096, '\0'));
    generatorOptions options;
    std::memset(&options, 0, sizeof options);
    options.nameSpace = nullptr;
    options.svgDelimiter = true;
    options.imgWidth = 0;
    options.imgHeight = 0;
    char* text = nullptr;
    size_t length = 0;
    const int converted = emf2svg(input.data(), size_t(bytes.size()), &text, &length, &options);
    const QByteArray svg(text, text ? qsizetype(length) : 0);
    std::free(text);
    if (!converted || svg.isEmpty())
        return false;

    const QSize size = QSvgRenderer(svg).defaultSize();
    if (!size.isValid() || size.isEmpty()) {
        reason = QStringLiteral("the enhanced metafile has no size");
        return false;
    }
    if (!FitsPictureLimit(size.width(), size.height())) {
        reason = PictureTooLarge();
        return false;
    }
    return RenderSvg(svg, size, image, reason);
}
