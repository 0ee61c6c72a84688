#include "settings/HelpBrowser.h"

#include "messages/MessageTable.h"

#include <QDir>

HelpBrowser::HelpBrowser(HelpTopics topics, const MessageTable& messages, QWidget* parent)
    : QTextBrowser(parent)
    , FTopics(std::move(topics))
    , FMessages(messages)
{
    setObjectName("brwHelp");
    setOpenExternalLinks(false);
    document()->setDocumentMargin(12);
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    // Web addresses, mail links and the like open nothing: the help shows its own pages only.
    if (!name.scheme().isEmpty() && !name.isLocalFile())
        return;
    QTextBrowser::doSetSource(name, type);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    const QUrl url = name.isRelative() ? document()->baseUrl().resolved(name) : name;
    const QString file = FTopics.ConfinedFile(url);
    if (!file.isEmpty())
        return QTextBrowser::loadResource(type, QUrl::fromLocalFile(file));
    if (type != QTextDocument::HtmlResource)
        return {};
    // The page stands in for the missing one, so Back and Contents work from it as usual.
    const QString where
        = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    return QString("<p>%1</p>")
        .arg(FMessages.Text(MessageKey::HELP_NOT_FOUND).arg(where).toHtmlEscaped());
}
