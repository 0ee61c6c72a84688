#include "SmallDisk.h"

#include <QFile>

#include <sys/mount.h>
#include <unistd.h>

SmallDisk::SmallDisk(const QString& folder, int bytes)
    : FFolder(folder.endsWith('/') ? folder : folder + '/')
{
    const QByteArray options = "size=" + QByteArray::number(bytes);
    FMounted = geteuid() == 0
        && mount("tmpfs", QFile::encodeName(FFolder).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (FMounted)
        umount2(QFile::encodeName(FFolder).constData(), MNT_DETACH);
}

void SmallDisk::Fill(int freePages)
{
    int fillers = 0;
    for (bool full = false; !full; ++fillers) {
        QFile filler(FFolder + QString(".fill%1").arg(fillers));
        full = !filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
            || filler.write(QByteArray(4096, 'f')) != 4096;
    }
    for (int i = 0; i < freePages && i < fillers; ++i)
        QFile::remove(FFolder + QString(".fill%1").arg(i));
}
