#include "picture/PictureDecoding.h"

#include "picture/PictureLoader.h"

bool FitsPictureLimit(int width, int height)
{
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide;
}

QString PictureTooLarge()
{
    return QStringLiteral("the picture is larger than %1 x %1 pixels").arg(MaxPictureSide);
}

QString PictureNoMemory()
{
    return QStringLiteral("there is not enough memory for the picture");
}

QString TooManyRecords()
{
    return QStringLiteral("the metafile has more than %1 records").arg(MaxMetafileRecords);
}

bool WithinDrawingBudget(int records, int width, int height, QString& reason)
{
    if (qint64(records) * width * height <= MaxMetafileWork)
        return true;
    reason = QStringLiteral("the metafile has too many records (%1) for a picture of %2 x %3 "
                            "pixels")
                 .arg(records)
                 .arg(width)
                 .arg(height);
    return false;
}
