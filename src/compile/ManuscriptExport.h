#pragma once

#include "compile/CompilationBuilder.h"
#include "compile/ManuscriptDocument.h"
#include "compile/ManuscriptFormat.h"
#include "compile/ManuscriptPdf.h"

/// One export of the compile list: what it is made of and where it goes.
struct ManuscriptExport {
    QStringList Names;
    QList<CompileFiles> Files; ///< one for each name
    ManuscriptOptions Options;
    ExportTarget Target;
    QString Pandoc; ///< the pandoc program, for DOCX and EPUB
};

/// The manuscript's file bytes in a type.
WriteOutcome ManuscriptBytes(ManuscriptDocument& manuscript, ManuscriptFormat format,
    const QString& pandoc, const ManuscriptProgress& progress, QByteArray& bytes, QString& error);

/// Builds the manuscript and writes it in one atomic step at the very end: a cancelled or
/// failed export leaves no file behind and an earlier export as it was.
WriteOutcome ExportManuscript(
    const ManuscriptExport& job, const ManuscriptProgress& progress, QString& error);
