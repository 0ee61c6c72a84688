#include "editor/ImportFile.h"

#include "editor/RtfReader.h"
#include "platform/TextFile.h"

#include <QFileInfo>

bool IsImportableFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "txt" || suffix == "rtf";
}

bool ReadImportFile(const QString& path, QString& text, QString& error)
{
    if (QFileInfo(path).suffix().toLower() != "rtf")
        return ReadTextFile(path, text, error);
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    if (!RtfToPlainText(bytes, text, error))
        return false;
    text = NormaliseLineEnds(text);
    return true;
}
