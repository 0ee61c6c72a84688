#pragma once

#include <QString>
#include <QXmlStreamWriter>
#include <initializer_list>
#include <utility>

/// The small pieces every part of an OpenDocument package is written with: its namespaces, its
/// lengths, attribute lists and the text properties of emphasis and size.
namespace OdfXml {
inline const QString Version = QStringLiteral("1.3");

/// An XML namespace as the package's files declare it.
struct Namespace {
    const char* Prefix;
    const char* Uri;
};
inline constexpr Namespace Office { "office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0" };
inline constexpr Namespace Style { "style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0" };
inline constexpr Namespace Text { "text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0" };
inline constexpr Namespace Fo { "fo",
    "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" };
inline constexpr Namespace Svg { "svg",
    "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" };
inline constexpr Namespace Meta { "meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0" };
inline constexpr Namespace Dc { "dc", "http://purl.org/dc/elements/1.1/" };
inline constexpr Namespace Config { "config", "urn:oasis:names:tc:opendocument:xmlns:config:1.0" };
inline constexpr Namespace Manifest { "manifest",
    "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" };

/// Attributes of one element, in the order they are written.
using Properties = std::initializer_list<std::pair<const char*, QString>>;

/// A length as ODF writes it, in centimetres to a thousandth.
QString Cm(qreal cm);
QString Percent(int percent);

/// Starts an ODF file's root element with the namespaces its content uses.
void StartRoot(QXmlStreamWriter& xml, const char* root, std::initializer_list<Namespace> spaces);
void WriteAttributes(QXmlStreamWriter& xml, Properties properties);
void WriteEmpty(QXmlStreamWriter& xml, const char* element, Properties properties);
/// Italic or bold text, in all three scripts' properties.
void WriteEmphasis(QXmlStreamWriter& xml, bool italic, bool bold);
void WriteFontSize(QXmlStreamWriter& xml, int points);
/// Writes `text[from, to)`, part of a paragraph, so that a reader gets every character back:
/// readers collapse runs of white space and drop it at a paragraph's start, so every space but
/// a lone one between two characters is a text:s, a tab a text:tab, a line break a
/// text:line-break. `text` is the whole paragraph, so that a run of spaces that goes on in the
/// next span is seen whole.
void WriteText(QXmlStreamWriter& xml, const QString& text, qsizetype from, qsizetype to);
} // namespace OdfXml
