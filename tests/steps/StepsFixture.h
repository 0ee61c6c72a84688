#pragma once

#include "ProjectFixture.h"
#include "ScriptedDialogs.h"
#include "steps/ProjectStep.h"

#include <QStringList>
#include <QUndoStack>

/// The chain project A -> B -> C and a card D (texts for all but B), opened and saved through
/// the store, with an undo stack whose steps work on the model and the files as the program's
/// do, and scripted dialogs for what they show: no window.
class StepsFixture : public ProjectFixture {
protected:
    void SetUp() override;

    /// Links `source` to `target`, or unlinks them when linked, as a Ctrl-click does.
    void Link(const QString& source, const QString& target, const QString& text);
    /// Everything the model holds of the cards: fields, file names and links, in canvas order.
    QStringList ModelShown() const;
    /// A copy of the project folder as it is now.
    QString KeepFolder(const QString& name) const;

    TempFolder Kept;
    ScriptedDialogs Dialogs;
    StepContext Context { Model, Store, Dialogs, Messages, {}, {}, {} };
    QUndoStack Steps;
};
