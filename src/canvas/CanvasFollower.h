#pragma once

#include "project/ProjectModel.h"

#include <QHash>
#include <QObject>

class CanvasScene;
class TNodex;
class ThemeApplier;

/// Keeps the canvas showing what the project model holds: a card item is made, changed, linked
/// and destroyed as the model's card is. A card that the canvas pushes back inside its edges
/// takes that position into the model, so that what is saved is what is seen.
class CanvasFollower : public QObject {
    Q_OBJECT
public:
    CanvasFollower(ProjectModel& model, CanvasScene& canvas, ThemeApplier& themes);

    /// The item showing a card; none for an unknown id.
    TNodex* Item(CardId id) const { return FItems.value(id); }
    /// The cards of the chain from `first` on, as the canvas shows them.
    QList<TNodex*> ChainItems(const TNodex* first) const;
    /// Whether the labels of base-type cards are bold, for the cards made from now on.
    void SetBoldBaseType(bool bold) { FBoldBaseType = bold; }
    /// Gives a card the icon and colours of its type again.
    void ApplyTheme(CardId id);

private:
    void Add(CardId id);
    void Change(CardId id);
    void Remove(CardId id);
    void Link(CardId source);
    void Clear();
    /// Takes a position the canvas gave a card into the model.
    void TakePosition(TNodex& card);

    ProjectModel& FModel;
    CanvasScene& FCanvas;
    ThemeApplier& FThemes;
    QHash<CardId, TNodex*> FItems;
    bool FBoldBaseType = false;
};
