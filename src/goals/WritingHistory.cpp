#include "goals/WritingHistory.h"

#include "platform/AtomicWrite.h"
#include "platform/TextFile.h"
#include "project/ProjectPaths.h"

#include <QByteArrayView>
#include <algorithm>

const QString WritingHistory::FileName = ProjectPaths::WritingHistoryFile;

namespace {

const QByteArray ColumnsLine = QByteArrayLiteral(
    "# date\twords at the start of the day\twords added\twords removed\tminutes writing");

/// A whole number of digits only, as the file writes them; -1 for anything else.
qint64 Count(QByteArrayView field)
{
    if (field.isEmpty() || field.size() > 15)
        return -1;
    qint64 value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

/// A date written as yyyy-MM-dd, nothing more or less; an invalid date for anything else.
QDate IsoDate(QByteArrayView field)
{
    if (field.size() != 10 || field[4] != '-' || field[7] != '-')
        return {};
    const qint64 year = Count(field.first(4));
    const qint64 month = Count(field.sliced(5, 2));
    const qint64 day = Count(field.sliced(8, 2));
    if (year < 0 || month < 0 || day < 0)
        return {};
    return QDate(int(year), int(month), int(day));
}

/// The day a line holds, or a day without a date when the line is not one.
WritingDay DayOf(QByteArrayView line)
{
    QByteArrayView fields[5];
    int found = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype tab = line.indexOf('\t', from);
        if (found == 5)
            return {};
        fields[found++] = line.sliced(from, (tab < 0 ? line.size() : tab) - from);
        if (tab < 0)
            break;
        from = tab + 1;
    }
    if (found != 5)
        return {};
    WritingDay day { IsoDate(fields[0]), Count(fields[1]), Count(fields[2]), Count(fields[3]),
        Count(fields[4]) };
    if (day.StartWords < 0 || day.Added < 0 || day.Removed < 0 || day.Minutes < 0)
        return {};
    return day;
}

void AppendNumber(QByteArray& out, qint64 value)
{
    out.append('\t');
    out.append(QByteArray::number(value));
}
} // namespace

WritingHistory::WritingHistory()
{
    Parse({});
}

void WritingHistory::Parse(const QByteArray& bytes)
{
    FDays.clear();
    FKept.clear();
    if (bytes.isEmpty()) {
        FKept.push_back({ 0, ColumnsLine });
        return;
    }
    FDays.reserve(bytes.size() / 24);
    const QByteArrayView all(bytes);
    qsizetype from = 0;
    while (from < all.size()) {
        qsizetype end = all.indexOf('\n', from);
        if (end < 0)
            end = all.size();
        QByteArrayView line = all.sliced(from, end - from);
        from = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        const WritingDay day = DayOf(line);
        // A day out of order would make the days ambiguous: it is kept, like any damaged line.
        if (day.Date.isValid() && (FDays.empty() || FDays.back().Date < day.Date))
            FDays.push_back(day);
        else
            FKept.push_back({ qsizetype(FDays.size()), line.toByteArray() });
    }
}

QByteArray WritingHistory::Bytes() const
{
    QByteArray out;
    out.reserve(qsizetype(FDays.size()) * 32 + 100);
    auto kept = FKept.cbegin();
    for (qsizetype at = 0; at <= qsizetype(FDays.size()); ++at) {
        for (; kept != FKept.cend() && kept->DaysBefore == at; ++kept)
            out.append(kept->Line).append('\n');
        if (at == qsizetype(FDays.size()))
            break;
        const WritingDay& day = FDays[size_t(at)];
        out.append(day.Date.toString(Qt::ISODate).toLatin1());
        AppendNumber(out, day.StartWords);
        AppendNumber(out, day.Added);
        AppendNumber(out, day.Removed);
        AppendNumber(out, day.Minutes);
        out.append('\n');
    }
    return out;
}

bool WritingHistory::Read(const QString& path, QString& error)
{
    QByteArray bytes;
    switch (ReadFileIfPresent(path, bytes, error)) {
    case FileRead::Failed:
        return false;
    case FileRead::Missing:
        bytes.clear();
        break;
    case FileRead::Read:
        break;
    }
    Parse(bytes);
    return true;
}

bool WritingHistory::Write(const QString& path, QString& error) const
{
    return WriteFileAtomically(path, Bytes(), error);
}

void WritingHistory::Merge(const WritingDay& counts)
{
    const auto at = std::lower_bound(FDays.begin(), FDays.end(), counts.Date,
        [](const WritingDay& day, QDate date) { return day.Date < date; });
    if (at != FDays.end() && at->Date == counts.Date) {
        at->Added = std::max<qint64>(0, at->Added + counts.Added);
        at->Removed = std::max<qint64>(0, at->Removed + counts.Removed);
        at->Minutes = std::max<qint64>(0, at->Minutes + counts.Minutes);
        return;
    }
    const qsizetype index = at - FDays.begin();
    FDays.insert(at,
        WritingDay { counts.Date, std::max<qint64>(0, counts.StartWords),
            std::max<qint64>(0, counts.Added), std::max<qint64>(0, counts.Removed),
            std::max<qint64>(0, counts.Minutes) });
    // A kept line that stood before the day now after it moves along; one just before it stays.
    for (KeptLine& kept : FKept)
        if (kept.DaysBefore > index)
            ++kept.DaysBefore;
}

const WritingDay* WritingHistory::Day(QDate date) const
{
    const auto at = std::lower_bound(FDays.cbegin(), FDays.cend(), date,
        [](const WritingDay& day, QDate wanted) { return day.Date < wanted; });
    return at != FDays.cend() && at->Date == date ? &*at : nullptr;
}
