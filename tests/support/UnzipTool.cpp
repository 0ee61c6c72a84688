#include "UnzipTool.h"

#include <QProcess>

namespace {
int RunUnzip(const QStringList& arguments, QString* output)
{
    QProcess unzip;
    unzip.setProcessChannelMode(QProcess::MergedChannels);
    unzip.start("unzip", arguments);
    if (!unzip.waitForFinished(-1))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(unzip.readAll());
    return unzip.exitStatus() == QProcess::NormalExit ? unzip.exitCode() : -1;
}
} // namespace

bool UnzipTool::Tests(const QString& archive, QString* output)
{
    return RunUnzip({ "-t", archive }, output) == 0;
}

bool UnzipTool::Extract(const QString& archive, const QString& folder)
{
    return RunUnzip({ "-q", "-o", archive, "-d", folder }, nullptr) == 0;
}
