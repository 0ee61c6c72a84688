// Measures what watching a project costs: the heap a watch holds, the time of one look at both
// folders, and the CPU the program spends while nothing changes.
#include "ProjectGenerator.h"
#include "project/ProjectWatcher.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

namespace {
qint64 HeapBytes() { return qint64(mallinfo2().uordblks); }

qint64 CpuMicroseconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto micro = [](const timeval& t) { return qint64(t.tv_sec) * 1'000'000 + t.tv_usec; };
    return micro(usage.ru_utime) + micro(usage.ru_stime);
}

/// Starting a watch of a project of N cards with their texts: the first look, and the heap the
/// watch keeps afterwards.
void WatchProject(benchmark::State& state)
{
    QTemporaryDir folder;
    GenerateProject(folder.path() + "/", int(state.range(0)), 10, 100);
    qint64 held = 0;
    for (auto _ : state) {
        const qint64 before = HeapBytes();
        ProjectWatcher watcher;
        watcher.Watch(folder.path() + "/");
        held = HeapBytes() - before;
    }
    state.counters["held_MB"] = double(held) / 1e6;
}

/// One look after a change: what every burst of a sync tool's writes costs.
void RecheckProject(benchmark::State& state)
{
    QTemporaryDir folder;
    GenerateProject(folder.path() + "/", int(state.range(0)), 10, 100);
    ProjectWatcher watcher;
    watcher.Watch(folder.path() + "/");
    for (auto _ : state)
        watcher.Recheck();
}

/// Two seconds of an idle event loop with the watch on: the CPU time it takes.
void IdleWatch(benchmark::State& state)
{
    QTemporaryDir folder;
    GenerateProject(folder.path() + "/", int(state.range(0)), 10, 100);
    ProjectWatcher watcher;
    watcher.Watch(folder.path() + "/");
    qint64 cpu = 0;
    for (auto _ : state) {
        const qint64 before = CpuMicroseconds();
        QEventLoop idle;
        QTimer::singleShot(2000, &idle, &QEventLoop::quit);
        idle.exec();
        cpu = CpuMicroseconds() - before;
    }
    state.counters["idle_cpu_ms"] = double(cpu) / 1e3;
}
} // namespace

BENCHMARK(WatchProject)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RecheckProject)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(IdleWatch)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
