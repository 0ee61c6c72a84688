#include "app/OutlineCommands.h"

#include "app/Main.h"
#include "app/WordCountCommands.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "messages/MessageTable.h"
#include "outline/OutlineDock.h"
#include "outline/OutlineModel.h"
#include "platform/Dialogs.h"
#include "properties/Properties.h"
#include "steps/ChainStep.h"
#include "steps/ChangeCardStep.h"

#include <QMenu>
#include <QTreeView>

OutlineCommands::OutlineCommands(TfmMain& window)
    : QObject(&window)
    , FWindow(window)
    , FModel(new OutlineModel(window.Model(), this))
    , FDock(new OutlineDock(*FModel, &window))
{
    window.addDockWidget(Qt::LeftDockWidgetArea, FDock);
    FDock->hide();
    ApplyCaptions();
    FModel->ChangeRequested
        = [this](CardId card, const CardData& after) { return Change(card, after); };
    FModel->MoveRequested
        = [this](CardId card, std::optional<ChainPlace> place) { return Move(card, place); };

    QAction* menuItem = window.Menus().mnuOutline;
    connect(menuItem, &QAction::triggered, this, [this](bool checked) {
        Show(checked);
        if (checked)
            FDock->Tree()->setFocus();
    });
    // Closed by its own button, or shown again: the menu item says which.
    connect(FDock->toggleViewAction(), &QAction::toggled, menuItem, &QAction::setChecked);
    connect(FDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            // The language may have changed while it was hidden, and the texts' words.
            ApplyCaptions();
            FollowCanvas();
        }
    });
    connect(FDock, &OutlineDock::Rebuilt, this, &OutlineCommands::FollowCanvas);
    connect(&window.View(), &CanvasView::UpdateCaption, this, &OutlineCommands::FollowCanvas);

    connect(FDock, &OutlineDock::CardChosen, this, &OutlineCommands::Choose);
    connect(FDock, &OutlineDock::OpenRequested, this, [this](CardId card) {
        if (Choose(card))
            FWindow.OpenCardEditor(FWindow.Follower().Item(card));
    });
    connect(FDock, &OutlineDock::PropertiesRequested, this, [this](CardId card) {
        if (Choose(card))
            FWindow.Cards().Properties();
        FWindow.UpdateCaption();
    });
    connect(FDock, &OutlineDock::DeleteRequested, this, [this](CardId card) {
        if (Choose(card))
            FWindow.Cards().Delete();
        FWindow.UpdateCaption();
    });
    connect(FDock, &OutlineDock::MoveUpRequested, this, [this](CardId card) {
        PushChainStep(card, ChainStep::MoveUp(FWindow.Cards().Context(), card));
    });
    connect(FDock, &OutlineDock::MoveDownRequested, this, [this](CardId card) {
        PushChainStep(card, ChainStep::MoveDown(FWindow.Cards().Context(), card));
    });

    // The canvas's card menu's own items, which run on the chosen card, are named as there and
    // enabled for the card as there.
    auto* menu = new QMenu(FDock);
    menu->setObjectName("pmnuOutline");
    const MainMenus& menus = window.Menus();
    menu->addActions({ menus.pmnuEdit, menus.pmnuProperties, menus.pmnuRemoveFromChain,
        menus.pmnuDuplicate, menus.pmnuDelete });
    connect(FDock, &OutlineDock::MenuRequested, this, [this, menu](CardId card, QPoint at) {
        if (!Choose(card))
            return;
        FWindow.UpdateCaption();
        menu->popup(at);
    });
}

OutlineCommands::~OutlineCommands()
{
    delete FDock;
}

