#pragma once

#include "compile/ManuscriptDocument.h"

#include <QFont>
#include <QPageLayout>
#include <QTextFormat>

/// How a manuscript looks: its fonts, spacing and page, plain or in standard manuscript form.
namespace ManuscriptLook {
/// The family name of a face as office files name it: "Times New Roman", "Courier New".
QString FontFamily(ManuscriptFont font);
/// The body font: 12 pt of the face, or where a writer lacks it its metric twin (Liberation).
QFont BodyFont(ManuscriptFont font = ManuscriptFont::TimesNewRoman);
/// Letter in the United States and where it measures alike, A4 elsewhere.
ManuscriptPaper DefaultPaper();
/// The page: the paper with 1 inch margins.
QPageLayout PageLayout(ManuscriptPaper paper);
/// The running header of a standard manuscript before its page number: "Quill / LIGHTHOUSE / ",
/// the byline's last name (else the contact name's) and the title in capitals.
QString HeaderText(const ManuscriptOptions& options);
/// The format of a block of a kind other than the title page's.
QTextBlockFormat BlockFormat(ManuscriptBlock kind, const ManuscriptOptions& options);
/// The format of a title page line; `linesAbove` counts the contact lines above the title,
/// which stands halfway down the page.
QTextBlockFormat TitlePageFormat(TitleLine line, const ManuscriptOptions& options, int linesAbove);
QTextCharFormat CharFormat(ManuscriptBlock kind, const ManuscriptOptions& options);
} // namespace ManuscriptLook
