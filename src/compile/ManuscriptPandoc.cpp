#include "compile/ManuscriptPandoc.h"

#include "compile/ManuscriptDocument.h"
#include "compile/ManuscriptReferenceDocx.h"
#include "compile/ManuscriptRuns.h"
#include "messages/ReasonTexts.h"
#include "platform/AtomicWrite.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

namespace {
// How often the progress is asked about a cancel while pandoc runs.
constexpr int PollMilliseconds = 100;
const QString Docx = QStringLiteral("docx");

QJsonObject Node(const QString& type, const QJsonValue& content)
{
    return { { QStringLiteral("t"), type }, { QStringLiteral("c"), content } };
}

/// A line's inlines: its text, with a line break wherever the line holds one. In a DOCX a tab
/// is a tab element: word processors take a tab character within a text element for a space.
QJsonArray Text(const QString& text, bool docx = false)
{
    QJsonArray inlines;
    const QStringList lines = text.split(QChar::LineSeparator);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            inlines << QJsonObject { { QStringLiteral("t"), QStringLiteral("LineBreak") } };
        const QStringList parts = docx ? lines[i].split(u'\t') : QStringList { lines[i] };
        for (qsizetype j = 0; j < parts.size(); ++j) {
            if (j > 0)
                inlines << Node(QStringLiteral("RawInline"),
                    QJsonArray {
                        QStringLiteral("openxml"), QStringLiteral("<w:r><w:tab/></w:r>") });
            if (!parts[j].isEmpty())
                inlines << Node(QStringLiteral("Str"), parts[j]);
        }
    }
    return inlines;
}

QJsonObject Raw(const QString& format, const QString& text)
{
    return Node(QStringLiteral("RawBlock"), QJsonArray { format, text });
}

QJsonObject Heading(int level, const QString& text)
{
    const QJsonArray attributes { QString(), QJsonArray(), QJsonArray() };
    return Node(QStringLiteral("Header"), QJsonArray { level, attributes, Text(text) });
}

/// A block's inlines: italic runs as Emph, bold ones as Strong, bold italic as Strong within Emph,
/// so that the emphasis stands on exactly the marked words and nowhere else. Pandoc's paragraphs
/// have no face of their own, so a block's own italics (a subtitle's) are emphasis here too.
QJsonArray Runs(const QTextBlock& block, bool docx)
{
    const QTextCharFormat face = block.charFormat();
    const bool faceItalic = face.fontItalic();
    const bool faceBold = face.fontWeight() >= QFont::Bold;
    QJsonArray inlines;
    for (const StyledRun& run : EmphasisRuns(block)) {
        QJsonArray content = Text(run.Text, docx);
        if (run.Bold || faceBold)
            content = { Node(QStringLiteral("Strong"), content) };
        if (run.Italic || faceItalic)
            content = { Node(QStringLiteral("Emph"), content) };
        for (const QJsonValue part : content)
            inlines << part;
    }
    return inlines;
}

/// A paragraph in a style of the reference document (pandoc's custom-style).
QJsonObject Styled(const QString& style, const QJsonObject& paragraph)
{
    const QJsonArray attributes { QString(), QJsonArray(),
        QJsonArray { QJsonArray { QStringLiteral("custom-style"), style } } };
    return Node(QStringLiteral("Div"), QJsonArray { attributes, QJsonArray { paragraph } });
}

/// A paragraph of the word-processor file's own XML: `properties` and the text, with a tab
/// where the text holds one. A title page, a scene break and the end mark are laid out here
/// rather than by a style, since pandoc has none for them.
QJsonObject OpenXmlParagraph(const QString& properties, const QString& text)
{
    QString runs;
    const QStringList parts = text.split(u'\t');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            runs += QStringLiteral("<w:r><w:tab/></w:r>");
        if (!parts[i].isEmpty())
            runs += QString("<w:r><w:t xml:space=\"preserve\">%1</w:t></w:r>")
                        .arg(parts[i].toHtmlEscaped());
    }
    return Raw("openxml", "<w:p><w:pPr>" + properties + "</w:pPr>" + runs + "</w:p>");
}

