// Runs the program's readers over mutated copies of real files, under the sanitizers, for a
// given time: `nodex_fuzz --seconds 600 [--seed N] [--slow-ms N] [target ...]` with the targets
// ini, rtf, project and picture (all by default). An input that crashes a reader, breaks one of
// its promises or takes longer than --slow-ms (5 s) is saved to the current folder and ends the
// run with status 1.
#include "FuzzTargets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>

namespace {

// Bytes that readers look for: section and key marks, line ends, byte-order marks, numbers at
// the edges of the int range, and the magic numbers of the picture formats.
const QList<QByteArray> Tokens = {"[", "]", "=", "\n", "\r\n", "\r", ";", "\0", "\xEF\xBB\xBF",
    "\xFF\xFE", "\xFE\xFF", "0x", "-2147483648", "2147483647", "4294967295", "\xC3", "\xE9",
    "\xFF\xD8\xFF", "\x89PNG", "BM", "\xD7\xCD\xC6\x9A", " EMF", "\xFF\xFF\xFF\x7F"};

QByteArray Mutate(QByteArray bytes, const QList<QByteArray>& seeds, QRandomGenerator& random)
{
    const auto at = [&](qsizetype size) { return qsizetype(random.bounded(quint32(size + 1))); };
    for (int count = 1 + int(random.bounded(8)); count > 0; --count) {
        switch (random.bounded(7)) {
        case 0: // flip a bit
            if (!bytes.isEmpty())
                bytes[at(bytes.size() - 1)] ^= char(1 << random.bounded(8));
            break;
        case 1: // set a byte
            if (!bytes.isEmpty())
                bytes[at(bytes.size() - 1)] = char(random.bounded(256));
            break;
        case 2: // insert a token
            bytes.insert(at(bytes.size()), Tokens[random.bounded(int(Tokens.size()))]);
            break;
        case 3: // cut a stretch out
            if (!bytes.isEmpty()) {
                const qsizetype from = at(bytes.size() - 1);
                bytes.remove(from, at(std::min<qsizetype>(64, bytes.size() - from)));
            }
            break;
        case 4: // repeat a stretch
            if (!bytes.isEmpty()) {
                const qsizetype from = at(bytes.size() - 1);
                bytes.insert(at(bytes.size()), bytes.mid(from, 1 + at(32)));
            }
            break;
        case 5: // splice in part of another seed
            if (const QByteArray& other = seeds[random.bounded(int(seeds.size()))]; !other.isEmpty())
                bytes.insert(at(bytes.size()), other.mid(at(other.size() - 1), 1 + at(256)));
            break;
        default: // end early
            bytes.truncate(at(bytes.size()));
            break;
        }
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The readers' own complaints about damaged input are expected by the thousand.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QStringList arguments = app.arguments().mid(1);
    int seconds = 10;
    // An input slower than this is kept as a fault. The short runs under CTest share a loaded
    // machine with sanitizers on and only guard against hangs; a long run on a quiet machine
    // keeps the default.
    qint64 slowMs = 5000;
    quint32 seed = QRandomGenerator::global()->generate();
    QStringList wanted;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--seconds" && i + 1 < arguments.size())
            seconds = arguments[++i].toInt();
        else if (arguments[i] == "--slow-ms" && i + 1 < arguments.size())
            slowMs = arguments[++i].toLongLong();
        else if (arguments[i] == "--seed" && i + 1 < arguments.size())
            seed = arguments[++i].toUInt();
        else
            wanted << arguments[i];
    }

    QList<FuzzTarget> targets = FuzzTargets(NODEX_DATA_FOLDER);
    targets.removeIf([&](const FuzzTarget& target) { return !wanted.isEmpty() && !wanted.contains(target.Name); });
    QRandomGenerator random(seed);
    std::printf("fuzzing %lld target(s) for %d s, seed %u\n", qlonglong(targets.size()), seconds, seed);
    for (const FuzzTarget& target : targets) {
        QElapsedTimer clock;
        clock.start();
        qint64 runs = 0;
        while (clock.elapsed() < qint64(seconds) * 1000 / targets.size()) {
            const QByteArray& start = target.Seeds[random.bounded(int(target.Seeds.size()))];
            const QByteArray input = runs < target.Seeds.size() ? target.Seeds[runs] : Mutate(start, target.Seeds, random);
            // Kept until the run returns, so that a crash leaves the input that caused it.
            QFile last(QString("fuzz-%1-last-input").arg(target.Name));
            if (last.open(QIODevice::WriteOnly))
                last.write(input);
            last.close();
            QElapsedTimer one;
            one.start();
            target.Run(input);
            ++runs;
            if (one.elapsed() > slowMs) {
                std::printf("%s: one input took %lld ms, kept in %s\n", qPrintable(target.Name),
                            one.elapsed(), qPrintable(last.fileName()));
                return 1;
            }
            last.remove();
        }
        std::printf("%s: %lld inputs\n", qPrintable(target.Name), runs);
    }
    return 0;
}
