#pragma once

#include <QByteArray>
#include <QString>

/// Keeps a version of a card's text that is about to be replaced by another one (the other
/// program's text when the writer keeps theirs), beside the text file: "<name> (other version
/// <time>).txt". No word of either version is lost when two copies of a text meet.
bool KeepOtherVersion(const QString& textFilePath, const QByteArray& bytes, QString& reason);
