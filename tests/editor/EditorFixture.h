#pragma once

#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "editor/Editor.h"
#include "messages/MessageTable.h"

#include <gtest/gtest.h>
#include <memory>

/// One paragraph of numbered words ("w1 w2 ..."), each word unique, and a no-break space in the
/// middle: far longer than the editor keeps in one block.
QString LongParagraph(int words = 4000);

/// An editor window of the card "Lamp" in a temporary project folder, with scripted dialogs.
class EditorFixture : public testing::Test {
protected:
    EditorFixture();
    ~EditorFixture() override;

    /// Makes the editor (the card's text file, if any, must be written first) and shows it.
    TfmEditor& Open(EditMemory mode = EditMemory::Single);
    /// Types into the memo with real key presses.
    void Type(const QString& text);
    QByteArray TextFile() { return Project.Read("Text Files/Lamp.txt"); }
    /// The texts the card's history keeps, newest first.
    QList<QByteArray> KeptTexts();

    TempFolder App;
    TempFolder Project;
    ScriptedDialogs Dialogs;
    FakeShell Shell;
    MessageTable Messages;
    EditorContext Context;
    QPointer<TfmEditor> Editor;
};
