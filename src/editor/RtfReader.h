#pragma once

#include <QByteArray>
#include <QString>

/// Turns a rich-text (RTF) document into the plain text of its body.
///
/// Kept: body text, with "\n" for paragraph, line, section and page breaks, "\t" for tabs and
/// between table cells, and typographic characters (dashes, curly quotes, bullets, non-breaking
/// space and hyphen). Dropped: formatting, hidden text, pictures, objects, headers, footers,
/// footnotes, fields' instructions (their shown result stays) and every table or destination
/// that holds no body text. Bytes written as \'hh are decoded in the code page of their font
/// or of the document (Windows-1252 when it names none, or one this system cannot decode).
/// The break that ends the last paragraph is not kept, so the text pastes without a trailing
/// empty line; anything after the document's closing brace is ignored, and a missing closing
/// brace is forgiven.
///
/// Returns false, with a short reason in error and text emptied, when the bytes do not start
/// with "{\rtf" or the groups nest deeper than any real document does. Time is linear in the
/// input size.
bool RtfToPlainText(const QByteArray& rtf, QString& text, QString& error);
