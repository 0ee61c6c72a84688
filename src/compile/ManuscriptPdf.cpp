#include "compile/ManuscriptPdf.h"

#include "compile/ManuscriptDocument.h"
#include "compile/ManuscriptLook.h"
#include "platform/ReasonTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextLayout>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// Points: the layout's fixed-point coordinates reach about 33 million units, which at 600 dpi
// would end a manuscript after some 5,000 pages; in points it holds some 39,000 A4 pages.
constexpr int Resolution = 72;
// How many blocks are laid out between two looks at the progress.
constexpr int LayoutStride = 256;

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
    QPainter& painter, const QRectF& body, const ManuscriptOptions& options, int pageNumber)
{
    const QString header
        = QStringLiteral("%1 / %2 / %3").arg(options.Author, options.Title).arg(pageNumber);
    painter.setFont(QFont(ManuscriptLook::BodyFont(), painter.device()));
    painter.drawText(QRectF(0, -Resolution * 0.75, body.width(), Resolution * 0.5),
        Qt::AlignRight | Qt::AlignBottom, header);
}

/// Lays every block out, looking at the progress between strides: the layout of a long
/// manuscript is the longest step of its PDF.
bool LayOut(QTextDocument& document, const ManuscriptProgress& progress)
{
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    const int blocks = document.blockCount();
    for (int number = 0; number < blocks; number += LayoutStride) {
        layout.blockBoundingRect(document.findBlockByNumber(number));
        if (!ReportStep(progress, number, blocks))
            return false;
    }
    return true;
}
} // namespace

WriteOutcome WriteManuscriptPdf(ManuscriptDocument& manuscript, QIODevice& device,
    const ManuscriptProgress& progress, QString& error)
{
    KeepPageBuffersInTheHeap();
    QPdfWriter writer(&device);
    writer.setResolution(Resolution);
    writer.setPageLayout(ManuscriptLook::PageLayout());
    writer.setTitle(manuscript.Options().Title);
    writer.setCreator(QStringLiteral("Nodex"));

    QTextDocument& document = manuscript.Document();
    const QRectF body = writer.pageLayout().paintRectPixels(Resolution);
    document.documentLayout()->setPaintDevice(&writer);
    document.setDocumentMargin(0);
    // Glyph advances as the fonts design them, not as hinted for a 72 dpi screen.
    document.setUseDesignMetrics(true);
    // Tabs stop every half inch, as on a typewriter.
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(Resolution / 2.0);
    document.setDefaultTextOption(option);
    document.setPageSize(body.size());
    if (!LayOut(document, PartOf(progress, 0, 500)))
        return WriteOutcome::Cancelled;
    const int pages = document.pageCount();

    QPainter painter;
    if (!painter.begin(&writer)) {
        error = ReasonText(Reason::CANNOT_WRITE).arg(QStringLiteral("PDF"), QString());
        return WriteOutcome::Failed;
    }
    const ManuscriptProgress pageProgress = PartOf(progress, 500, 1000);
    const bool standard = manuscript.Options().StandardManuscript;
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    QTextBlock first = document.begin();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        const qreal top = page * body.height();
        const QRectF pageRect(0, top, body.width(), body.height());
        painter.save();
        painter.translate(0, -top);
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            const QRectF bounds = layout.blockBoundingRect(block);
            if (bounds.top() >= pageRect.bottom())
                break;
            // Blocks that end above this page are done with for good.
            if (bounds.bottom() <= top) {
                first = block.next();
                continue;
            }
            // A block's layout knows its own place in the document.
            block.layout()->draw(&painter, QPointF(), {}, pageRect);
        }
        painter.restore();
        if (standard && page > 0)
            DrawHeader(painter, body, manuscript.Options(), page);
        if (!ReportStep(pageProgress, page + 1, pages)) {
            painter.end();
            return WriteOutcome::Cancelled;
        }
    }
    if (!painter.end()) {
        error = ReasonText(Reason::CANNOT_WRITE).arg(QStringLiteral("PDF"), QString());
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}
