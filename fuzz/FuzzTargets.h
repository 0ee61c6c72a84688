#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

/// One reader the fuzz driver runs mutated input through, with the real files it starts from.
struct FuzzTarget {
    QString Name;
    QList<QByteArray> Seeds;
    /// Runs the reader over the bytes; a broken promise (not a refusal) aborts.
    std::function<void(const QByteArray&)> Run;
};

/// The INI layer, the project and card reader (opening a real project folder), the picture
/// readers and the rich-text reader. `dataFolder` is the repository's data folder, whose shipped files are the seeds.
QList<FuzzTarget> FuzzTargets(const QString& dataFolder);