const QString Centred = QStringLiteral("<w:jc w:val=\"center\"/>");

/// A title page line of a standard manuscript: the name with the word count flush right at
/// the right margin, the contact lines single spaced at the top left, then title and byline
/// centred about halfway down. `contactLines` counts the lines above this one.
QJsonObject TitlePageLine(
    const QTextBlock& block, const ManuscriptOptions& options, int contactLines)
{
    using namespace ManuscriptReferenceDocx;
    const Page page = PageOf(options.Paper);
    const QString single = QString("<w:spacing w:line=\"240\" w:lineRule=\"auto\"/>");
    switch (ManuscriptDocument::TitleLineOf(block)) {
    case TitleLine::NameAndWords:
        return OpenXmlParagraph(
            QString("<w:tabs><w:tab w:val=\"right\" w:pos=\"%1\"/></w:tabs>").arg(page.TextWidth())
                + single,
            block.text());
    case TitleLine::Title:
        return OpenXmlParagraph(
            QString("<w:spacing w:line=\"480\" w:lineRule=\"auto\" w:before=\"%1\"/>")
                    .arg(TitleSpaceBefore(page, contactLines))
                + Centred,
            block.text());
    case TitleLine::Byline:
        return OpenXmlParagraph(Centred, block.text());
    case TitleLine::Contact:
    default:
        return OpenXmlParagraph(single, block.text());
    }
}

const QString PageBreak = QStringLiteral("<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>");

/// Runs pandoc to its end; false, with what it said, when it could not run or failed. The wait
/// runs the event loop, so the progress window stays drawn and its Cancel is seen; a cancel
/// kills pandoc, and so does a pandoc still running after `limit`.
WriteOutcome RunPandoc(const QString& pandoc, const QStringList& arguments, const QByteArray& input,
    const ManuscriptProgress& progress, std::chrono::milliseconds limit, QByteArray& output,
    QString& error)
{
    QProcess process;
    process.start(pandoc, arguments);
    if (!process.waitForStarted()) {
        error = process.errorString();
        return WriteOutcome::Failed;
    }
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    bool cancelled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (progress && !progress(500)) {
            cancelled = true;
            loop.quit();
        }
    });
    bool stuck = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        stuck = true;
        loop.quit();
    });
    process.write(input);
    process.closeWriteChannel();
    poll.start(PollMilliseconds);
    deadline.start(limit);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (cancelled || stuck) {
        process.kill();
        process.waitForFinished();
        if (stuck)
            error = ReasonText(Reason::PROGRAM_STOPPED)
                        .arg(QFileInfo(pandoc).fileName())
                        .arg((limit.count() + 999) / 1000);
        return stuck ? WriteOutcome::Failed : WriteOutcome::Cancelled;
    }
    output = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        error = QString::fromUtf8(process.readAllStandardError()).trimmed();
        if (error.isEmpty())
            error = process.errorString();
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

/// The document-tree version this pandoc reads, from the tree of an empty document.
WriteOutcome ApiVersion(const QString& pandoc, const ManuscriptProgress& progress,
    std::chrono::milliseconds limit, QList<int>& version, QString& error)
{
    QByteArray tree;
    const WriteOutcome outcome
        = RunPandoc(pandoc, { "-f", "markdown", "-t", "json" }, {}, progress, limit, tree, error);
    if (outcome != WriteOutcome::Written)
        return outcome;
    for (const QJsonValue part :
        QJsonDocument::fromJson(tree).object().value("pandoc-api-version").toArray())
        version << part.toInt();
    return WriteOutcome::Written;
}
} // namespace

QString FindPandoc()
{
    return QStandardPaths::findExecutable(QStringLiteral("pandoc"));
}

