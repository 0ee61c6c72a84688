#pragma once

#include "TempFolder.h"
#include "messages/MessageTable.h"
#include "project/ProjectModel.h"
#include "project/ProjectState.h"
#include "project/ProjectStore.h"

#include <QStringList>
#include <gtest/gtest.h>

/// A project in a temporary folder, opened into a model through the store as the program opens
/// one, without any window: the theme names every revision state, and no other copy holds it.
class ProjectFixture : public testing::Test {
protected:
    /// Writes a card file "name.ndx" from its keys.
    void WriteCard(const QString& name, int storedType, int state, int left, int top,
        const QString& linkTo = {}, const QString& description = {});
    /// Opens a project file of the project folder.
    ProjectStore::Opened Open(const QString& fileName);
    /// Writes and opens a project with the chain A -> B -> C and a card D, each with a text
    /// file but B.
    void OpenChainProject();
    /// Saves as the window does, where the project placed it; the failures.
    QList<StoreMessage> Save();

    /// A card's id by name; fails the test when there is none.
    CardId Id(const QString& name) const;
    /// The cards' names in canvas order.
    QStringList CardNames() const;

    TempFolder Projects;
    MessageTable Messages;
    ProjectState Project;
    ProjectModel Model;
    ProjectStore Store { Project, Model, Messages };
    WindowPlacement Placement;
};
