#pragma once

#include "project/CardHistory.h"
#include "project/CardTexts.h"

#include <QDialog>
#include <functional>

class Dialogs;
class MessageTable;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

/// What the program does around a restore, for a card whose editor may be open.
struct HistoryHooks {
    /// Before the text file is replaced: an open editor saves what the writer changed, so that it
    /// becomes an entry too. False stops the restore.
    std::function<bool()> BeforeRestore;
    /// After it: an open editor shows the restored text.
    std::function<void()> AfterRestore;
};

/// The earlier texts of one card: a list of its history entries with the time each was saved
/// over and its word count, the chosen one beside the current text with the lines that differ
/// marked, and Restore, which makes the current text an entry before putting the chosen back.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(const QString& projectFolder, const QString& cardName, Dialogs& questions,
        const MessageTable& messages, HistoryHooks hooks, QWidget* parent = nullptr);

    QTreeWidget* lstEntries;
    QPlainTextEdit* memEarlier;
    QPlainTextEdit* memCurrent;
    QPushButton* btnRestore;
    QLabel* lblEmpty;

protected:
    void showEvent(QShowEvent* event) override;

private:
    /// Centres the window over the one it was opened from, fitted to the screen.
    void PlaceOverParent();
    void LoadEntries();
    void ShowDifference();
    void RestoreClick();

    CardHistory FHistory;
    QString FCardName;
    CardTexts FTexts;
    QString FTextPath;
    Dialogs& FQuestions;
    const MessageTable& FMessages;
    HistoryHooks FHooks;
    QList<CardHistoryEntry> FEntries;
    bool FPlaced = false;
};
