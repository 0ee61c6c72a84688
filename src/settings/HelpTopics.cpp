#include "settings/HelpTopics.h"

#include "platform/AsciiCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

namespace {
// Help pages are a few kilobytes; a larger file in the folder is not one of them.
constexpr qint64 PageReadLimit = 1024 * 1024;

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
