#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// One word of a thesaurus and its meanings, each written as MyThes data has it: the part of
/// speech and the synonyms, joined by "|" ("(noun)|lantern|light (generic term)").
struct ThesaurusEntry {
    QString Word;
    QStringList Meanings;
};

/// Writes a MyThes thesaurus, `folder` + `name` + ".idx" and ".dat", in the encoding named on
/// its first line; the index is sorted and points at each word's place in the data.
void WriteThesaurus(const QString& folder, const QString& name,
    const QList<ThesaurusEntry>& entries, const QByteArray& encoding = "UTF-8");
