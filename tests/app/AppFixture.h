#pragma once

#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "app/NodexProgram.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

class TfmMain;
class TNodex;

/// A program started from a temporary program folder, with scripted dialogs and a fake shell,
/// and a second temporary folder for projects.
class AppFixture : public testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    /// Creates the program (its main window and the other windows) without opening anything.
    void StartProgram();
    /// Starts the program on a project with the chain A -> B -> C and a card D, each with a text
    /// file but B, in a window of 1000 x 700.
    void StartWithChainProject();
    TfmMain& Main();

    /// Writes a project file in the project folder; returns its path.
    QString WriteProject(const QString& fileName, const QByteArray& text = {});
    /// Writes a card file "name.ndx" in the project folder.
    void WriteCard(const QString& name, const QByteArray& text);
    /// Writes a card file from its keys.
    void WriteCard(const QString& name, int storedType, int state, int left, int top,
                   const QString& linkTo = {}, const QString& description = {});
    /// A card on the canvas by name; fails the test when there is none.
    TNodex* Card(const QString& name);
    /// Moves a card as a drag does: one step on the undo stack.
    void MoveCard(const QString& name, int left, int top);
    /// Gives the project a change to save, as any step does.
    void MakeAChange();
    /// The cards' names in canvas order.
    QStringList CardNames();
    /// Presses the left button at a point of the canvas view, moves it by `by` in `steps`
    /// steps, and releases it, with `keys` held.
    void DragOnView(QPoint from, QPoint by, Qt::KeyboardModifiers keys, int steps);
    /// Drops files from the file manager on the main window, as the window system delivers it.
    void Drop(const QStringList& paths);

    TempFolder App;
    TempFolder Projects;
    TempFolder DataHome;
    ScriptedDialogs Dialogs;
    FakeShell Shell;
    std::unique_ptr<NodexProgram> Program;
};
