#include "compile/ManuscriptPdf.h"

#include "compile/ManuscriptDocument.h"
#include "compile/ManuscriptLook.h"
#include "compile/ManuscriptPageFlow.h"
#include "messages/ReasonTexts.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// Points, the unit of the page's own margins and of PDF.
constexpr int Resolution = 72;
/// Text layouts take tab stops in pixels of a 96 dpi screen, and scale them to the device.
constexpr qreal ScreenDpi = 96;

/// Qt's PDF writer compresses every page through two buffers of 10 MB. With glibc's own
/// thresholds each pair is taken from the system and handed back on every page, which cost a
/// long manuscript more than drawing its text; kept in the heap, the same memory serves every
/// page. The setting holds for the rest of the program run.
void KeepPageBuffersInTheHeap()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

/// The running header of a standard manuscript, in the top margin, flush right.
void DrawHeader(
    QPainter& painter, const QRectF& body, const QFont& font, const QString& header, int pageNumber)
{
    painter.setFont(font);
    painter.drawText(QRectF(0, -Resolution * 0.75, body.width(), Resolution * 0.5),
        Qt::AlignRight | Qt::AlignBottom, header + QString::number(pageNumber));
}
} // namespace

WriteOutcome WriteManuscriptPdf(ManuscriptDocument& manuscript, QIODevice& device,
    const ManuscriptProgress& progress, QString& error)
{
    KeepPageBuffersInTheHeap();
    QPdfWriter writer(&device);
    writer.setResolution(Resolution);
    writer.setPageLayout(ManuscriptLook::PageLayout(manuscript.Options().Paper));
    writer.setTitle(manuscript.Options().Title);
    writer.setCreator(QStringLiteral("Nodex"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = ReasonText(Reason::CANNOT_WRITE).arg(QStringLiteral("PDF"), QString());
        return WriteOutcome::Failed;
    }

    const QTextDocument& document = manuscript.Document();
    const QRectF body = writer.pageLayout().paintRectPixels(Resolution);
    QTextOption option = document.defaultTextOption();
    // Glyph advances as the fonts design them, not as hinted for a 72 dpi screen.
    option.setUseDesignMetrics(true);
    // Tabs stop every half inch, as on a typewriter.
    option.setTabStopDistance(ScreenDpi / 2);
    const ManuscriptOptions& options = manuscript.Options();
    const bool standard = options.StandardManuscript;
    const QString header = ManuscriptLook::HeaderText(options);
    const QFont headerFont(ManuscriptLook::BodyFont(options.Font), painter.device());
    int page = 0;
    ManuscriptPageFlow flow(painter, body.size(), option, [&] {
        writer.newPage();
        ++page;
        if (standard)
            DrawHeader(painter, body, headerFont, header, page);
    });
    const int blocks = document.blockCount();
    int done = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int pages = flow.Pages();
        flow.Add(block);
        ++done;
        // A look at the progress with every new page, and so at a cancel.
        if (flow.Pages() != pages && !ReportStep(progress, done, blocks)) {
            painter.end();
            return WriteOutcome::Cancelled;
        }
    }
    if (!painter.end()) {
        error = ReasonText(Reason::CANNOT_WRITE).arg(QStringLiteral("PDF"), QString());
        return WriteOutcome::Failed;
    }
    return ReportStep(progress, blocks, blocks) ? WriteOutcome::Written : WriteOutcome::Cancelled;
}
