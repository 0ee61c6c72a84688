#include "settings/HelpBrowser.h"

#include "messages/MessageTable.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QStyle>

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
    const QString where
        = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    // Whatever is refused is still answered: given nothing, Qt would read the file itself, and
    // given no picture, it would load the name a page gives, from wherever that leads.
    const std::optional<QByteArray> bytes = FTopics.ReadConfined(url);
    if (type == QTextDocument::ImageResource) {
        const QImage picture = bytes ? QImage::fromData(*bytes) : QImage();
        return picture.isNull() ? MissingPicture() : QPixmap::fromImage(picture);
    }
    if (type != QTextDocument::HtmlResource)
        return bytes.value_or(QByteArray());
    // The page stands in for the one that cannot be shown, so Back and Contents work from it
    // as usual.
    if (!bytes)
        return Notice(FMessages.Text(MessageKey::HELP_NOT_FOUND).arg(where));
    if (HelpTopics::NestsTooDeeply(*bytes))
        return Notice(FMessages.Text(MessageKey::HELP_TOO_DEEP).arg(where));
    return *bytes;
}

QString HelpBrowser::Notice(const QString& text)
{
    return QString("<p>%1</p>").arg(text.toHtmlEscaped());
}

QPixmap HelpBrowser::MissingPicture() const
{
    QPixmap icon = style()->standardIcon(QStyle::SP_FileIcon).pixmap(16);
    if (icon.isNull()) {
        icon = QPixmap(1, 1);
        icon.fill(Qt::transparent);
    }
    return icon;
}
