#include "steps/ProjectOptionsStep.h"

#include "messages/MessageTable.h"

ProjectOptionsStep::ProjectOptionsStep(StepContext& context, ProjectOptions before,
    ProjectOptions after, std::function<void(const ProjectOptions&)> apply)
    : ProjectStep(context, context.Messages.Text(MessageKey::STEP_PROJECT_OPTIONS))
    , FBefore(std::move(before))
    , FAfter(std::move(after))
    , FApply(std::move(apply))
{
}
