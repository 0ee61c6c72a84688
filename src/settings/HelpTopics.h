#pragma once

#include <QString>
#include <QUrl>

/// The help pages in the program's Help folder: the index page, the page that holds a
/// keyword's anchor, and which files a link may reach. Nothing outside the folder is ever
/// shown, whatever a page or a request names.
class HelpTopics {
public:
    /// Help context 0.
    static inline const QString IndexPage = QStringLiteral("index.html");

    /// `helpFolder` ends with "/".
    explicit HelpTopics(QString helpFolder);

    const QString& Folder() const { return FFolder; }
    QUrl Index() const;
    /// The page that holds an anchor of this name (letters A to Z in either case), scrolled
    /// to it; the index when no page holds one, as a keyword lookup that fails shows the index.
    QUrl KeywordTopic(const QString& keyword) const;
    /// The file a link leads to when it is an existing file inside the Help folder; empty for
    /// anything else: a remote address, a path elsewhere, "../" or a symbolic link that climbs
    /// out, a missing file.
    QString ConfinedFile(const QUrl& url) const;

private:
    QString FFolder;
};
