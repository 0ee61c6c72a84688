// Measures a backup of a large project against copying the same folder with `cp -r`, with and
// without flushing the copy to the disk as the backup does before it takes its name, and an
// automatic backup (one zip file) against `zip -r` of the same folder.
#include "ProjectGenerator.h"
#include "backup/AutomaticBackup.h"
#include "backup/ProjectBackup.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
/// A project of N cards with texts of 100 words, and a folder to copy it into.
struct BackupFixture {
    explicit BackupFixture(int cards)
        : Project(GenerateProject(Folder.path() + "/", cards, 10, 100))
    {
        QDir().mkpath(Backups());
    }
    QString ProjectFolder() const { return Folder.path() + "/"; }
    QString Backups() const { return Target.path() + "/Backups/"; }
    /// Empties the backups folder between two iterations, outside the measured time.
    void Clear(benchmark::State& state) const
    {
        state.PauseTiming();
        QDir(Backups()).removeRecursively();
        QDir().mkpath(Backups());
        state.ResumeTiming();
    }

    QTemporaryDir Folder;
    QTemporaryDir Target;
    QString Project;
};

void Run(const QString& program, const QStringList& arguments)
{
    if (QProcess::execute(program, arguments) != 0)
        qFatal("%s failed", qPrintable(program));
}

/// Backup Project: every file copied into a folder of its own, flushed, and moved to its name.
void BackupProject(benchmark::State& state)
{
    const BackupFixture fixture(int(state.range(0)));
    int second = 0;
    for (auto _ : state) {
        QString reason;
        QStringList leftOut;
        const QDateTime when(QDate(2026, 12, 5), QTime(13, 40, second++ % 60));
        if (!BackupProject(fixture.Backups(), fixture.ProjectFolder(), "Scale.nodex", when, leftOut, reason))
            qFatal("backup failed: %s", qPrintable(reason));
        fixture.Clear(state);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// The floor: `cp -r` of the same folder, with `sync -f` after it when the argument is 1.
void CopyFolder(benchmark::State& state)
{
    const BackupFixture fixture(int(state.range(0)));
    const QString copy = fixture.Backups() + "copy";
    for (auto _ : state) {
        Run("cp", { "-r", fixture.ProjectFolder(), copy });
        if (state.range(1))
            Run("sync", { "-f", copy });
        fixture.Clear(state);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
/// An automatic backup: every file read, deflated into one zip, flushed and moved to its name.
void AutomaticBackup(benchmark::State& state)
{
    const BackupFixture fixture(int(state.range(0)));
    qint64 size = 0;
    for (auto _ : state) {
        const AutomaticBackupOutcome made
            = MakeAutomaticBackup(fixture.Backups(), fixture.ProjectFolder(), "Scale.nodex",
                QDateTime(QDate(2026, 12, 5), QTime(13, 40, 57)), 10);
        if (made.Outcome != AutomaticBackupOutcome::Result::Made)
            qFatal("automatic backup failed: %s", qPrintable(made.Reason));
        size = QFileInfo(made.Path).size();
        fixture.Clear(state);
    }
    state.counters["zip_MB"] = double(size) / 1e6;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// The hourly look at a project that did not change, nothing written: with its files settled long
/// before (1), the look compares their sizes and times; with files written within the last
/// seconds (0), every file is read and hashed.
void AutomaticBackupUnchanged(benchmark::State& state)
{
    const BackupFixture fixture(int(state.range(0)));
    const QDateTime when = state.range(1) ? QDateTime::currentDateTime().addDays(1)
                                          : QDateTime::currentDateTime();
    MakeAutomaticBackup(fixture.Backups(), fixture.ProjectFolder(), "Scale.nodex", when, 10);
    for (auto _ : state) {
        if (MakeAutomaticBackup(fixture.Backups(), fixture.ProjectFolder(), "Scale.nodex", when, 10).Outcome
            != AutomaticBackupOutcome::Result::Unchanged)
            qFatal("the unchanged project was backed up again");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// The floor of the hourly look: the status of every file of the project, as `find -printf`
/// reads it.
void ListFolder(benchmark::State& state)
{
    const BackupFixture fixture(int(state.range(0)));
    for (auto _ : state)
        Run("sh", { "-c", "find \"$1\" -type f -printf '%s %T@ %C@ %i\\n' >/dev/null", "sh",
                      fixture.ProjectFolder() });
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// The floor of the automatic backup: `zip -r` of the same folder (not flushed), when installed.
void ZipFolder(benchmark::State& state)
{
    if (QStandardPaths::findExecutable("zip").isEmpty()) {
        state.SkipWithError("zip is not installed");
        return;
    }
    const BackupFixture fixture(int(state.range(0)));
    const QString zip = fixture.Backups() + "copy.zip";
    qint64 size = 0;
    for (auto _ : state) {
        Run("sh", { "-c", "cd \"$1\" && zip -q -r \"$2\" .", "sh", fixture.ProjectFolder(), zip });
        size = QFileInfo(zip).size();
        fixture.Clear(state);
    }
    state.counters["zip_MB"] = double(size) / 1e6;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
} // namespace

BENCHMARK(AutomaticBackup)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(AutomaticBackupUnchanged)->Args({ 10000, 0 })->Args({ 10000, 1 })->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ListFolder)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ZipFolder)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BackupProject)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CopyFolder)
    ->Args({ 1000, 0 })
    ->Args({ 10000, 0 })
    ->Args({ 10000, 1 })
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
