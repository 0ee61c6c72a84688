#pragma once

#include "spelling/ThesaurusLanguage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class MyThes;

/// One meaning of a word: its part of speech and headword ("(noun) lamp") and the words that
/// can stand for it in that sense.
struct ThesaurusMeaning {
    QString Definition;
    QStringList Synonyms;
};

/// The folders in which the system's packages install MyThes data.
QStringList SystemThesaurusFolders();

/// A thesaurus in MyThes files ("th_en_US_v2.idx" and its ".dat") found in a list of folders:
/// the data of the chosen language where one holds it, else English; among the folders the
/// first that holds data wins, so the program's own folder goes first.
class TThesaurus {
public:
    explicit TThesaurus(QStringList folders);
    ~TThesaurus();
    TThesaurus(const TThesaurus&) = delete;
    TThesaurus& operator=(const TThesaurus&) = delete;

    void SetLanguage(ThesaurusLanguage language) { FLanguage = language; }
    ThesaurusLanguage Language() const { return FLanguage; }

    /// Finds the data for the language and opens it, unless it is open already; false when no
    /// thesaurus data is installed that can be read.
    bool Open();
    /// The meanings of a word or phrase, in the first of its look-up forms that the data holds;
    /// none when it holds none of them.
    QList<ThesaurusMeaning> Lookup(const QString& word);

private:
    QStringList FFolders;
    ThesaurusLanguage FLanguage = ThesaurusLanguage::ltEnglish;
    QString FIndexPath; ///< the index of the open data
    QByteArray FEncoding; ///< as the data's first line names it
    std::unique_ptr<MyThes> FData;
};
