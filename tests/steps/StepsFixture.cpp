#include "StepsFixture.h"

#include "project/LinkRules.h"
#include "steps/LinkCardsStep.h"

#include <QProcess>

void StepsFixture::SetUp()
{
    OpenChainProject();
    // Written once as the store writes them, so that a save changes no byte.
    ASSERT_TRUE(Save().isEmpty());
}

void StepsFixture::Link(const QString& source, const QString& target, const QString& text)
{
    const LinkPlan plan = PlanLink(Model, Id(source), Id(target));
    Steps.push(
        new LinkCardsStep(Context, text, CurrentLinks(Model, plan.After.keys()), plan.After));
}

QStringList StepsFixture::ModelShown() const
{
    QStringList shown;
    for (const CardId card : Model.Cards()) {
        const CardData& data = Model.Card(card);
        shown << QString("%1 type %2 state %3 at %4,%5 '%6' in %7 -> %8 <- %9")
                     .arg(data.Name)
                     .arg(data.Type)
                     .arg(data.State)
                     .arg(data.Position.x())
                     .arg(data.Position.y())
                     .arg(data.Description, data.FileName, Model.Card(Model.LinkTo(card)).Name,
                         Model.Card(Model.LinkedFrom(card)).Name);
    }
    return shown;
}

QString StepsFixture::KeepFolder(const QString& name) const
{
    const QString copy = Kept.MakeFolder(name);
    QProcess::execute("cp", { "-a", Projects.Path() + ".", copy });
    return copy;
}
