#pragma once

#include "project/ProjectFiles.h"
#include "project/ProjectModel.h"

/// What a card's file holds for the card as the model has it now.
CardFileData CardFileRecord(const ProjectModel& model, CardId card);
