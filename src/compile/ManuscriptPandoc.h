#pragma once

#include "compile/ManuscriptPdf.h"

#include <QByteArray>
#include <QString>
#include <chrono>

class ManuscriptDocument;

/// The program that writes DOCX and EPUB: "pandoc" on the search path, or empty when it is not
/// installed.
QString FindPandoc();

/// The manuscript as pandoc's document tree (JSON) for `target` ("docx" or "epub"): every line
/// a string of its own, so that no character passes through a markup language on its way, with
/// its italic and bold runs as emphasis. In a DOCX, page breaks, scene breaks, the end mark and
/// a standard manuscript's title page are raw paragraphs, and its paragraphs take the styles of
/// the reference document; an e-book's scene break is a rule.
QByteArray ManuscriptPandocTree(
    const ManuscriptDocument& manuscript, const QString& target, const QList<int>& apiVersion);

/// Runs `pandoc` to turn the manuscript into `target`, into `bytes`. The program's own
/// complaint is the reason of a failure. Each run of pandoc may be cancelled through the
/// progress, and is ended as stuck after `limit`.
WriteOutcome WriteManuscriptWithPandoc(const ManuscriptDocument& manuscript, const QString& pandoc,
    const QString& target, const ManuscriptProgress& progress, std::chrono::milliseconds limit,
    QByteArray& bytes, QString& error);
