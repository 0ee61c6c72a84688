#pragma once

#include "search/ProjectSearch.h"

#include <QList>
#include <QObject>

class FindInProjectWindow;
class TfmMain;

/// Find in Project wired to the program: Edit > Find in Project and Ctrl+Shift+F in the main
/// window and in every editor bring up the one window; a search reads the open editors'
/// unsaved texts in place of their files; a match activated opens its card's editor with the
/// match selected, or the card's properties for a name or a description, and the canvas (and
/// so the outline) selects the card.
class FindInProjectCommands : public QObject {
    Q_OBJECT
public:
    explicit FindInProjectCommands(TfmMain& window);
    ~FindInProjectCommands() override;

    /// Shows the window, made on first use, raised with its search field focused.
    void Open();
    /// The window, once it was opened; none before.
    FindInProjectWindow* Window() const { return FFind; }

private:
    /// The cards as they are now: open editors' texts as typed, the others' files to read.
    QList<SearchedCard> Snapshot() const;
    void ShowMatch(CardId card, ReplacedField field, qsizetype start, qsizetype length);
    void Replace(const QList<CardReplacement>& replacements, const QString& pattern);

    TfmMain& FWindow;
    FindInProjectWindow* FFind = nullptr;
};
