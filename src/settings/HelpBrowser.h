#pragma once

#include "settings/HelpTopics.h"

#include <QTextBrowser>

class MessageTable;

/// The page view of the help window. It reads pages and pictures from the Help folder only:
/// links to other places open nothing, and a page that is missing says so in plain words
/// instead of leaving the view blank.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(HelpTopics topics, const MessageTable& messages, QWidget* parent = nullptr);

    const HelpTopics& Topics() const { return FTopics; }
    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    HelpTopics FTopics;
    const MessageTable& FMessages;
};
