#include "statistics/Statistics.h"

#include "goals/WritingTracker.h"
#include "messages/MessageTable.h"
#include "platform/AtomicWrite.h"
#include "platform/Dialogs.h"
#include "statistics/HistoryFigures.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {
/// The chart's days to choose from.
constexpr int ChartDays[] = { 30, 90, 365 };
/// Often enough to follow the writer's keys, seldom enough to cost nothing: a refresh whose
/// days did not change leaves the chart alone.
constexpr int RefreshMs = 1000;
/// A chart of more days than this names no day under its bars: they would run into each other.
constexpr int MostNamedDays = 31;
const QColor BarColour(0x3b, 0x6e, 0xa8);
const QColor TargetColour(0xd2, 0x5a, 0x1e);

template <typename T> T* Named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QString Number(qint64 words)
{
    return QLocale().toString(words);
}

/// A day's name under its bar: the day of the month alone, so that a month of them fits without
/// turning; with the month where the day's number is taken already, as a bar's name must be
/// unique (the 1st of February and of March within 30 days).
QString DayName(QDate date, const QStringList& taken)
{
    const QString day = QString::number(date.day());
    return taken.contains(day) ? QStringLiteral("%1.%2").arg(day).arg(date.month()) : day;
}
} // namespace

TfmStatistics::TfmStatistics(
    StatisticsSource source, Dialogs& dialogs, const MessageTable& messages, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , lblToday(Named(new QLabel, "lblToday"))
    , pbToday(Named(new QProgressBar, "pbToday"))
    , lblSession(Named(new QLabel, "lblSession"))
    , pbSession(Named(new QProgressBar, "pbSession"))
    , lblProject(Named(new QLabel, "lblProject"))
    , pbProject(Named(new QProgressBar, "pbProject"))
    , lblPace(Named(new QLabel, "lblPace"))
    , lblStreak(Named(new QLabel, "lblStreak"))
    , cmbDays(Named(new QComboBox, "cmbDays"))
    , chvDays(Named(new QChartView, "chvDays"))
    , btnExport(Named(new QPushButton, "btnExport"))
    , btnClose(Named(new QPushButton, "btnClose"))
    , FSource(std::move(source))
    , FDialogs(dialogs)
    , FMessages(messages)
    , FRefresh(new QTimer(this))
    , FChart(new QChart)
{
    setObjectName("fmStatistics");
    for (QLabel* label : { lblPace, lblStreak })
        label->setTextFormat(Qt::PlainText);
    for (int days : ChartDays)
        cmbDays->addItem(QString(), days);
    chvDays->setChart(FChart);
    chvDays->setRenderHint(QPainter::Antialiasing, false);
    chvDays->setMinimumSize(640, 300);
    FChart->legend()->setAlignment(Qt::AlignBottom);

    auto* figures = new QGridLayout;
    figures->addWidget(lblToday, 0, 0);
    figures->addWidget(pbToday, 0, 1);
    figures->addWidget(lblSession, 1, 0);
    figures->addWidget(pbSession, 1, 1);
    figures->addWidget(lblProject, 2, 0);
    figures->addWidget(pbProject, 2, 1);
    figures->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmbDays);
    buttons->addStretch();
    buttons->addWidget(btnExport);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(figures);
    layout->addWidget(lblPace);
    layout->addWidget(lblStreak);
    layout->addWidget(chvDays, 1);
    layout->addLayout(buttons);

    // Wide enough for a month's days under the bars.
    resize(900, 640);
    connect(FRefresh, &QTimer::timeout, this, &TfmStatistics::Refresh);
    connect(cmbDays, &QComboBox::currentIndexChanged, this, &TfmStatistics::Refresh);
    connect(btnExport, &QPushButton::clicked, this, &TfmStatistics::ExportCsv);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    ApplyCaptions();
}

void TfmStatistics::ApplyCaptions()
{
    setWindowTitle(FMessages.Text(MessageKey::STATISTICS_TITLE));
    lblToday->setText(FMessages.Text(MessageKey::STATISTICS_TODAY));
    lblSession->setText(FMessages.Text(MessageKey::STATISTICS_SESSION));
    lblProject->setText(FMessages.Text(MessageKey::STATISTICS_PROJECT));
    for (int item = 0; item < cmbDays->count(); ++item)
        cmbDays->setItemText(item,
            FMessages.Text(MessageKey::STATISTICS_LAST_DAYS).arg(cmbDays->itemData(item).toInt()));
    btnExport->setText(FMessages.Text(MessageKey::STATISTICS_EXPORT));
    btnClose->setText(FMessages.Text(MessageKey::STATISTICS_CLOSE));
    // The series carry their names: drawn again with the new ones at the next refresh.
    FChartWords.clear();
}

void TfmStatistics::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ApplyCaptions();
    Refresh();
    FRefresh->start(RefreshMs);
}

void TfmStatistics::hideEvent(QHideEvent* event)
{
    FRefresh->stop();
    QWidget::hideEvent(event);
}

