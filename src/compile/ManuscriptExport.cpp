#include "compile/ManuscriptExport.h"

#include "compile/ManuscriptMarkdown.h"
#include "compile/ManuscriptOdt.h"
#include "compile/ManuscriptPandoc.h"
#include "platform/AtomicWrite.h"
#include "messages/ReasonTexts.h"

#include <QBuffer>
#include <QFileInfo>

WriteOutcome ManuscriptBytes(ManuscriptDocument& manuscript, const ManuscriptExport& job,
    const ManuscriptProgress& progress, QByteArray& bytes, QString& error)
{
    const ManuscriptFormat format = job.Target.Format;
    switch (format) {
    case ManuscriptFormat::Odt:
        bytes = ManuscriptOdt(manuscript);
        break;
    case ManuscriptFormat::Pdf: {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        return WriteManuscriptPdf(manuscript, buffer, progress, error);
    }
    case ManuscriptFormat::Markdown:
        bytes = ManuscriptMarkdown(manuscript);
        break;
    case ManuscriptFormat::Html:
        bytes = manuscript.Document().toHtml().toUtf8();
        break;
    case ManuscriptFormat::Docx:
    case ManuscriptFormat::Epub:
        return WriteManuscriptWithPandoc(
            manuscript, job.Pandoc, SuffixOf(format), progress, job.PandocLimit, bytes, error);
    }
    return WriteOutcome::Written;
}

WriteOutcome ExportManuscript(
    const ManuscriptExport& job, const ManuscriptProgress& progress, QString& error)
{
    ManuscriptDocument manuscript(job.Options);
    const ManuscriptProgress building = PartOf(progress, 0, 300);
    for (qsizetype i = 0; i < job.Names.size(); ++i) {
        if (!manuscript.Add(job.Names[i], job.Files[i], error))
            return WriteOutcome::Failed;
        if (!ReportStep(building, i + 1, job.Names.size()))
            return WriteOutcome::Cancelled;
    }
    manuscript.Finish();
    QByteArray bytes;
    const WriteOutcome outcome
        = ManuscriptBytes(manuscript, job, PartOf(progress, 300, 950), bytes, error);
    if (outcome == WriteOutcome::Failed && error.isEmpty())
        error = ReasonText(Reason::CANNOT_WRITE)
                    .arg(QFileInfo(job.Target.Path).fileName(), QString());
    if (outcome != WriteOutcome::Written)
        return outcome;
    // The last chance to cancel: after this the file is replaced.
    if (!ReportStep(progress, 950, 1000))
        return WriteOutcome::Cancelled;
    if (!WriteFileAtomically(job.Target.Path, bytes, error))
        return WriteOutcome::Failed;
    if (progress)
        progress(1000);
    return WriteOutcome::Written;
}
