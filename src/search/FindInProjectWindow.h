#pragma once

#include "search/ProjectSearch.h"

#include <QWidget>
#include <functional>

class FindResultsModel;
class MessageTable;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

/// The "Find in Project" window: the pattern and its options, where to look, the results as
/// they stream in, and a replacement for the checked matches. It searches what the program's
/// snapshot gives it and hands matches to open and replacements to make to the program.
class FindInProjectWindow : public QWidget {
    Q_OBJECT
public:
    FindInProjectWindow(const MessageTable& messages, QWidget* parent = nullptr);
    ~FindInProjectWindow() override;

    /// The project's cards as they are now, taken when a search starts.
    std::function<QList<SearchedCard>()> Snapshot;

    /// Searches with what the window shows; an invalid expression says why and finds nothing.
    void Search();
    /// After a replacement: how many cards changed and what was refused, with the reasons;
    /// the results are searched again.
    void ShowReplaced(int cardsChanged, const QList<RefusedReplacement>& refused);
    /// The captions in the language now in use.
    void ApplyCaptions();

    FindResultsModel& Results() { return *FResults; }
    ProjectSearch& Searcher() { return *FSearch; }

    QLineEdit* edtSearch;
    QLineEdit* edtReplace;
    QCheckBox* chkMatchCase;
    QCheckBox* chkWholeWords;
    QCheckBox* chkRegularExpression;
    QCheckBox* chkNames;
    QCheckBox* chkDescriptions;
    QCheckBox* chkTexts;
    QPushButton* btnSearch;
    QPushButton* btnStop;
    QPushButton* btnReplaceAll;
    QTreeView* tvResults;
    QLabel* lblCount;
    QLabel* lblReplaced;

signals:
    /// The writer activated a match: its card's field is to be shown with the match selected.
    void OpenRequested(CardId card, ReplacedField field, qsizetype start, qsizetype length);
    /// Replace All with the checked matches, found by searching for `pattern`.
    void ReplaceRequested(const QList<CardReplacement>& replacements, const QString& pattern);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// Starts the search of the options searched last time, or of the window's.
    void StartSearch(const SearchOptions& options, const SearchScope& scope);
    void ShowCount();
    void ReplaceAll();
    void Activate(const QModelIndex& index);
    /// The buttons that depend on whether a search runs and found anything.
    void UpdateButtons();

    const MessageTable& FMessages;
    FindResultsModel* FResults;
    ProjectSearch* FSearch;
    SearchOptions FSearched;
    SearchScope FSearchedScope;
    TextMatcher FMatcher { SearchOptions() };
    int FCardsToSearch = 0;
    int FCardsSearched = 0;
    bool FStopped = false;
};
