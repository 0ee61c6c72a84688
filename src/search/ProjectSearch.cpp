#include "search/ProjectSearch.h"

#include "platform/TextFile.h"
#include "project/CardTexts.h"

#include <QElapsedTimer>
#include <QMetaObject>

namespace {

/// How often the worker hands on what it found after the first match, in milliseconds: often
/// enough to see the list grow, seldom enough not to flood the window's event loop.
constexpr qint64 BatchInterval = 50;

const QChar Ellipsis(0x2026);

} // namespace

ProjectSearch::ProjectSearch(QObject* parent)
    : QObject(parent)
{
}

ProjectSearch::~ProjectSearch()
{
    EndWorker();
}

void ProjectSearch::EndWorker()
{
    if (FCancelled)
        FCancelled->store(true);
    if (FWorker.joinable())
        FWorker.join();
}

void ProjectSearch::Start(
    QList<SearchedCard> cards, const SearchOptions& options, const SearchScope& scope)
{
    EndWorker();
    FCancelled = std::make_shared<std::atomic_bool>(false);
    FRunning = true;
    FWorker = std::thread(&ProjectSearch::Run, this, std::move(cards), options, scope, FCancelled);
}

void ProjectSearch::Stop()
{
    if (!FRunning)
        return;
    EndWorker();
    FRunning = false;
    emit Finished(true);
}

QList<FoundMatch> ProjectSearch::MatchesIn(
    const QString& text, ReplacedField field, const TextMatcher& matcher)
{
    QList<FoundMatch> found;
    for (const TextMatch& match : matcher.Matches(text)) {
        const qsizetype end = match.Start + match.Length;
        const qsizetype lineStart
            = match.Start == 0 ? 0 : text.lastIndexOf('\n', match.Start - 1) + 1;
        qsizetype lineEnd = text.indexOf('\n', end);
        if (lineEnd < 0)
            lineEnd = text.size();
        qsizetype from = std::max(lineStart, match.Start - ContextBefore);
        // A match that runs over line ends shows to the end of its last line.
        qsizetype to = std::max(end, std::min(lineEnd, end + ContextAfter));
        // A line cut short is cut between words where it can be.
        if (from > lineStart) {
            const qsizetype space = QStringView(text).mid(from, match.Start - from).indexOf(' ');
            if (space >= 0)
                from += space + 1;
        }
        if (to < lineEnd) {
            const qsizetype space = QStringView(text).mid(end, to - end).lastIndexOf(' ');
            if (space > 0)
                to = end + space;
        }
        FoundMatch shown;
        shown.Field = field;
        shown.Match = match;
        if (from > lineStart)
            shown.Context += Ellipsis;
        shown.InContext = { shown.Context.size() + match.Start - from, match.Length };
        shown.Context += QStringView(text).mid(from, to - from);
        if (to < lineEnd)
            shown.Context += Ellipsis;
        found.append(shown);
    }
    return found;
}

void ProjectSearch::Run(ProjectSearch* owner, QList<SearchedCard> cards, SearchOptions options,
    SearchScope scope, std::shared_ptr<std::atomic_bool> cancelled)
{
    const TextMatcher matcher(options);
    QList<CardMatches> batch;
    QElapsedTimer sinceBatch;
    sinceBatch.start();
    bool anySent = false;
    // Hands what was found to the GUI thread, where it arrives unless the search was ended.
    const auto send = [&](int searched) {
        QMetaObject::invokeMethod(
            owner,
            [owner, cancelled, batch, searched] {
                if (!cancelled->load())
                    emit owner->Found(batch, searched);
            },
            Qt::QueuedConnection);
        batch.clear();
        sinceBatch.restart();
    };
    int searched = 0;
    for (SearchedCard& card : cards) {
        if (cancelled->load() || !matcher.IsValid())
            break;
        CardMatches result;
        result.Card = card.Card;
        if (scope.Names) {
            result.Name = card.Name;
            result.Matches += MatchesIn(card.Name, ReplacedField::Name, matcher);
        }
        if (scope.Descriptions) {
            result.Description = card.Description;
            result.Matches += MatchesIn(card.Description, ReplacedField::Description, matcher);
        }
        if (scope.Texts) {
            QByteArray bytes;
            QString error;
            // A card without a text file has no text to search: that is no failure.
            if (card.TextOpen)
                result.Text = std::move(card.OpenText);
            else if (CardTexts::ReadIfPresent(card.TextPath, bytes, error) == FileRead::Failed)
                result.Problem = error;
            else
                result.Text = NormaliseLineEnds(DecodeText(bytes));
            result.Matches += MatchesIn(result.Text, ReplacedField::Text, matcher);
        }
        ++searched;
        if (!result.Matches.isEmpty() || !result.Problem.isEmpty()) {
            // The name always comes along: the list names the card whatever was searched.
            result.Name = card.Name;
            batch.append(std::move(result));
        }
        if ((!anySent && !batch.isEmpty()) || sinceBatch.elapsed() >= BatchInterval) {
            anySent = anySent || !batch.isEmpty();
            send(searched);
        }
    }
    send(searched);
    QMetaObject::invokeMethod(
        owner,
        [owner, cancelled] {
            if (cancelled->load())
                return;
            owner->FRunning = false;
            emit owner->Finished(false);
        },
        Qt::QueuedConnection);
}