void TfmStatistics::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void TfmStatistics::Refresh()
{
    const WritingTracker* tracker = FSource.Tracker ? FSource.Tracker() : nullptr;
    const WritingGoals goals = FSource.Goals ? FSource.Goals() : WritingGoals();
    const WritingDay today = tracker ? tracker->Today() : WritingDay { QDate::currentDate() };
    const WritingHistory history = tracker ? tracker->History() : WritingHistory();
    const qint64 projectWords = tracker ? tracker->ProjectWords() : 0;

    ShowProgress(pbToday, today.Net(), goals.DailyTarget);
    ShowProgress(pbSession, tracker ? tracker->SessionWords() : 0, goals.SessionTarget);
    ShowProgress(pbProject, projectWords, goals.ProjectTarget);
    const DeadlinePace pace = goals.Pace(projectWords, today.Date);
    switch (pace.Is) {
    case DeadlinePace::State::NoDeadline:
        lblPace->setText(FMessages.Text(MessageKey::STATISTICS_NO_DEADLINE));
        break;
    case DeadlinePace::State::Reached:
        lblPace->setText(FMessages.Text(MessageKey::STATISTICS_TARGET_REACHED));
        break;
    case DeadlinePace::State::Passed:
        lblPace->setText(FMessages.Text(MessageKey::STATISTICS_DEADLINE_PASSED));
        break;
    case DeadlinePace::State::Needed:
        lblPace->setText(FMessages.Text(MessageKey::STATISTICS_PACE)
                             .arg(Number(pace.WordsPerDay), Number(pace.DaysLeft)));
        break;
    }
    lblStreak->setText(FMessages.Text(MessageKey::STATISTICS_STREAK)
                           .arg(Number(goals.Streak(history, today.Date))));

    const std::vector<qint64> words
        = DailyWords(history, today.Date, cmbDays->currentData().toInt());
    if (words != FChartWords || today.Date != FChartToday || goals.DailyTarget != FChartTarget)
        DrawChart(words, today.Date, goals.DailyTarget);
}

void TfmStatistics::ShowProgress(QProgressBar* bar, qint64 words, qint64 target) const
{
    // A progress bar counts in int: the figures are clamped to what it can hold.
    const auto clamp = [](qint64 value) { return int(std::clamp<qint64>(value, 0, INT_MAX)); };
    bar->setEnabled(target > 0);
    bar->setRange(0, target > 0 ? clamp(target) : 1);
    bar->setValue(target > 0 ? clamp(std::min(words, target)) : 0);
    // The text is no format of the bar's own: "%" in a translation must stay as it is.
    QString text = target > 0
        ? FMessages.Text(MessageKey::STATISTICS_OF_TARGET).arg(Number(words), Number(target))
        : FMessages.Text(MessageKey::STATISTICS_WORDS).arg(Number(words));
    bar->setFormat(text.replace('%', QStringLiteral("%%")));
}

void TfmStatistics::DrawChart(const std::vector<qint64>& words, QDate today, qint64 dailyTarget)
{
    FChartWords = words;
    FChartToday = today;
    FChartTarget = dailyTarget;
    FChart->removeAllSeries();
    for (QAbstractAxis* axis : FChart->axes()) {
        FChart->removeAxis(axis);
        delete axis;
    }

    const int days = int(words.size());
    auto* set = new QBarSet(FMessages.Text(MessageKey::STATISTICS_DAILY_WORDS));
    set->setColor(BarColour);
    set->setBorderColor(BarColour);
    QStringList dates;
    const QDate first = today.addDays(1 - days);
    for (int day = 0; day < days; ++day) {
        set->append(qreal(words[std::size_t(day)]));
        dates << DayName(first.addDays(day), dates);
    }
    auto* bars = new QBarSeries;
    bars->setBarWidth(0.8);
    bars->append(set);
    FChart->addSeries(bars);

    auto* dayAxis = new QBarCategoryAxis;
    dayAxis->append(dates);
    dayAxis->setGridLineVisible(false);
    dayAxis->setLabelsVisible(days <= MostNamedDays);
    FChart->setTitle(QLocale().toString(first, QLocale::ShortFormat) + QStringLiteral(" – ")
        + QLocale().toString(today, QLocale::ShortFormat));
    auto* wordAxis = new QValueAxis;
    wordAxis->setLabelFormat(QStringLiteral("%d"));
    const qint64 lowest
        = std::min<qint64>(0, words.empty() ? 0 : *std::min_element(words.begin(), words.end()));
    const qint64 highest = std::max<qint64>(
        { dailyTarget, words.empty() ? 0 : *std::max_element(words.begin(), words.end()), 10 });
    wordAxis->setRange(qreal(lowest), qreal(highest) * 1.1);
    wordAxis->applyNiceNumbers();
    FChart->addAxis(dayAxis, Qt::AlignBottom);
    FChart->addAxis(wordAxis, Qt::AlignLeft);
    bars->attachAxis(dayAxis);
    bars->attachAxis(wordAxis);

    if (dailyTarget > 0) {
        // Across the whole width: from the left edge of the first bar to the right of the last.
        auto* target = new QLineSeries;
        target->setName(FMessages.Text(MessageKey::STATISTICS_DAILY_TARGET));
        target->setPen(QPen(TargetColour, 2));
        target->append(-0.5, qreal(dailyTarget));
        target->append(days - 0.5, qreal(dailyTarget));
        FChart->addSeries(target);
        target->attachAxis(dayAxis);
        target->attachAxis(wordAxis);
    }
}

void TfmStatistics::ExportCsv()
{
    const WritingTracker* tracker = FSource.Tracker ? FSource.Tracker() : nullptr;
    const QString folder = FSource.Folder ? FSource.Folder() : QString();
    const QString path
        = FDialogs.AskSaveFileName(FMessages.Text(MessageKey::STATISTICS_EXPORT_TITLE),
            folder.isEmpty() ? QString() : folder + "Writing History.csv",
            FMessages.Text(MessageKey::STATISTICS_EXPORT_FILTER), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)
        && !FDialogs.AskOkCancel(
            FMessages.Text(MessageKey::STATISTICS_REPLACE).arg(QFileInfo(path).fileName())))
        return;
    QString error;
    if (!WriteFileAtomically(
            path, HistoryCsv(tracker ? tracker->History() : WritingHistory()), error))
        FDialogs.ShowWarning(FMessages.Text(MessageKey::STATISTICS_EXPORT_NOT_OK), error);
}
