#include "ProjectFixture.h"

#include "CardFileText.h"

void ProjectFixture::WriteCard(const QString& name, int storedType, int state, int left, int top,
    const QString& linkTo, const QString& description)
{
    Projects.Write(name + ".ndx", CardFileText(storedType, state, left, top, linkTo, description));
}

ProjectStore::Opened ProjectFixture::Open(const QString& fileName)
{
    ProjectStore::OpenSteps steps;
    steps.OpenLocked = [](const QString&, const LockOwner&) {
        ADD_FAILURE() << "the project is held by another copy";
        return false;
    };
    steps.ProjectRead = [](const ProjectFileData&) {};
    steps.CardsRead = [](QPoint) {};
    steps.StateNamed = [](int) { return true; };
    const ProjectStore::Opened opened = Store.OpenProject(Projects.Path(fileName), steps);
    Placement = opened.Placement;
    return opened;
}

void ProjectFixture::OpenChainProject()
{
    Projects.Write("Book.nodex", "[Theme]\nName=Book.ini\n");
    WriteCard("A", 0, 0, 100, 100, "B");
    WriteCard("B", 0, 0, 250, 100, "C");
    WriteCard("C", 0, 0, 400, 100);
    WriteCard("D", 0, 0, 550, 100);
    for (const char* name : { "A", "C", "D" })
        Projects.Write(QString("Text Files/%1.txt").arg(name), QByteArray(name) + " text\r\n");
    ASSERT_EQ(Open("Book.nodex").Result, ProjectStore::OpenResult::Opened);
}

QList<StoreMessage> ProjectFixture::Save()
{
    return Store.SaveProject(Placement, "Book.ini", [](const QStringList&) {
        ADD_FAILURE() << "no card file was changed elsewhere";
        return false;
    });
}

CardId ProjectFixture::Id(const QString& name) const
{
    const CardId card = Model.FindByName(name);
    if (!card)
        ADD_FAILURE() << "no card named " << name.toStdString();
    return card;
}

QStringList ProjectFixture::CardNames() const
{
    QStringList names;
    for (const CardId card : Model.Cards())
        names << Model.Card(card).Name;
    return names;
}
