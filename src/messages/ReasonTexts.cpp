#include "messages/ReasonTexts.h"

#include <array>

namespace {
struct Text {
    const char* Name;
    const char* English;
};

// In the order of Reason.
constexpr std::array<Text, 31> BuiltIn = {{
    {"CANNOT_OPEN", "Cannot open '%1': %2"},
    {"CANNOT_READ", "Cannot read '%1': %2"},
    {"NOT_A_REGULAR_FILE", "not a regular file."},
    {"LARGER_THAN", "it is larger than %1, more than such a file ever holds."},
    {"CANNOT_WRITE", "Cannot write '%1': %2"},
    {"WRITE_THROUGH_LINK",
     "Cannot write '%1': it is a symbolic link, and Nodex never writes through a link, so that no other file is changed."},
    {"WRITE_NOT_REGULAR", "Cannot write '%1': not a regular file."},
    {"WRITE_READ_ONLY", "Cannot write '%1': the file is read-only."},
    {"WRITE_WITHOUT_NAME", "Cannot write a file without a name."},
    {"WRITE_BUSY", "Cannot write '%1': another program is writing it at this moment."},
    {"WRITE_UNREAD", "Cannot write '%1': it could not be read, and its other entries would be lost."},
    {"MOVE_TARGET_EXISTS", "Cannot move '%1': '%2' already exists."},
    {"CANNOT_MOVE", "Cannot move '%1': %2"},
    {"CANNOT_REMOVE", "Cannot remove '%1': %2"},
    {"RTF_TOO_DEEP", "The document is nested too deeply to be read."},
    {"NOT_RTF", "The file is not a rich-text (RTF) document."},
    {"PDF_WITHOUT_NAME", "No name was given for the PDF file."},
    {"NO_PRINTER", "No printer is set up on this computer; print to a PDF file instead."},
    {"PRINTER_REFUSED", "The printer '%1' did not take the job."},
    {"CANNOT_CREATE", "Cannot create '%1': %2"},
    {"CANNOT_MOVE_TO", "Cannot move '%1' to '%2': %3"},
    {"CANNOT_COPY", "Cannot copy '%1': %2"},
    {"CANNOT_READ_FOLDER", "Cannot read the folder '%1': %2"},
    {"FOLDER_MISSING", "The folder '%1' does not exist."},
    {"COPY_LINK_OUT", "Cannot copy '%1': it is a link that leads out of the project folder."},
    {"CHANGED_ON_DISK", "'%1' was changed by another program since Nodex read it, and was not overwritten."},
    {"PROGRAM_STOPPED", "'%1' did not finish within %2 seconds and was stopped."},
    {"BACKUP_LEFT_OUT",
     "These are links that lead out of the project folder and were left out of the backup, which holds every other file: %1"},
    {"BACKUP_TOO_LARGE", "Cannot back up '%1': the backup would be larger than 4 GiB, more than a zip file holds."},
    {"DICTIONARY_DAMAGED", "'%1' is damaged: its line %2 counts more entries than the file holds."},
    {"NOT_TEXT", "Cannot read '%1': it holds bytes that are no text."},
}};
static_assert(int(Reason::NOT_TEXT) + 1 == int(BuiltIn.size()));

// The texts of the language in use: a catalogue, like a translator's, that every part of the
// program reads from.
std::array<QString, BuiltIn.size()>& Current()
{
    static std::array<QString, BuiltIn.size()> texts = [] {
        std::array<QString, BuiltIn.size()> english;
        for (std::size_t i = 0; i < BuiltIn.size(); ++i)
            english[i] = QString::fromUtf8(BuiltIn[i].English);
        return english;
    }();
    return texts;
}
} // namespace

QString ReasonText(Reason reason) { return Current()[std::size_t(reason)]; }

void SetReasonText(Reason reason, const QString& text)
{
    if (!text.isEmpty())
        Current()[std::size_t(reason)] = text;
}

QString ReasonName(Reason reason) { return QString::fromLatin1(BuiltIn[std::size_t(reason)].Name); }

QString BuiltInReason(Reason reason) { return QString::fromUtf8(BuiltIn[std::size_t(reason)].English); }

int ReasonCount() { return int(BuiltIn.size()); }
