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

CardData CardFromRecord(const CardFileData& record, const QString& name, const QString& fileName,
                        bool stateNamed)
{
    CardData card;
    card.Name = name;
    card.Type = StoredTypeToType(record.StoredType);
    card.State = stateNamed ? record.State : 0;
    card.Description = record.Description;
    card.Position = {record.Left, record.Top};
    card.FileName = fileName;
    return card;
}
