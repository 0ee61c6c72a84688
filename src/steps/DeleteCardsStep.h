#pragma once

#include "steps/ProjectStep.h"
#include "project/KeptFile.h"
#include "project/LinkRules.h"
#include "project/ProjectFiles.h"
#include "project/ProjectModel.h"

#include <QList>
#include <optional>

/// Cards deleted with their card files, and with their text files where asked. Their files'
/// bytes, their places in the canvas order and their links are kept, so that an undo brings
/// every card and file back as it was.
class DeleteCardsStep : public ProjectStep {
public:
    struct Going {
        CardId Card = 0;
        bool WithText = false;
    };

    DeleteCardsStep(StepContext& context, const QString& text, QList<Going> going,
        QUndoCommand* parent = nullptr);
    void redo() override;
    void undo() override;

protected:
    bool CheckUndo(QString& reason) const override;
    bool CheckRedo(QString& reason) const override;
    qint64 OwnKeptBytes() const override;

private:
    struct Gone {
        Going What;
        int Index = 0;
        CardData Data;
        std::optional<CardFileData> Stored;
        KeptFile CardFile;
        KeptFile TextFile;
        bool TextKept = false; ///< the text file could be read, so it may go
    };

    QList<Going> FGoing;
    QList<Gone> FGone; ///< in canvas order
    LinkSnapshot FLinks; ///< of the cards that go and of the cards linking to them
};
