#pragma once

#include "settings/HelpTopics.h"

#include <QPixmap>
#include <QTextBrowser>

class MessageTable;

/// The page view of the help window. It reads pages, pictures and style sheets from the Help
/// folder only: links to other places open nothing, a picture from elsewhere is shown as
/// missing, and a page that is missing or cannot be laid out says so in plain words instead of
/// leaving the view blank.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(HelpTopics topics, const MessageTable& messages, QWidget* parent = nullptr);

    const HelpTopics& Topics() const { return FTopics; }
    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    /// A page of one paragraph that says why the page asked for is not shown.
    static QString Notice(const QString& text);
    /// What stands where a picture cannot be shown.
    QPixmap MissingPicture() const;

    HelpTopics FTopics;
    const MessageTable& FMessages;
};
