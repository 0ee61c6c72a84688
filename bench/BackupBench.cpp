// Measures a backup of a large project against copying the same folder with `cp -r`, with and
// without flushing the copy to the disk as the backup does before it takes its name.
#include "ProjectGenerator.h"
#include "app/ProjectBackup.h"

#include <QDir>
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
        const QDateTime when(QDate(2026, 12, 5), QTime(13, 40, second++ % 60));
        if (!BackupProject(fixture.Backups(), fixture.ProjectFolder(), "Scale.nodex", when, reason))
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
} // namespace

BENCHMARK(BackupProject)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CopyFolder)
    ->Args({ 1000, 0 })
    ->Args({ 10000, 0 })
    ->Args({ 10000, 1 })
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
