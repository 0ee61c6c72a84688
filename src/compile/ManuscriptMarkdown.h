#pragma once

#include <QByteArray>

class ManuscriptDocument;

/// The manuscript as CommonMark, UTF-8: chapters "#" headings, sections "##", subtitles in
/// emphasis, a paragraph per line, the writer's emphasis as `*italic*` and `**bold**`, and a
/// scene break a thematic break "* * *". Every character a writer typed reads back as itself:
/// markup characters are escaped, and spaces at either end of a line (which Markdown drops)
/// are written as character references.
QByteArray ManuscriptMarkdown(const ManuscriptDocument& manuscript);

/// One line of text as Markdown that reads back as exactly that text.
QString MarkdownText(QStringView text);
