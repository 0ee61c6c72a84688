#pragma once

#include "project/ProjectFiles.h"
#include "project/ProjectModel.h"

/// What a card's file holds for the card as the model has it now.
CardFileData CardFileRecord(const ProjectModel& model, CardId card);

/// The card a card file describes, its link aside: `fileName` is the file, `name` the card's
/// name read from it, and a revision state the theme does not name (`stateNamed` false) is the
/// first.
CardData CardFromRecord(const CardFileData& record, const QString& name, const QString& fileName,
                        bool stateNamed);
