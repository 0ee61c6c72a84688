#include "project/ProjectFiles.h"

#include "platform/IniFile.h"
#include "project/ProjectPaths.h"

#include <algorithm>

ProjectFileData ReadProjectFile(const IniFile& file)
{
    const ProjectFileData defaults;
    ProjectFileData data;
    data.Window = ReadWindowBounds(file, "AppWindow", defaults.Window);
    data.Window.Maximised = file.ReadBool("Application", "Maximised", defaults.Window.Maximised);
    data.Window.HasBounds = data.Window.Top != -1;
    data.TargetWordCount = file.ReadInteger("Workspace", "TargetWordCount", defaults.TargetWordCount);
    data.BoldBaseType = file.ReadBool("Workspace", "BoldBaseType", defaults.BoldBaseType);
    data.Size = WorkspaceSizeFrom(file.ReadInteger("Workspace", "Size", defaults.Size));
    data.ThemeName = file.ReadString("Theme", "Name", defaults.ThemeName);
    data.Zoom = file.ReadInteger("Workspace", "Zoom", defaults.Zoom);
    data.Goals.DailyTarget = std::max(0, file.ReadInteger("Goals", "DailyTarget", 0));
    data.Goals.SessionTarget = std::max(0, file.ReadInteger("Goals", "SessionTarget", 0));
    data.Goals.Deadline = QDate::fromString(file.ReadString("Goals", "Deadline", QString()), Qt::ISODate);
    return data;
}

void WriteProjectFile(IniFile& file, const ProjectFileData& data)
{
    file.WriteBool("Application", "Maximised", data.Window.Maximised);
    if (!data.Window.Maximised)
        WriteWindowBounds(file, "AppWindow", data.Window);
    file.WriteInteger("Workspace", "TargetWordCount", data.TargetWordCount);
    file.WriteBool("Workspace", "BoldBaseType", data.BoldBaseType);
    file.WriteInteger("Workspace", "Size", WorkspaceSizeFrom(data.Size));
    file.WriteString("Theme", "Name", data.ThemeName);
    if (data.Zoom != ProjectFileData().Zoom || file.HasKey("Workspace", "Zoom"))
        file.WriteInteger("Workspace", "Zoom", data.Zoom);
    if (data.Goals != ProjectGoals() || file.HasKey("Goals", "DailyTarget")) {
        file.WriteInteger("Goals", "DailyTarget", data.Goals.DailyTarget);
        file.WriteInteger("Goals", "SessionTarget", data.Goals.SessionTarget);
        file.WriteString("Goals", "Deadline", data.Goals.Deadline.toString(Qt::ISODate));
    }
}

namespace {
// The card file's sections and keys, made once: thousands of card files are read at a time.
const QString StateData = QStringLiteral("StateData");
const QString Type = QStringLiteral("Type");
const QString State = QStringLiteral("State");
const QString Position = QStringLiteral("Position");
const QString Left = QStringLiteral("Left");
const QString Top = QStringLiteral("Top");
const QString Description = QStringLiteral("Description");
const QString Text = QStringLiteral("Text");
const QString LinkTo = QStringLiteral("LinkTo");
const QString Name = QStringLiteral("Name");
} // namespace

CardFileData ReadCardFile(const IniFile& file)
{
    const CardFileData defaults;
    CardFileData data;
    data.StoredType = file.ReadInteger(StateData, Type, defaults.StoredType);
    data.State = file.ReadInteger(StateData, State, defaults.State);
    data.Left = file.ReadInteger(Position, Left, defaults.Left);
    data.Top = file.ReadInteger(Position, Top, defaults.Top);
    data.Description = file.ReadString(Description, Text, defaults.Description);
    // A card's name may begin or end with a blank: the link keeps it as stored.
    data.LinkToName = file.ReadUntrimmed(LinkTo, Name, defaults.LinkToName);
    return data;
}

void WriteCardState(IniFile& file, const CardFileData& data)
{
    file.WriteInteger(StateData, Type, data.StoredType);
    file.WriteInteger(StateData, State, data.State);
    file.WriteInteger(Position, Left, data.Left);
    file.WriteInteger(Position, Top, data.Top);
    file.WriteString(Description, Text, data.Description);
}

void WriteCardFile(IniFile& file, const CardFileData& data)
{
    WriteCardState(file, data);
    file.WriteString(LinkTo, Name, data.LinkToName);
}

int StoredTypeToType(int stored)
{
    if (stored == -1)
        return 0;
    return stored >= 0 && stored <= 11 ? stored + 1 : 1;
}

int TypeToStoredType(int type)
{
    if (type == 0)
        return -1;
    return type >= 1 && type <= 12 ? type - 1 : 0;
}

int StateToStored(int state) { return state >= 0 && state <= 5 ? state : 0; }

int WorkspaceSizeFrom(int stored) { return stored == 1 || stored == 2 ? stored : 0; }

bool IsCardFileName(const QString& fileName)
{
    return fileName.size() > ProjectPaths::CardExtension.size()
        && fileName.endsWith(ProjectPaths::CardExtension, Qt::CaseInsensitive);
}

QString CardNameOfFile(const QString& fileName)
{
    return IsCardFileName(fileName) ? fileName.chopped(ProjectPaths::CardExtension.size()) : fileName;
}
