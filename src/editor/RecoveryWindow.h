#pragma once

#include <QDialog>
#include <QList>
#include <functional>

class MessageTable;
class QLabel;
class QListWidget;
class QPushButton;

/// The question after a project opens whose editors kept texts that were never saved: the cards
/// are listed, all of them selected, and Restore (the default button, so that Enter restores
/// all), Compare (of one card) and Discard act on the selection. A card dealt with leaves the
/// list; the window closes when none is left. Later, or Esc, changes nothing: the texts are
/// offered again at the next open.
class RecoveryWindow : public QDialog {
    Q_OBJECT
public:
    struct Entry {
        QString Caption;
        bool CanRestore = true; ///< false for a card no longer in the project
    };
    RecoveryWindow(
        const QList<Entry>& entries, const MessageTable& messages, QWidget* parent = nullptr);

    /// What the buttons do with the entry of an index; Restore and Discard are true when the
    /// entry is dealt with.
    std::function<bool(int entry)> Restore;
    std::function<void(int entry)> Compare;
    std::function<bool(int entry)> Discard;

    QLabel* lblQuestion;
    QListWidget* lstCards;
    QPushButton* btnRestore;
    QPushButton* btnCompare;
    QPushButton* btnDiscard;
    QPushButton* btnLater;

private:
    /// Runs `action` on each selected entry it applies to; those it dealt with leave the list.
    void ActOnSelection(const std::function<bool(int)>& action, bool restoring);
    void FollowSelection();

    QList<Entry> FEntries;
};
