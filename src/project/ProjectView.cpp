#include "project/ProjectView.h"

#include "platform/IniFile.h"
#include "project/ProjectKey.h"

#include <QDateTime>
#include <QFileInfo>

namespace {
const QString Section = QStringLiteral("View");
} // namespace

ProjectView::ProjectView(
    const QString& viewsFolder, const QString& projectFolder, const QString& projectFileName)
    : FPath(viewsFolder + ProjectKey(projectFolder, projectFileName) + ".ini")
    , FProjectFile(projectFolder + projectFileName)
{
}

QString ProjectView::ProjectStamp() const
{
    const QFileInfo project(FProjectFile);
    return project.isFile() ? QString::number(project.lastModified().toMSecsSinceEpoch())
                            : QString();
}

std::optional<ProjectViewData> ProjectView::Read() const
{
    if (!QFileInfo(FPath).isFile())
        return std::nullopt;
    IniFile file(FPath);
    QString reason;
    if (!file.Load(reason, IniFile::MaxSettingsBytes))
        return std::nullopt;
    ProjectViewData view;
    view.Zoom = file.ReadInteger(Section, "Zoom", view.Zoom);
    view.Corner = { file.ReadInteger(Section, "Left", 0), file.ReadInteger(Section, "Top", 0) };
    view.OutlineShown = file.ReadBool(Section, "Outline", false);
    view.DescriptionsShown = file.ReadBool(Section, "Descriptions", false);
    view.WordCountsShown = file.ReadBool(Section, "WordCounts", false);
    view.SharedTold = file.ReadString(Section, "SharedTold", {}).replace('/', '\n');
    view.ProjectNewer = file.ReadString(Section, "ProjectSaved", {}) != ProjectStamp();
    return view;
}

bool ProjectView::Write(const ProjectViewData& view, QString& reason) const
{
    IniFile file(FPath);
    if (!file.Load(reason, IniFile::MaxSettingsBytes))
        return false;
    file.WriteInteger(Section, "Zoom", view.Zoom);
    file.WriteInteger(Section, "Left", view.Corner.x());
    file.WriteInteger(Section, "Top", view.Corner.y());
    file.WriteBool(Section, "Outline", view.OutlineShown);
    file.WriteBool(Section, "Descriptions", view.DescriptionsShown);
    file.WriteBool(Section, "WordCounts", view.WordCountsShown);
    // A value is one line: the names are kept apart by the one character no file name holds.
    file.WriteString(Section, "SharedTold", QString(view.SharedTold).replace('\n', '/'));
    file.WriteString(Section, "ProjectSaved", ProjectStamp());
    return file.Save(reason);
}
