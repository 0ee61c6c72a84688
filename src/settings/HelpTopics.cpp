#include "settings/HelpTopics.h"

#include "platform/AsciiCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <cctype>

namespace {
// Help pages are a few kilobytes; a larger file in the folder is not one of them.
constexpr qint64 PageReadLimit = 1024 * 1024;

/// Elements that never hold others, and those whose end tag may be left out, so that a page
/// written in either style is measured by what truly nests.
bool NeverNests(QByteArrayView tag)
{
    static const QList<QByteArray> tags { "area", "base", "br", "col", "colgroup", "dd", "dt",
        "embed", "hr", "img", "input", "li", "link", "meta", "option", "p", "param", "source",
        "tbody", "td", "tfoot", "th", "thead", "tr", "track", "wbr" };
    for (const QByteArray& name : tags)
        if (tag.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

/// The anchor of the page named like the keyword, as the page spells it.
std::optional<QString> AnchorIn(const QString& path, const QString& keyword)
{
    QFile page(path);
    if (!page.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString html = QString::fromUtf8(page.read(PageReadLimit));
    static const QRegularExpression anchor(
        R"re(<a\s[^>]*\bname\s*=\s*"([^"]*)")re", QRegularExpression::CaseInsensitiveOption);
    for (auto match = anchor.globalMatch(html); match.hasNext();) {
        const QString name = match.next().captured(1);
        if (SameIgnoringAsciiCase(name, keyword))
            return name;
    }
    return std::nullopt;
}
} // namespace

HelpTopics::HelpTopics(QString helpFolder)
    : FFolder(std::move(helpFolder))
{
}

QUrl HelpTopics::Index() const
{
    return QUrl::fromLocalFile(FFolder + IndexPage);
}

QUrl HelpTopics::KeywordTopic(const QString& keyword) const
{
    if (keyword.isEmpty())
        return Index();
    const QStringList pages = QDir(FFolder).entryList({ "*.html" }, QDir::Files, QDir::Name);
    for (const QString& page : pages) {
        // A page that leads out of the folder is not read, not even for its anchors.
        if (ConfinedFile(QUrl::fromLocalFile(FFolder + page)).isEmpty())
            continue;
        if (const auto anchor = AnchorIn(FFolder + page, keyword)) {
            QUrl topic = QUrl::fromLocalFile(FFolder + page);
            topic.setFragment(*anchor);
            return topic;
        }
    }
    return Index();
}

QString HelpTopics::ConfinedFile(const QUrl& url) const
{
    if (!url.isLocalFile())
        return {};
    const QFileInfo file(url.toLocalFile());
    const QString folder = QFileInfo(FFolder).canonicalFilePath();
    const QString target = file.canonicalFilePath();
    if (folder.isEmpty() || target.isEmpty() || !file.isFile() || !target.startsWith(folder + '/'))
        return {};
    return target;
}

std::optional<QByteArray> HelpTopics::ReadConfined(const QUrl& url) const
{
    const QString path = ConfinedFile(url);
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(ResourceReadLimit + 1);
    if (bytes.size() > ResourceReadLimit)
        return std::nullopt;
    return bytes;
}

bool HelpTopics::NestsTooDeeply(const QByteArray& html)
{
    int depth = 0;
    // The first '>' after the tag at hand; found once for many tags, so that a page of stray
    // '<' is read in one pass. -1 once there is none left.
    qsizetype close = 0;
    for (qsizetype at = html.indexOf('<'); at >= 0; at = html.indexOf('<', at + 1)) {
        const bool closing = at + 1 < html.size() && html[at + 1] == '/';
        const qsizetype name = at + (closing ? 2 : 1);
        qsizetype end = name;
        while (end < html.size() && std::isalnum(static_cast<unsigned char>(html[end])))
            ++end;
        const QByteArrayView tag(html.constData() + name, end - name);
        // Comments, declarations and anything else that is no element.
        if (tag.isEmpty() || NeverNests(tag))
            continue;
        if (close >= 0 && close < end)
            close = html.indexOf('>', end);
        if (closing) {
            depth = qMax(0, depth - 1);
        } else if (close < 0 || html[close - 1] != '/') {
            if (++depth > MaxNesting)
                return true;
        }
    }
    return false;
}