QByteArray ManuscriptPandocTree(
    const ManuscriptDocument& manuscript, const QString& target, const QList<int>& apiVersion)
{
    const bool docx = target == Docx;
    const ManuscriptOptions& options = manuscript.Options();
    const bool standard = options.StandardManuscript;
    QJsonArray blocks;
    int titlePageLines = 0;
    for (QTextBlock block = manuscript.Document().begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const ManuscriptBlock kind = ManuscriptDocument::KindOf(block);
        if (kind == ManuscriptBlock::TitlePage) {
            // An e-book makes its own title page from the title and the author; the writer's
            // address has no place in it.
            if (docx)
                blocks << TitlePageLine(block, options, titlePageLines++);
            continue;
        }
        // In standard form the chapter heading's style begins its page, a third of the way
        // down; a page break of its own as well would leave a blank page.
        if (docx && block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore
            && !(standard && kind == ManuscriptBlock::Chapter))
            blocks << Raw("openxml", PageBreak);
        switch (kind) {
        case ManuscriptBlock::Chapter:
            blocks << Heading(1, text);
            break;
        case ManuscriptBlock::Section:
            blocks << Heading(2, text);
            break;
        case ManuscriptBlock::SceneBreak:
            if (docx)
                blocks << OpenXmlParagraph(Centred, text);
            else
                blocks << QJsonObject { { QStringLiteral("t"), QStringLiteral("HorizontalRule") } };
            break;
        case ManuscriptBlock::End:
            blocks << (docx
                    ? OpenXmlParagraph(Centred, text)
                    : Raw("html",
                        "<p style=\"text-align: center\">" + text.toHtmlEscaped() + "</p>"));
            break;
        case ManuscriptBlock::Subtitle:
        case ManuscriptBlock::Paragraph:
            if (docx && standard) {
                // A subtitle stands under its heading as a first paragraph does.
                const bool first = kind == ManuscriptBlock::Subtitle
                    || block.blockFormat().boolProperty(ManuscriptDocument::FirstParagraphProperty);
                blocks << Styled(first ? ManuscriptReferenceDocx::FirstParagraph
                                       : ManuscriptReferenceDocx::BodyText,
                    Node("Para", Runs(block, docx)));
                break;
            }
            [[fallthrough]];
        default:
            blocks << Node("Para", Runs(block, docx));
            break;
        }
    }
    QJsonArray version;
    for (const int part : apiVersion)
        version << part;
    // An e-book names its title and author; a word-processor file would show them as an extra
    // title block above the manuscript's own.
    QJsonObject meta;
    if (!docx)
        meta = { { "title", Node("MetaInlines", Text(manuscript.Options().Title)) },
            { "author", Node("MetaInlines", Text(manuscript.Options().Author)) } };
    return QJsonDocument(
        QJsonObject { { "pandoc-api-version", version }, { "meta", meta }, { "blocks", blocks } })
        .toJson(QJsonDocument::Compact);
}

WriteOutcome WriteManuscriptWithPandoc(const ManuscriptDocument& manuscript, const QString& pandoc,
    const QString& target, const ManuscriptProgress& progress, std::chrono::milliseconds limit,
    QByteArray& bytes, QString& error)
{
    QList<int> version;
    const WriteOutcome checked = ApiVersion(pandoc, progress, limit, version, error);
    if (checked != WriteOutcome::Written)
        return checked;
    QTemporaryDir folder;
    if (!folder.isValid()) {
        error = folder.errorString();
        return WriteOutcome::Failed;
    }
    const QString output = folder.filePath("manuscript." + target);
    QStringList arguments { "-f", "json", "-t", target, "-o", output };
    // Pandoc takes a word-processor file's page, styles and running header from a reference
    // document; without one it writes its own plain look.
    if (target == Docx && manuscript.Options().StandardManuscript) {
        const QString reference = folder.filePath("reference.docx");
        if (!WriteFileAtomically(
                reference, ManuscriptReferenceDocx::Bytes(manuscript.Options()), error))
            return WriteOutcome::Failed;
        arguments << "--reference-doc" << reference;
    }
    QByteArray said;
    const WriteOutcome outcome = RunPandoc(pandoc, arguments,
        ManuscriptPandocTree(manuscript, target, version), progress, limit, said, error);
    if (outcome != WriteOutcome::Written)
        return outcome;
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return WriteOutcome::Failed;
    }
    bytes = file.readAll();
    return WriteOutcome::Written;
}
