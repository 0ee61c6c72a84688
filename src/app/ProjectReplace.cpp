#include "app/ProjectReplace.h"

#include "app/EditorOpenTexts.h"
#include "app/Main.h"
#include "canvas/Theme.h"
#include "messages/MessageTable.h"
#include "platform/WaitCursor.h"
#include "properties/CardNameRules.h"
#include "steps/ReplaceInProjectStep.h"

#include <memory>

ProjectReplaceResult ReplaceInProject(
    TfmMain& main, const QString& pattern, const QList<CardReplacement>& records)
{
    // The name rules of the properties dialog, which a typed name meets.
    const auto nameCheck = [window = &main](CardId card, QString& name, QString& reason) {
        const CardData& data = window->Cards().Context().Model.Card(card);
        name = NormaliseCardName(name);
        if (data.Type == CompilationType) {
            reason = window->Messages().Text(MessageKey::NOT_COMPILATION);
            return false;
        }
        reason = window->Cards().RenameRefusal(card, name);
        return reason.isEmpty();
    };
    WaitCursor wait;
    auto step = std::make_unique<ReplaceInProjectStep>(main.Cards().Context(),
        std::make_unique<EditorOpenTexts>(main.CardEditors(), main.Messages()), pattern, nameCheck);
    ProjectReplaceResult result;
    result.Refused = step->Make(records);
    result.CardsChanged = step->CardsChanged();
    if (result.CardsChanged > 0) {
        main.Steps().push(step.release());
        main.UpdateCaption();
    }
    return result;
}
