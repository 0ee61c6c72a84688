#include "app/ProjectStore.h"

#include "app/Main.h"
#include "app/ProjectFiles.h"
#include "canvas/Canvas.h"
#include "canvas/CardHint.h"
#include "canvas/Links.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexObject.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/WaitCursor.h"
#include "settings/MessageTable.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString ProjectExtension = QStringLiteral(".nodex");
const QString CardExtension = QStringLiteral(".ndx");

/// The extension of a file name in lower case, with its dot; empty when it has none.
QString LowerExtension(const QString& fileName)
{
    const int dot = fileName.lastIndexOf('.');
    return dot < 0 ? QString() : fileName.mid(dot).toLower();
}

/// Makes one folder level when it is missing; false when it neither exists nor can be made.
bool EnsureFolder(const QString& folder)
{
    return QFileInfo(folder).isDir() || QDir().mkdir(folder);
}
} // namespace

ProjectStore::ProjectStore(TfmMain& main)
    : FMain(main)
{
}

bool ProjectStore::OpenProject(const QString& path)
{
    if (!FMain.isVisible())
        FMain.show();
    FMain.HideSplash();

    const QFileInfo info(path);
    const QString folder = info.absolutePath() + "/";
    QString fileName = info.fileName();
    const QString extension = LowerExtension(fileName);
    if (extension.isEmpty()) {
        fileName += ProjectExtension;
    } else if (extension != ProjectExtension) {
        FMain.Dialog().ShowInformation(FMain.Messages().Text(MessageKey::ONLY_PROJECTS));
        return false;
    }
    if (!QFileInfo::exists(folder + fileName)) {
        FMain.Dialog().ShowInformation(
            "'" + fileName + "' " + FMain.Messages().Text(MessageKey::DOES_NOT_EXIST));
        return false;
    }

    ProjectState& state = FMain.State();
    state.ProjectFolder = folder;
    state.ProjectFileName = fileName;
    bool loaded = false;
    {
        WaitCursor wait;
        FMain.ClearCanvas();
        loaded = LoadProject();
    }
    if (!loaded) {
        FMain.Dialog().ShowWarning(FMain.Messages().Text(MessageKey::ERROR_READING_FILE));
        // No half-loaded project may remain.
        FMain.CloseProject();
        return false;
    }
    FMain.UpdateCaption();
    return true;
}

bool ProjectStore::LoadProject()
{
    ProjectState& state = FMain.State();
    IniFile project(state.ProjectFolder + state.ProjectFileName);
    QString error;
    if (!project.Load(error))
        return false;

    const ProjectFileData data = ReadProjectFile(project);
    if (data.Top != -1) {
        FMain.move(data.Left, data.Top);
        FMain.resize(data.Width, data.Height);
    }
    FMain.setWindowState(data.Maximised ? Qt::WindowMaximized : Qt::WindowNoState);
    state.WorkspaceSize = data.Size;
    FMain.ApplyWorkspaceSize();
    state.TargetWordCount = data.TargetWordCount;
    state.BoldBaseType = data.BoldBaseType;
    FMain.CurrentTheme().ThemeName = data.ThemeName;
    if (!data.ThemeName.isEmpty())
        FMain.Themes().LoadTheme(data.ThemeName);

    // Sorted by name, so that a project opens the same way on every file system.
    const QStringList cardFiles = QDir(state.ProjectFolder)
                                      .entryList({"*" + CardExtension},
                                                 QDir::Files | QDir::Hidden | QDir::CaseSensitive,
                                                 QDir::Name);
    for (const QString& fileName : cardFiles) {
        const QString name = CardNameOfFile(fileName);
        if (name.size() > MaxCardNameLength)
            continue;
        IniFile cardFile(state.ProjectFolder + fileName);
        if (!cardFile.Load(error))
            return false;
        LoadCard(name, ReadCardFile(cardFile));
    }
    ResolveStoredLinks(FMain.Canvas().Cards());

    FMain.Selection().CurrentCard = nullptr;
    state.ProjectOnDisk = true;
    state.PristineWorkspace = false;
    FMain.CurrentTheme().NextCardType = 1;
    FMain.Selection().DoubleClickPending = false;
    state.Modified = false;
    return true;
}

void ProjectStore::LoadCard(const QString& name, const CardFileData& data)
{
    const Theme& theme = FMain.CurrentTheme();
    TCanvas& canvas = FMain.Canvas();
    TNodex* card = canvas.CreateCard();
    card->MoveTo(data.Left, data.Top);
    card->SetName(name);
    card->SetBoldBaseType(FMain.State().BoldBaseType);
    FMain.SetCardType(*card, data.StoredType);
    FMain.Themes().ApplyThemeToCard(*card);
    // A state the theme does not name falls back to the first state.
    const bool namedState = data.State >= 0 && data.State < theme.StateNames.size()
        && !theme.StateNames[data.State].isEmpty();
    card->SetState(namedState ? data.State : 0);
    card->SetLinkToName(data.LinkToName);
    card->SetDescription(data.Description);
    card->SetHint(BuildCardHint(card->Description()));
    FMain.Themes().ApplyStateMarker(*card);
    canvas.BringToFront(card);
    card->setVisible(true);
    canvas.BringToFront(card->NameLabel());
}

void ProjectStore::SaveProject()
{
    ProjectState& state = FMain.State();
    if (!EnsureFolder(state.ProjectFolder) || !EnsureFolder(state.ProjectFolder + "Text Files/")) {
        FMain.Dialog().ShowWarning(FMain.Messages().Text(MessageKey::ERROR_WRITING_PROJECT));
        return;
    }
    bool projectWritten = false;
    bool cardsWritten = true;
    {
        WaitCursor wait;
        projectWritten = WriteProject();
        if (projectWritten) {
            for (TNodex* card : FMain.Canvas().Cards())
                cardsWritten = SaveCard(*card) && cardsWritten;
            state.ProjectOnDisk = true;
        }
    }
    if (!projectWritten) {
        FMain.Dialog().ShowWarning(FMain.Messages().Text(MessageKey::ERROR_WRITING_PROJECT));
        state.ProjectOnDisk = false;
    }
    // What could not be written is still only in memory: keep it marked so closing asks.
    state.Modified = !(projectWritten && cardsWritten);
    state.PristineWorkspace = false;
    FMain.Selection().DoubleClickPending = false;
    FMain.UpdateCaption();
}

bool ProjectStore::WriteProject()
{
    const ProjectState& state = FMain.State();
    IniFile file(state.ProjectFolder + state.ProjectFileName);
    QString error;
    if (!file.Load(error))
        return false;
    ProjectFileData data;
    data.Maximised = FMain.isMaximized();
    data.Top = FMain.y();
    data.Left = FMain.x();
    data.Width = FMain.width();
    data.Height = FMain.height();
    data.TargetWordCount = state.TargetWordCount;
    data.BoldBaseType = state.BoldBaseType;
    data.Size = state.WorkspaceSize;
    data.ThemeName = FMain.CurrentTheme().ThemeName;
    WriteProjectFile(file, data);
    return file.Save(error);
}

bool ProjectStore::SaveCard(TNodex& card)
{
    IniFile file(FMain.State().ProjectFolder + card.Name() + CardExtension);
    QString error;
    // Read first, so that what others keep in the card file (an editor's placement) survives.
    bool written = file.Load(error);
    if (written) {
        WriteCardFile(file, CardFileRecord(card));
        written = file.Save(error);
    }
    if (!written)
        FMain.Dialog().ShowWarning(FMain.Messages().Text(MessageKey::ERROR_WRITING_NODEX));
    FMain.UpdateCaption();
    return written;
}
