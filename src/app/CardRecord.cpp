#include "app/CardRecord.h"

#include "canvas/NodexObject.h"

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
