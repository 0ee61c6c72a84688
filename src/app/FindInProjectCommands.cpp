#include "app/FindInProjectCommands.h"

#include "app/Main.h"
#include "app/ProjectReplace.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "editor/EditorMemo.h"
#include "search/FindInProjectWindow.h"

FindInProjectCommands::FindInProjectCommands(TfmMain& window)
    : QObject(&window)
    , FWindow(window)
{
    connect(
        window.Menus().mnuFindInProject, &QAction::triggered, this, &FindInProjectCommands::Open);
    window.Editors().FindInProject = [this] { Open(); };
}

FindInProjectCommands::~FindInProjectCommands()
{
    FWindow.Editors().FindInProject = nullptr;
    delete FFind;
}

void FindInProjectCommands::Open()
{
    if (!FFind) {
        // A window of its own that goes with the main window.
        FFind = new FindInProjectWindow(FWindow.Messages(), &FWindow);
        FFind->Snapshot = [this] { return Snapshot(); };
        connect(
            FFind, &FindInProjectWindow::OpenRequested, this, &FindInProjectCommands::ShowMatch);
        connect(
            FFind, &FindInProjectWindow::ReplaceRequested, this, &FindInProjectCommands::Replace);
    }
    FFind->showNormal();
    FFind->raise();
    FFind->activateWindow();
}

QList<SearchedCard> FindInProjectCommands::Snapshot() const
{
    const ProjectModel& model = FWindow.Model();
    QList<SearchedCard> cards;
    cards.reserve(model.Cards().size());
    for (CardId id : model.Cards()) {
        const CardData& data = model.Card(id);
        SearchedCard card { id, data.Name, data.Description, {}, false, {} };
        if (const TfmEditor* editor = FWindow.CardEditors().Of(id)) {
            card.TextOpen = true;
            card.OpenText = editor->memEditor->Text();
        } else {
            card.TextPath = FWindow.Store().TextFilePath(id);
        }
        cards.append(std::move(card));
    }
    return cards;
}

void FindInProjectCommands::ShowMatch(
    CardId card, ReplacedField field, qsizetype start, qsizetype length)
{
    TNodex* item = FWindow.Follower().Item(card);
    // The card may have gone since it was searched.
    if (!item)
        return;
    FWindow.View().SelectCard(*item);
    TfmEditor* open = FWindow.CardEditors().Of(card);
    // The properties are not offered while the card's editor is open: the editor comes up.
    if (field == ReplacedField::Text || open) {
        FWindow.OpenCardEditor(item);
        TfmEditor* editor = FWindow.CardEditors().Of(card);
        if (editor && field == ReplacedField::Text)
            editor->SelectText(start, length);
    } else {
        FWindow.Cards().Properties();
    }
    FWindow.UpdateCaption();
}

void FindInProjectCommands::Replace(
    const QList<CardReplacement>& replacements, const QString& pattern)
{
    const ProjectReplaceResult result = ReplaceInProject(FWindow, pattern, replacements);
    FFind->ShowReplaced(result.CardsChanged, result.Refused);
}
