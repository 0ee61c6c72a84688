#pragma once

#include "compile/CompilationBuilder.h"
#include "compile/ManuscriptDocument.h"
#include "compile/ManuscriptFormat.h"
#include "compile/ManuscriptPdf.h"

#include <chrono>

/// One export of the compile list: what it is made of and where it goes.
struct ManuscriptExport {
    QStringList Names;
    QList<CompileFiles> Files; ///< one for each name
    ManuscriptOptions Options;
    ExportTarget Target;
    QString Pandoc; ///< the pandoc program, for DOCX and EPUB
    /// How long one run of pandoc may take before it is taken for stuck: far beyond what the
    /// longest novel needs.
    std::chrono::milliseconds PandocLimit = std::chrono::minutes(10);
};

/// The manuscript's file bytes in a type.
WriteOutcome ManuscriptBytes(ManuscriptDocument& manuscript, const ManuscriptExport& job,
    const ManuscriptProgress& progress, QByteArray& bytes, QString& error);

/// Builds the manuscript and writes it in one atomic step at the very end: a cancelled or
/// failed export leaves no file behind and an earlier export as it was.
WriteOutcome ExportManuscript(
    const ManuscriptExport& job, const ManuscriptProgress& progress, QString& error);
