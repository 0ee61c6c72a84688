#pragma once

#include <QByteArray>

class ManuscriptDocument;

/// The manuscript as an HTML5 page, UTF-8, that reads like a book: chapters `<h1>`, scene names
/// `<h2>`, descriptions italic paragraphs of class "description", the writer's emphasis `<em>`
/// and `<strong>`, scene breaks `<hr>` (shown as a centred "* * *"), and in standard form the
/// title page as a header block. Spaces are kept as typed (`white-space: pre-wrap`), and a line
/// break within a paragraph is a `<br>`.
QByteArray ManuscriptHtml(const ManuscriptDocument& manuscript);
