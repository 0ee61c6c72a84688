#include "AppFixture.h"
#include "CardFileText.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"

#include <QUndoCommand>

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

AppFixture::AppFixture() = default;

AppFixture::~AppFixture()
{
    // Nothing may ask a question while the windows go.
    if (Program)
        Main().Steps().setClean();
    Program.reset();
}

void AppFixture::StartProgram()
{
    // The desktop's file-type registration goes to a folder of the test's own.
    qputenv("XDG_DATA_HOME", DataHome.Path().toUtf8());
    Program = std::make_unique<NodexProgram>(ProgramFolders::Portable(App.Path()), Dialogs, Shell, 0);
}

void AppFixture::StartWithChainProject()
{
    StartProgram();
    WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
    WriteCard("A", 0, 0, 100, 100, "B");
    WriteCard("B", 0, 0, 250, 100, "C");
    WriteCard("C", 0, 0, 400, 100);
    WriteCard("D", 0, 0, 550, 100);
    for (const char* name : {"A", "C", "D"})
        Projects.Write(QString("Text Files/%1.txt").arg(name), QByteArray(name) + " text\r\n");
    ASSERT_TRUE(Program->Start({Projects.Path("Book.nodex")}));
    Main().resize(1000, 700);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
}

TfmMain& AppFixture::Main() { return Program->Main(); }

void AppFixture::DragOnView(QPoint from, QPoint by, Qt::KeyboardModifiers keys, int steps)
{
    QWidget* viewport = Main().View().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, keys, from);
    for (int step = 1; step <= steps; ++step)
        QTest::mouseMove(viewport, from + by * step / steps);
    QTest::mouseRelease(viewport, Qt::LeftButton, keys, from + by);
}

QString AppFixture::WriteProject(const QString& fileName, const QByteArray& text)
{
    return Projects.Write(fileName, text);
}

void AppFixture::WriteCard(const QString& name, const QByteArray& text)
{
    Projects.Write(name + ".ndx", text);
}

void AppFixture::WriteCard(const QString& name, int storedType, int state, int left, int top,
                           const QString& linkTo, const QString& description)
{
    WriteCard(name, CardFileText(storedType, state, left, top, linkTo, description));
}

void AppFixture::MoveCard(const QString& name, int left, int top)
{
    const TNodex* card = Card(name);
    if (!card)
        return;
    Main().Cards().MoveCards({{card->Id(), {card->Left(), card->Top()}}}, {{card->Id(), {left, top}}});
}

void AppFixture::MakeAChange() { Main().Steps().push(new QUndoCommand(QStringLiteral("Change"))); }

TNodex* AppFixture::Card(const QString& name)
{
    for (TNodex* card : Main().Canvas().Cards())
        if (card->Name() == name)
            return card;
    ADD_FAILURE() << "no card named " << name.toStdString();
    return nullptr;
}

QStringList AppFixture::CardNames()
{
    QStringList names;
    for (TNodex* card : Main().Canvas().Cards())
        names << card->Name();
    return names;
}

void AppFixture::Drop(const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    const QPoint at = Main().rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &drop);
}
