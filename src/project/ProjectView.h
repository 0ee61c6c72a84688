#pragma once

#include <QPoint>
#include <QString>
#include <optional>

/// How a project was last looked at: kept for the writer outside the project, so that looking
/// never asks for a save nor changes a byte of the project.
struct ProjectViewData {
    int Zoom = 100; ///< the canvas's scale in percent
    QPoint Corner; ///< the canvas point at the view's top-left corner
    bool OutlineShown = false;
    bool DescriptionsShown = false; ///< cards show their descriptions under their names
    bool WordCountsShown = false; ///< cards show their texts' word counts
    /// The other project files of the folder the writer was told share the cards, one a line.
    QString SharedTold;
    /// Whether the project file was written since the view was kept (on this or another
    /// machine): its own zoom is then the newer one.
    bool ProjectNewer = false;

    bool operator==(const ProjectViewData&) const = default;
};

/// The view file of one project: "<views folder>/<project key>.ini", one file per project, keyed
/// as the automatic backups are. It notes the project file's modification time when written, so
/// that a project saved since (here or on a machine that shares it) is told apart.
class ProjectView {
public:
    ProjectView(
        const QString& viewsFolder, const QString& projectFolder, const QString& projectFileName);

    QString Path() const { return FPath; }
    /// The view kept; none when there is none or it cannot be read.
    std::optional<ProjectViewData> Read() const;
    /// Keeps the view, leaving the file untouched when nothing in it would change; false, with
    /// the reason, when it could not be written.
    bool Write(const ProjectViewData& view, QString& reason) const;

private:
    /// The project file's modification time as the view notes it; empty when it is missing.
    QString ProjectStamp() const;

    QString FPath;
    QString FProjectFile;
};
