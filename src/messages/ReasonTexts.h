#pragma once

#include <QString>

/// The reasons the program's file and document code gives beneath a message ("Cannot write
/// 'A.txt': the file is read-only."). They are built in English and replaced from a language
/// file like every other text; the system's own words for an error come from the system.
enum class Reason {
    CANNOT_OPEN,
    CANNOT_READ,
    NOT_A_REGULAR_FILE,
    LARGER_THAN,
    CANNOT_WRITE,
    WRITE_THROUGH_LINK,
    WRITE_NOT_REGULAR,
    WRITE_READ_ONLY,
    WRITE_WITHOUT_NAME,
    WRITE_BUSY,
    WRITE_UNREAD,
    MOVE_TARGET_EXISTS,
    CANNOT_MOVE,
    CANNOT_REMOVE,
    RTF_TOO_DEEP,
    NOT_RTF,
    PDF_WITHOUT_NAME,
    NO_PRINTER,
    PRINTER_REFUSED,
    CANNOT_CREATE,
    CANNOT_MOVE_TO,
    CANNOT_COPY,
    CANNOT_READ_FOLDER,
    FOLDER_MISSING,
    COPY_LINK_OUT,
    CHANGED_ON_DISK,
    PROGRAM_STOPPED,
    BACKUP_LEFT_OUT,
    BACKUP_TOO_LARGE,
    DICTIONARY_DAMAGED,
    NOT_TEXT,
};

/// The reason's text now, with its "%1" (and "%2") still to fill.
QString ReasonText(Reason reason);
/// Replaces a reason's text; an empty text leaves it, so no reason can become empty.
void SetReasonText(Reason reason, const QString& text);
/// The reason's key in a language file, e.g. "CANNOT_WRITE".
QString ReasonName(Reason reason);
QString BuiltInReason(Reason reason);
/// How many reasons there are.
int ReasonCount();