void OutlineCommands::ApplyCaptions()
{
    FCaptions = CaptionsNow();
    FDock->setWindowTitle(FCaptions.Title);
    OutlineModel::Looks looks;
    looks.Headers = FCaptions.Headers.split('|');
    looks.NotInAChain = FCaptions.NotInAChain;
    looks.TypeIcon = [this](int type) {
        const Theme& theme = FWindow.CurrentTheme();
        return type >= 0 && type < int(theme.ThemeImages.size())
            ? QIcon(theme.ThemeImages[type].Picture)
            : QIcon();
    };
    looks.StateName = [this](int state) {
        const QStringList& names = FWindow.CurrentTheme().StateNames;
        QString name = state >= 0 && state < names.size() ? names[state] : QString();
        return name.remove('&');
    };
    looks.Words = [this](CardId card) {
        return CardWords(FWindow.CardEditors().Of(card), FWindow.Store().TextFilePath(card));
    };
    looks.TargetWords = [this] { return FWindow.Project().TargetWordCount; };
    FModel->SetLooks(std::move(looks));
}

OutlineCommands::Captions OutlineCommands::CaptionsNow() const
{
    const MessageTable& messages = FWindow.Messages();
    return { messages.Text(MessageKey::OUTLINE_TITLE), messages.Text(MessageKey::OUTLINE_HEADERS),
        messages.Text(MessageKey::NOT_IN_A_CHAIN) };
}

void OutlineCommands::FollowLanguage()
{
    // Taking the captions lays out every row again: only when they changed.
    if (Shown() && FCaptions != CaptionsNow())
        ApplyCaptions();
}

void OutlineCommands::TextSaved(CardId card)
{
    FModel->RefreshWords(card);
}

bool OutlineCommands::Shown() const
{
    return !FDock->isHidden();
}

void OutlineCommands::Show(bool shown)
{
    FDock->setVisible(shown);
    FWindow.Menus().mnuOutline->setChecked(shown);
    // Wide enough at first for names and their words; the writer's own width is kept after.
    if (shown && !FSized) {
        FSized = true;
        FWindow.resizeDocks(
            { FDock }, { FDock->fontMetrics().averageCharWidth() * 60 }, Qt::Horizontal);
    }
}

bool OutlineCommands::Choose(CardId card)
{
    TNodex* item = FWindow.Follower().Item(card);
    if (!item)
        return false;
    FWindow.View().SelectCard(*item);
    return true;
}

void OutlineCommands::FollowCanvas()
{
    const TNodex* current = FWindow.Selection().CurrentCard;
    if (current && Shown())
        FDock->ShowCard(current->Id());
}

bool OutlineCommands::Change(CardId card, CardData after)
{
    // The properties dialog is not offered while the card's editor is open, nor is this.
    if (FWindow.CardEditors().Of(card))
        return false;
    const CardData before = FWindow.Model().Card(card);
    after.Name = NormaliseCardName(after.Name);
    after.Description = after.Description.left(TfmProperties::MaxDescriptionChars);
    if (after == before)
        return true;
    Dialogs& dialogs = FWindow.Dialog();
    const MessageTable& messages = FWindow.Messages();
    const QString refusal = FWindow.Cards().RenameRefusal(card, after.Name);
    if (!refusal.isEmpty()) {
        dialogs.ShowInformation(refusal);
        return false;
    }
    QString reason;
    if (after.Name != before.Name && !FWindow.Store().RenameCardFiles(card, after.Name, reason)) {
        dialogs.ShowWarning(messages.Text(MessageKey::ERROR_WRITING_NODEX), reason);
        return false;
    }
    FWindow.Steps().push(new ChangeCardStep(FWindow.Cards().Context(),
        messages.Text(MessageKey::STEP_PROPERTIES), card, before, after, true));
    FWindow.UpdateCaption();
    return true;
}

bool OutlineCommands::Move(CardId card, std::optional<ChainPlace> place)
{
    StepContext& context = FWindow.Cards().Context();
    return PushChainStep(
        card, place ? ChainStep::MoveTo(context, card, *place) : ChainStep::MoveOut(context, card));
}

bool OutlineCommands::PushChainStep(CardId card, std::unique_ptr<ChainStep> step)
{
    if (!step || !Choose(card))
        return false;
    FWindow.Steps().push(step.release());
    // The rows were made again: the moved card's row is the current one at once, not only when
    // the outline next lays out.
    FDock->ShowCard(card);
    FWindow.UpdateCaption();
    return true;
}
