#pragma once

#include "search/TextMatcher.h"
#include "steps/TextReplacement.h"

#include <QList>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

/// One card as the search sees it, taken in the GUI thread: its text is an open editor's
/// unsaved text, or the file the worker reads.
struct SearchedCard {
    CardId Card = 0;
    QString Name;
    QString Description;
    QString TextPath; ///< read by the worker when the card has no open editor
    bool TextOpen = false;
    QString OpenText; ///< the editor's text, line ends as LF, when TextOpen
};

/// Which of the cards' fields a search looks at.
struct SearchScope {
    bool Names = true;
    bool Descriptions = true;
    bool Texts = true;
};

/// One match with the line around it, for the results list.
struct FoundMatch {
    ReplacedField Field = ReplacedField::Text;
    TextMatch Match;
    QString Context; ///< the match's line, cut short around it where it is long
    TextMatch InContext; ///< where the match stands in Context
};

/// Every match in one card, with each searched field's text as it was searched: a replacement
/// is made against that text.
struct CardMatches {
    CardId Card = 0;
    QString Name;
    QString Description;
    QString Text;
    QList<FoundMatch> Matches;
    QString Problem; ///< why the card's text could not be read, or empty

    const QString& Searched(ReplacedField field) const
    {
        return field == ReplacedField::Name       ? Name
            : field == ReplacedField::Description ? Description
                                                  : Text;
    }
};

/// Searches a snapshot of the project's cards in a worker thread, reading each text file there,
/// and hands the matches to the GUI thread in batches as it goes, so that the first ones show
/// while the rest are searched. The worker touches no object of the GUI thread. A new search or
/// Stop ends the one running at once: nothing of it arrives afterwards.
class ProjectSearch : public QObject {
    Q_OBJECT
public:
    explicit ProjectSearch(QObject* parent = nullptr);
    ~ProjectSearch() override;

    /// Starts searching `cards` in their order; a search already running is stopped first. An
    /// invalid pattern searches nothing and finishes at once.
    void Start(QList<SearchedCard> cards, const SearchOptions& options, const SearchScope& scope);
    /// Ends the search now; Finished follows at once, and no batch of it after.
    void Stop();
    bool Running() const { return FRunning; }

    /// The context kept on either side of a match in a long line, in characters.
    static constexpr qsizetype ContextBefore = 40;
    static constexpr qsizetype ContextAfter = 60;
    /// The matches of one searched text, each with its line.
    static QList<FoundMatch> MatchesIn(
        const QString& text, ReplacedField field, const TextMatcher& matcher);

signals:
    /// The cards with matches among the next ones searched; `searched` cards are done so far.
    void Found(const QList<CardMatches>& cards, int searched);
    /// The search ended: every card searched, or stopped.
    void Finished(bool stopped);

private:
    /// The worker's loop over the cards.
    static void Run(ProjectSearch* owner, QList<SearchedCard> cards, SearchOptions options,
        SearchScope scope, std::shared_ptr<std::atomic_bool> cancelled);
    void EndWorker();

    std::thread FWorker;
    std::shared_ptr<std::atomic_bool> FCancelled;
    bool FRunning = false;
};
