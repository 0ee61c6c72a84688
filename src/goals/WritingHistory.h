#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

/// The words of one day of writing in a project.
struct WritingDay {
    QDate Date;
    qint64 StartWords = 0; ///< the project's words when the day began
    qint64 Added = 0;
    qint64 Removed = 0;
    qint64 Minutes = 0; ///< minutes in which a key was typed

    /// What the day did to the project: words added less words removed.
    qint64 Net() const { return Added - Removed; }
    bool operator==(const WritingDay&) const = default;
};

/// The days of writing of one project, as its history file keeps them: one line a day in date
/// order, the ISO date, the words at the start of the day, the words added, the words removed and
/// the minutes writing, parted by tabs. A line that is no such day (damaged, or a comment) is
/// kept where it stood and written back unchanged, so that nothing the file held is ever lost.
class WritingHistory {
public:
    /// The history file's name inside the project folder.
    static const QString FileName;

    /// An empty history, as a project without a file has.
    WritingHistory();

    /// Reads the days from the file's bytes. Never fails: what is not a day is kept as it is.
    void Parse(const QByteArray& bytes);
    /// The file's bytes: the kept lines where they stood, the days in date order, LF line ends.
    /// A history that never had a file starts with a line naming the columns.
    QByteArray Bytes() const;

    /// Reads the file at `path`; a missing file is an empty history. False with the reason only
    /// when the file is there and cannot be read.
    bool Read(const QString& path, QString& error);
    /// Writes the file at `path` atomically: on failure the file is as it was, and `error` says
    /// why.
    bool Write(const QString& path, QString& error) const;

    /// Adds the words of a day counted elsewhere: a day already kept adds the counts to its own
    /// (never below none) and keeps its start; a new day is put in its place by date.
    void Merge(const WritingDay& counts);

    /// The days in date order.
    const std::vector<WritingDay>& Days() const { return FDays; }
    /// The day of `date`, or nullptr when the history has no line for it.
    const WritingDay* Day(QDate date) const;

private:
    /// A line of the file that is not a day, with the number of days that stood before it.
    struct KeptLine {
        qsizetype DaysBefore = 0;
        QByteArray Line;
    };

    std::vector<WritingDay> FDays;
    std::vector<KeptLine> FKept;
};
