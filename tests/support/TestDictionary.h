#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Writes a Hunspell dictionary of the words, without affixes, as `folder` + name + ".aff" and
/// ".dic" in the given encoding (the affix file's SET line); returns the folder.
QString WriteDictionary(const QString& folder, const QString& name, const QStringList& words,
    const QByteArray& encoding = "UTF-8");

/// The words the word rules' tests look up: plain English words, two spelt only with their
/// final period, and "tide", which the custom word lists of the tests exclude.
QStringList EnglishTestWords();
