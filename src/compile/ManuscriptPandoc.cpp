#include "compile/ManuscriptPandoc.h"

#include "compile/ManuscriptDocument.h"
#include "messages/ReasonTexts.h"

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

/// A line's inlines: its text, with a line break wherever the line holds one.
QJsonArray Text(const QString& text)
{
    QJsonArray inlines;
    const QStringList parts = text.split(QChar::LineSeparator);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            inlines << QJsonObject { { QStringLiteral("t"), QStringLiteral("LineBreak") } };
        if (!parts[i].isEmpty())
            inlines << Node(QStringLiteral("Str"), parts[i]);
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
    QJsonArray blocks;
    for (QTextBlock block = manuscript.Document().begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (docx && block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            blocks << Raw("openxml", "<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>");
        switch (ManuscriptDocument::KindOf(block)) {
        case ManuscriptBlock::Chapter:
            blocks << Heading(1, text);
            break;
        case ManuscriptBlock::Section:
            blocks << Heading(2, text);
            break;
        case ManuscriptBlock::Subtitle:
            blocks << Node("Para", QJsonArray { Node("Emph", Text(text)) });
            break;
        case ManuscriptBlock::SceneBreak:
            blocks << (docx ? Raw("openxml",
                           "<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:r><w:t>" + text
                               + "</w:t></w:r></w:p>")
                            : Raw("html", "<p style=\"text-align: center\">" + text + "</p>"));
            break;
        default:
            blocks << Node("Para", Text(text));
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
    QByteArray said;
    const WriteOutcome outcome = RunPandoc(pandoc, { "-f", "json", "-t", target, "-o", output },
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
