#pragma once

#include "steps/ProjectStep.h"

#include <QDate>
#include <QString>

/// The options a project file keeps, as the options dialog changes them.
struct ProjectOptions {
    int TargetWordCount = 0;
    int WorkspaceSize = 0;
    bool BoldBaseType = false;
    QString ThemeName;
    int DailyTarget = 0;
    int SessionTarget = 0;
    QDate Deadline;

    bool operator==(const ProjectOptions&) const = default;
};

/// The project's options changed in the options dialog.
class ProjectOptionsStep : public ProjectStep {
public:
    ProjectOptionsStep(StepContext& context, ProjectOptions before, ProjectOptions after,
        std::function<void(const ProjectOptions&)> apply);
    void redo() override { FApply(FAfter); }
    void undo() override { FApply(FBefore); }

private:
    ProjectOptions FBefore;
    ProjectOptions FAfter;
    std::function<void(const ProjectOptions&)> FApply;
};
