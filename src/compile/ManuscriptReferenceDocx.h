#pragma once

#include "compile/ManuscriptDocument.h"

#include <QByteArray>
#include <QString>

/// The reference document pandoc takes a DOCX manuscript's look from: a small word-processor
/// file whose styles, page, margins and running header are those of a standard manuscript.
/// Lengths are in twips (twentieths of a point), as word-processor files give them.
namespace ManuscriptReferenceDocx {
/// The style names pandoc is told to use for a paragraph (its "custom-style"); they are the
/// names of styles the reference defines.
inline const QString BodyText = QStringLiteral("Body Text");
inline const QString FirstParagraph = QStringLiteral("First Paragraph");

/// The page of a paper as a section of a word-processor file gives it.
struct Page {
    int Width = 0;
    int Height = 0;
    int Margin = 0; ///< all round
    /// Between the page's top and its running header.
    int HeaderDistance = 0;
    /// The width between the margins, where a right tab stop stands flush with the margin.
    int TextWidth() const { return Width - 2 * Margin; }
};
Page PageOf(ManuscriptPaper paper);

/// The space above a chapter's heading that puts it a third of the way down its page.
int ChapterSpaceBefore(const Page& page);
/// The space above the title that puts it about halfway down the title page, below
/// `contactLines` single-spaced lines of the contact block.
int TitleSpaceBefore(const Page& page, int contactLines);

/// The reference document (a .docx package) for the manuscript's face, paper, title and author.
QByteArray Bytes(const ManuscriptOptions& options);
} // namespace ManuscriptReferenceDocx
