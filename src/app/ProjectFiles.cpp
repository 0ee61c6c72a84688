#include "app/ProjectFiles.h"

#include "canvas/NodexObject.h"
#include "platform/IniFile.h"

ProjectFileData ReadProjectFile(const IniFile& file)
{
    ProjectFileData data;
    data.Maximised = file.ReadBool("Application", "Maximised", false);
    data.Top = file.ReadInteger("AppWindow", "Top", -1);
    data.Left = file.ReadInteger("AppWindow", "Left", -1);
    data.Width = file.ReadInteger("AppWindow", "Width", -1);
    data.Height = file.ReadInteger("AppWindow", "Height", -1);
    data.TargetWordCount = file.ReadInteger("Workspace", "TargetWordCount", 0);
    data.BoldBaseType = file.ReadBool("Workspace", "BoldBaseType", true);
    data.Size = WorkspaceSizeFrom(file.ReadInteger("Workspace", "Size", 0));
    data.ThemeName = file.ReadString("Theme", "Name", "Book.ini");
    return data;
}

void WriteProjectFile(IniFile& file, const ProjectFileData& data)
{
    file.WriteBool("Application", "Maximised", data.Maximised);
    if (!data.Maximised) {
        file.WriteInteger("AppWindow", "Top", data.Top);
        file.WriteInteger("AppWindow", "Left", data.Left);
        file.WriteInteger("AppWindow", "Width", data.Width);
        file.WriteInteger("AppWindow", "Height", data.Height);
    }
    file.WriteInteger("Workspace", "TargetWordCount", data.TargetWordCount);
    file.WriteBool("Workspace", "BoldBaseType", data.BoldBaseType);
    file.WriteInteger("Workspace", "Size", WorkspaceSizeFrom(data.Size));
    file.WriteString("Theme", "Name", data.ThemeName);
}

CardFileData ReadCardFile(const IniFile& file)
{
    CardFileData data;
    data.StoredType = file.ReadInteger("StateData", "Type", 0);
    data.State = file.ReadInteger("StateData", "State", 0);
    data.Left = file.ReadInteger("Position", "Left", 100);
    data.Top = file.ReadInteger("Position", "Top", 100);
    data.Description = file.ReadString("Description", "Text", QString());
    data.LinkToName = file.ReadString("LinkTo", "Name", QString());
    return data;
}

void WriteCardFile(IniFile& file, const CardFileData& data)
{
    file.WriteInteger("StateData", "Type", data.StoredType);
    file.WriteInteger("StateData", "State", data.State);
    file.WriteInteger("Position", "Left", data.Left);
    file.WriteInteger("Position", "Top", data.Top);
    file.WriteString("Description", "Text", data.Description);
    file.WriteString("LinkTo", "Name", data.LinkToName);
}

CardFileData CardFileRecord(const TNodex& card)
{
    CardFileData data;
    data.StoredType = TypeToStoredType(card.Type());
    data.State = StateToStored(card.State());
    data.Left = card.Left();
    data.Top = card.Top();
    data.Description = card.Description();
    data.LinkToName = card.LinkTo() ? card.LinkTo()->Name() : QString();
    return data;
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

QString CardNameOfFile(const QString& fileName)
{
    const int extension = fileName.indexOf(".ndx");
    return extension < 0 ? fileName : fileName.left(extension);
}
