#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>

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
    /// The bytes of the file a link leads to, when ConfinedFile allows it and it is a regular
    /// file no larger than ResourceReadLimit; nothing for anything else. Pages, pictures and
    /// style sheets are all read through here, never by Qt itself.
    std::optional<QByteArray> ReadConfined(const QUrl& url) const;
    /// Whether a page's elements nest deeper than any help page does: the layout of a deep
    /// enough nest of tables overflows the stack, so such a page is not shown at all.
    static bool NestsTooDeeply(const QByteArray& html);

    /// Help pages and their pictures are small; a larger file in the folder is none of them.
    static constexpr qint64 ResourceReadLimit = 4 * 1024 * 1024;
    /// Far deeper than a help page nests, far shallower than the layout can bear.
    static constexpr int MaxNesting = 64;

private:
    QString FFolder;
};
