#include "compile/OdfXml.h"

namespace OdfXml {
namespace {
bool Ordinary(QChar c)
{
    return c != u' ' && c != u'\t' && c != QChar::LineSeparator;
}
} // namespace

QString Cm(qreal cm)
{
    QString text = QString::number(cm, 'f', 3);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text + QStringLiteral("cm");
}

QString Percent(int percent)
{
    return QString::number(percent) + u'%';
}

void StartRoot(QXmlStreamWriter& xml, const char* root, std::initializer_list<Namespace> spaces)
{
    xml.writeStartDocument();
    xml.writeStartElement(QLatin1String(root));
    for (const Namespace& space : spaces)
        xml.writeNamespace(QLatin1String(space.Uri), QLatin1String(space.Prefix));
}

void WriteAttributes(QXmlStreamWriter& xml, Properties properties)
{
    for (const auto& [name, value] : properties)
        xml.writeAttribute(QLatin1String(name), value);
}

void WriteEmpty(QXmlStreamWriter& xml, const char* element, Properties properties)
{
    xml.writeEmptyElement(QLatin1String(element));
    WriteAttributes(xml, properties);
}

void WriteEmphasis(QXmlStreamWriter& xml, bool italic, bool bold)
{
    xml.writeEmptyElement(QStringLiteral("style:text-properties"));
    if (italic)
        WriteAttributes(xml,
            { { "fo:font-style", "italic" }, { "style:font-style-asian", "italic" },
                { "style:font-style-complex", "italic" } });
    if (bold)
        WriteAttributes(xml,
            { { "fo:font-weight", "bold" }, { "style:font-weight-asian", "bold" },
                { "style:font-weight-complex", "bold" } });
}

void WriteFontSize(QXmlStreamWriter& xml, int points)
{
    const QString size = QString::number(points) + QStringLiteral("pt");
    WriteEmpty(xml, "style:text-properties",
        { { "fo:font-size", size }, { "style:font-size-asian", size },
            { "style:font-size-complex", size } });
}

void WriteText(QXmlStreamWriter& xml, const QString& text, qsizetype from, qsizetype to)
{
    QString run;
    const auto flush = [&] {
        if (!run.isEmpty())
            xml.writeCharacters(run);
        run.clear();
    };
    for (qsizetype i = from; i < to; ++i) {
        const QChar c = text[i];
        if (Ordinary(c)) {
            run += c;
        } else if (c == u' ') {
            qsizetype end = i + 1;
            while (end < to && text[end] == u' ')
                ++end;
            const qsizetype spaces = end - i;
            if (spaces == 1 && i > 0 && Ordinary(text[i - 1]) && i + 1 < text.size()
                && Ordinary(text[i + 1])) {
                run += c;
            } else {
                flush();
                xml.writeEmptyElement(QStringLiteral("text:s"));
                if (spaces > 1)
                    xml.writeAttribute(QStringLiteral("text:c"), QString::number(spaces));
            }
            i = end - 1;
        } else {
            flush();
            xml.writeEmptyElement(
                c == u'\t' ? QStringLiteral("text:tab") : QStringLiteral("text:line-break"));
        }
    }
    flush();
}
} // namespace OdfXml
