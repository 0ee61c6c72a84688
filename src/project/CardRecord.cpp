#include "project/CardRecord.h"

CardFileData CardFileRecord(const ProjectModel& model, CardId card)
{
    const CardData& data = model.Card(card);
    CardFileData record;
    record.StoredType = TypeToStoredType(data.Type);
    record.State = StateToStored(data.State);
    record.Left = data.Position.x();
    record.Top = data.Position.y();
    record.Description = data.Description;
    const CardId successor = model.LinkTo(card);
    record.LinkToName = successor ? model.Card(successor).Name : QString();
    return record;
}
