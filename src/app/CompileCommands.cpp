#include "app/CompileCommands.h"

#include "app/CardCommands.h"
#include "app/EditorWindows.h"
#include "app/WordCountCommands.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasState.h"
#include "canvas/Nodex.h"
#include "canvas/Theme.h"
#include "compile/Compile.h"
#include "compile/FindAndCompile.h"
#include "editor/Editor.h"
#include "editor/TextSearch.h"
#include "platform/WaitCursor.h"
#include "project/ProjectState.h"
#include "project/ProjectStore.h"

#include <QFileInfo>
#include <QHash>

CompileCommands::CompileCommands(ProjectState& project, CanvasState& selection, CanvasScene& canvas,
                                 CanvasFollower& follower, ProjectStore& store, EditorWindows& editors,
                                 CardCommands& cards)
    : FProject(project)
    , FSelection(selection)
    , FCanvas(&canvas)
    , FFollower(follower)
    , FStore(store)
    , FEditors(editors)
    , FCardCommands(cards)
{
}

void CompileCommands::SetCompileWindows(TfmCompile& compile, TfmFindAndCompile& findAndCompile)
{
    fmCompile = &compile;
    fmFindAndCompile = &findAndCompile;
    compile.EnsureCompilationCard = [this] {
        FCardCommands.EnsureCompilationCard();
        CardsChanged();
    };
    compile.CompilationNameFree = [this](QString& reason) { return FCardCommands.CompilationNameFree(reason); };
    compile.FilesOf = [this](const QStringList& names) {
        // One index for the whole list: searching the canvas for each name of a long chain
        // would cost the square of its length. Filled last first, so the first card of a name wins.
        QHash<QString, const TNodex*> cards;
        cards.reserve(FCanvas->CardCount());
        for (auto card = FCanvas->Cards().crbegin(); card != FCanvas->Cards().crend(); ++card)
            cards.insert((*card)->Name(), *card);
        QList<CompileFiles> files;
        files.reserve(names.size());
        for (const QString& name : names) {
            const TNodex* card = cards.value(name);
            files << (card ? CompileFiles{FStore.CardFilePath(card->Id()), FStore.TextFilePath(card->Id())}
                           : CompileFilesOf(FProject.ProjectFolder, name));
        }
        return files;
    };
    findAndCompile.FindAndCompile = [this](const QString& text, bool matchCase, bool clearList) {
        FindAndCompile(text, matchCase, clearList);
    };
    FCardCommands.Context().CardRenamed = [&compile](const QString& oldName, const QString& newName) {
        compile.RenameEntries(oldName, newName);
    };
    FCardCommands.Context().CardDeleted = [&compile](const QString& name) { compile.RemoveFirstEntry(name); };
}

void CompileCommands::ShowCompileWindow()
{
    fmCompile->SettingsFile = FProject.Folders.SettingsFile();
    fmCompile->ProjectFolder = FProject.ProjectFolder;
    fmCompile->ProjectName = QFileInfo(FProject.ProjectFileName).completeBaseName();
    fmCompile->ProjectFileName = FProject.ProjectFileName;
    fmCompile->ShowCompileWindow();
}

void CompileCommands::mnuExportManuscriptClick()
{
    // An empty list is first filled as Compile fills it.
    if (fmCompile->Names().isEmpty())
        mnuCompileClick();
    else
        ShowCompileWindow();
    fmCompile->ExportManuscript();
}

void CompileCommands::mnuCompileClick()
{
    TNodex* current = FSelection.CurrentCard;
    if (current) {
        WaitCursor wait;
        if (FSelection.SelectedCards.size() >= 2) {
            QStringList names;
            for (const TNodex* card : FSelection.SelectedCards)
                if (card->Type() != CompilationType)
                    names << card->Name();
            fmCompile->SetNames(names);
        } else if (current->LinkTo()) {
            // The chain from the current card on; a loop in a damaged project is walked once.
            QStringList names;
            for (const TNodex* card : FFollower.ChainItems(current))
                names << card->Name();
            fmCompile->SetNames(names);
        } else if (current->Type() != CompilationType) {
            fmCompile->AppendOnce(current->Name());
        }
    }
    ShowCompileWindow();
}

void CompileCommands::pmnuToCompilationClick()
{
    TNodex* current = FSelection.CurrentCard;
    if (!current)
        return;
    if (current->Type() != CompilationType)
        fmCompile->AppendOnce(current->Name());
    ShowCompileWindow();
}

void CompileCommands::FindAndCompile(const QString& text, bool matchCase, bool clearList)
{
    if (FCanvas->CardCount() > 0) {
        WaitCursor wait;
        if (clearList)
            fmCompile->ClearAll();
        for (const TNodex* card : FCanvas->Cards()) {
            if (card->Type() == CompilationType)
                continue;
            const std::optional<QString> cardText = CardText(FEditors.Of(card->Id()), FStore.TextFilePath(card->Id()));
            if (cardText && FindForward(*cardText, 0, text, matchCase) >= 0)
                fmCompile->Append(card->Name());
        }
    }
    ShowCompileWindow();
}

void CompileCommands::mnuFindAndCompileClick()
{
    if (fmFindAndCompile)
        fmFindAndCompile->show();
}

void CompileCommands::ClearList()
{
    if (fmCompile)
        fmCompile->ClearAll();
}
