#include "UnzipTool.h"

#include <QProcess>

namespace {
int Run(const QString& program, const QStringList& arguments, QString* output)
{
    QProcess unzip;
    unzip.setProcessChannelMode(QProcess::MergedChannels);
    unzip.start(program, arguments);
    if (!unzip.waitForFinished(-1))
        return -1;
    if (output)
        *output = QString::fromUtf8(unzip.readAll());
    return unzip.exitStatus() == QProcess::NormalExit ? unzip.exitCode() : -1;
}
} // namespace

bool UnzipTool::Tests(const QString& archive, QString* output)
{
    return Run("unzip", { "-t", archive }, output) == 0;
}

bool UnzipTool::Extract(const QString& archive, const QString& folder)
{
    return Run("unzip", { "-q", "-o", archive, "-d", folder }, nullptr) == 0;
}

QString UnzipTool::PythonListing(const QString& archive)
{
    QString listing;
    Run("python3", { "-X", "utf8", "-m", "zipfile", "-l", archive }, &listing);
    return listing;
}
