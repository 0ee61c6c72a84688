#include "compile/ManuscriptFormat.h"

#include <QFileInfo>

QList<ManuscriptFormat> ManuscriptFormats()
{
    return { ManuscriptFormat::Odt, ManuscriptFormat::Docx, ManuscriptFormat::Pdf,
        ManuscriptFormat::Markdown, ManuscriptFormat::Html, ManuscriptFormat::Epub };
}

MessageKey NameKeyOf(ManuscriptFormat format)
{
    switch (format) {
    case ManuscriptFormat::Odt:
        return MessageKey::FILTER_ODT;
    case ManuscriptFormat::Docx:
        return MessageKey::FILTER_DOCX;
    case ManuscriptFormat::Pdf:
        return MessageKey::FILTER_PDF;
    case ManuscriptFormat::Markdown:
        return MessageKey::FILTER_MARKDOWN;
    case ManuscriptFormat::Html:
        return MessageKey::FILTER_HTML;
    case ManuscriptFormat::Epub:
        return MessageKey::FILTER_EPUB;
    }
    return MessageKey::FILTER_ODT;
}

QString SuffixOf(ManuscriptFormat format)
{
    switch (format) {
    case ManuscriptFormat::Odt:
        return QStringLiteral("odt");
    case ManuscriptFormat::Docx:
        return QStringLiteral("docx");
    case ManuscriptFormat::Pdf:
        return QStringLiteral("pdf");
    case ManuscriptFormat::Markdown:
        return QStringLiteral("md");
    case ManuscriptFormat::Html:
        return QStringLiteral("html");
    case ManuscriptFormat::Epub:
        return QStringLiteral("epub");
    }
    return {};
}

bool NeedsPandoc(ManuscriptFormat format)
{
    return format == ManuscriptFormat::Docx || format == ManuscriptFormat::Epub;
}

QString FilterOf(ManuscriptFormat format, const QString& name)
{
    return QStringLiteral("%1 (*.%2)").arg(name, SuffixOf(format));
}

ExportTarget ResolveExportTarget(const QString& typed, ManuscriptFormat chosen)
{
    const QString suffix = QFileInfo(typed).suffix().toLower();
    for (const ManuscriptFormat format : ManuscriptFormats())
        if (suffix == SuffixOf(format))
            return { typed, format };
    return { typed + u'.' + SuffixOf(chosen), chosen };
}
