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
