#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

struct AppSettings;
struct ProjectState;

/// Backs the open project up by itself into zip files beside the manual backups: when the
/// project is left (the window closes, New, Open of another) and once an hour while it is open.
/// It never asks anything: a backup that fails is logged and announced by Failed, so that closing
/// goes on and the writer is not stopped every hour. An unnamed project is never backed up.
class RollingBackups : public QObject {
    Q_OBJECT
public:
    RollingBackups(const ProjectState& project, const AppSettings& settings, QObject* parent = nullptr);

    /// The open project is about to be left: it is backed up now.
    void ProjectLeaving();
    /// What the timer runs: a backup once an hour has passed since the last one, or since the
    /// project was opened.
    void Tick();

    /// The local time: a backup's name, and when the next one is due.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };
    /// Ticks every minute, so that a computer that slept makes its backup soon after it wakes.
    QTimer Timer;

signals:
    /// A backup could not be made; the message says why.
    void Failed(const QString& message);

private:
    void BackUp();

    const ProjectState& FProject;
    const AppSettings& FSettings;
    QString FProjectPath; ///< the project the hour is counted for
    QDateTime FSince;     ///< when the hour began
};
