#pragma once

#include <QMainWindow>

class MessageTable;
class QAction;
class HelpBrowser;

/// The program's help window: the pages of the Help folder, with Back, Forward and Contents.
/// It is made hidden; every request shows it on the page asked for.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    /// `helpFolder` ends with "/".
    HelpWindow(const QString& helpFolder, const MessageTable& messages, QWidget* parent = nullptr);

    /// The index page for an empty keyword, otherwise the page and place that hold the keyword.
    void ShowTopic(const QString& keyword);

    HelpBrowser* brwHelp;
    QAction* actBack;
    QAction* actForward;
    QAction* actContents;

private:
    /// Captions come from the message table each time the window is asked for, so a change of
    /// language reaches them.
    void ApplyTexts();

    const MessageTable& FMessages;
};
