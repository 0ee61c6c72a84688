#include "ManuscriptFixture.h"
#include "compile/ManuscriptLook.h"
#include "platform/Processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

using ManuscriptExportTest = ManuscriptFixture;

TEST_F(ManuscriptExportTest, EachChapterOfAStandardManuscriptBeginsAThirdOfTheWayDownItsPage)
{
    const QString pdf = Export("standard.pdf", ManuscriptFormat::Pdf, true);
    ASSERT_EQ(PdfText(pdf).count(u'\f'), 3) << "title page, first chapter, second chapter";
    // Each chapter's heading stands a third of the way down its first page.
    int headings = 0;
    for (const PlacedWord& word : PdfWords(pdf)) {
        if (word.Text == "Ein" || word.Text == "Zwei") {
            ++headings;
            EXPECT_NEAR(word.Down, 1.0 / 3, 0.05)
                << word.Text.toStdString() << " on page " << word.Page + 1;
        }
    }
    EXPECT_EQ(headings, 2);
}

TEST_F(ManuscriptExportTest, AManuscriptOfManyPagesKeepsEveryWordInOrderUnderItsPageHeaders)
{
    // Paragraphs of several lines that run over page ends, and a word longer than a line, which
    // must wrap rather than run off the page.
    QStringList paragraphs;
    for (int paragraph = 0; paragraph < 40; ++paragraph) {
        QStringList words;
        for (int word = 0; word < 30; ++word)
            words << QStringLiteral("p%1w%2").arg(paragraph).arg(word);
        paragraphs << words.join(u' ');
    }
    paragraphs.insert(20, QString(400, u'x') + QStringLiteral("end"));
    Project.Write("Long.ndx", "[StateData]\nType=0\n");
    Project.Write("Text Files/Long.txt", paragraphs.join(u'\n').toUtf8());
    ManuscriptExport job = Job("long.pdf", ManuscriptFormat::Pdf);
    job.Names = { QStringLiteral("Long") };
    job.Files = { CompileFilesOf(Project.Path(), "Long") };
    job.Options.StandardManuscript = true;
    // A title that looks like a placeholder is printed as it stands.
    job.Options.Title = QStringLiteral("Light %1 house");
    QString error;
    ASSERT_EQ(ExportManuscript(job, {}, error), WriteOutcome::Written) << error.toStdString();

    // The header ends 0.75 inch down the page, the text begins 1 inch down, on A4 and Letter.
    constexpr double BelowHeader = 0.075;
    QString body;
    QMap<int, QString> headers;
    for (const PlacedWord& word : PdfWords(job.Target.Path)) {
        if (word.Page == 0)
            continue;
        if (word.Down < BelowHeader)
            headers[word.Page] += word.Text + u' ';
        else
            body += word.Text;
    }
    EXPECT_EQ(body.toStdString(),
        ("Long" + paragraphs.join(QString()).remove(u' ') + "END").toStdString());
    ASSERT_GE(headers.size(), 4) << "the text runs over several pages";
    for (auto it = headers.cbegin(); it != headers.cend(); ++it)
        EXPECT_EQ(it.value().toStdString(),
            ("Quill / LIGHT %1 HOUSE / " + QString::number(it.key()) + u' ').toStdString());
}

TEST_F(ManuscriptExportTest, AChapterAfterAFullPageBeginsTheVeryNextPage)
{
    // A chapter of one-line paragraphs, then a chapter of its own; plain and in manuscript form
    // (title page, double spacing, running header).
    for (const bool standard : { false, true }) {
        const auto exportLines = [this, standard](int lines) {
            QStringList text;
            for (int line = 1; line <= lines; ++line)
                text << QStringLiteral("line%1").arg(line);
            Project.Write("Fill.ndx", "[StateData]\nType=0\n");
            Project.Write("Text Files/Fill.txt", text.join(u'\n').toUtf8());
            ManuscriptExport job = Job("fill.pdf", ManuscriptFormat::Pdf);
            job.Names = { QStringLiteral("Fill"), QStringLiteral("Zwei") };
            job.Files = { CompileFilesOf(Project.Path(), "Fill"),
                CompileFilesOf(Project.Path(), "Zwei") };
            job.Options.StandardManuscript = standard;
            QString error;
            EXPECT_EQ(ExportManuscript(job, {}, error), WriteOutcome::Written)
                << error.toStdString();
            return PdfWords(job.Target.Path);
        };
        // How many lines fill the chapter's first page exactly.
        int full = 0;
        int firstPage = -1;
        for (const PlacedWord& word : exportLines(200)) {
            if (word.Text == "line1")
                firstPage = word.Page;
            if (word.Page == firstPage && word.Text.startsWith("line"))
                full = word.Text.mid(4).toInt();
        }
        ASSERT_GT(full, 10);

        for (const int lines : { full, full + 1 }) {
            int lastLine = -1;
            PlacedWord heading;
            for (const PlacedWord& word : exportLines(lines)) {
                if (word.Text == QStringLiteral("line%1").arg(lines))
                    lastLine = word.Page;
                if (word.Text == "Zwei")
                    heading = word;
            }
            ASSERT_GE(lastLine, 0);
            ASSERT_EQ(heading.Text, "Zwei");
            EXPECT_EQ(heading.Page, lastLine + 1) << lines << " lines: no blank page between";
            EXPECT_LT(heading.Down, standard ? 0.4 : 0.2) << lines << " lines";
        }
    }
}

TEST_F(ManuscriptExportTest, ACancelledExportLeavesNothingAndAnEarlierExportAsItWas)
{
    // Thousandths at which the writer cancels: while cards are read, while the first page is
    // drawn, and on the last page, just before the file would be replaced.
    for (const int cancelAt : { 100, 700, 950 }) {
        for (const bool earlier : { false, true }) {
            const QString path = Project.Path("cancelled.pdf");
            QFile::remove(path);
            if (earlier)
                Project.Write("cancelled.pdf", "earlier export");
            QString error;
            const WriteOutcome outcome = ExportManuscript(
                Job("cancelled.pdf", ManuscriptFormat::Pdf),
                [cancelAt](int permille) { return permille < cancelAt; }, error);
            EXPECT_EQ(outcome, WriteOutcome::Cancelled) << cancelAt;
            if (earlier) {
                EXPECT_EQ(Project.Read("cancelled.pdf"), "earlier export") << cancelAt;
            } else {
                EXPECT_FALSE(QFileInfo::exists(path)) << cancelAt;
            }
            EXPECT_EQ(QDir(Project.Path()).entryList({ ".*nodex-tmp" }, QDir::Hidden | QDir::Files),
                QStringList())
                << "no temporary file is left behind";
        }
    }
}

TEST_F(ManuscriptExportTest, AFailedExportSaysWhyAndKeepsTheEarlierExport)
{
    Project.Write("book.odt", "earlier export");
    // A card whose text cannot be read stops the export before anything is written.
    QDir(Project.Path()).mkpath("Text Files/Zwei.txt");
    QString error;
    EXPECT_EQ(
        ExportManuscript(Job("book.odt", ManuscriptFormat::Odt), {}, error), WriteOutcome::Failed);
    EXPECT_TRUE(error.contains("Zwei.txt")) << error.toStdString();
    EXPECT_EQ(Project.Read("book.odt"), "earlier export");

    QDir(Project.Path()).rmdir("Text Files/Zwei.txt");
    EXPECT_EQ(ExportManuscript(Job("missing folder/book.odt", ManuscriptFormat::Odt), {}, error),
        WriteOutcome::Failed);
    EXPECT_TRUE(error.contains("book.odt")) << error.toStdString();

    // A pandoc that never answers, not even when asked for its version, is ended after the
    // time it is given, and the writer is told so.
    Project.Write("book.docx", "earlier export");
    const QString stuck = Project.Write(
        "bin/pandoc", "#!/bin/sh\necho $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 60\n");
    QFile::setPermissions(stuck, QFile::ReadOwner | QFile::ExeOwner);
    ManuscriptExport job = Job("book.docx", ManuscriptFormat::Docx);
    job.Pandoc = stuck;
    job.PandocLimit = std::chrono::milliseconds(300);
    EXPECT_EQ(ExportManuscript(job, {}, error), WriteOutcome::Failed);
    EXPECT_TRUE(error.startsWith("'pandoc' did not finish within")) << error.toStdString();
    EXPECT_TRUE(ProcessIsGone(Project.Read("bin/pid").trimmed().toLongLong()));
    EXPECT_EQ(Project.Read("book.docx"), "earlier export");
}

TEST_F(ManuscriptExportTest, DescriptionsAndTextsAreLeftOutWhenTheWriterSaysSo)
{
    ManuscriptExport job = Job("options.html", ManuscriptFormat::Html);
    job.Options.Descriptions = false;
    QString error;
    ASSERT_EQ(ExportManuscript(job, {}, error), WriteOutcome::Written) << error.toStdString();
    QList<ReadParagraph> expected = Expected();
    expected.removeAt(1);
    for (ReadParagraph& paragraph : expected)
        if (paragraph.Text == u"* * *")
            paragraph.Text.clear(); // the scene break, a horizontal rule
    EXPECT_EQ(HtmlParagraphs(Project.Read("options.html")), expected);

    job.Options.Descriptions = true;
    job.Options.Content = false;
    ASSERT_EQ(ExportManuscript(job, {}, error), WriteOutcome::Written) << error.toStdString();
    expected = Expected();
    for (qsizetype i = expected.size() - 1; i >= 0; --i)
        if (i != 1 && expected[i].HeadingLevel == 0)
            expected.removeAt(i);
    EXPECT_EQ(HtmlParagraphs(Project.Read("options.html")), expected);
}

TEST(ManuscriptTarget, ATypedExtensionPicksTheTypeAndAnyOtherNameGetsTheChosenOne)
{
    const struct {
        QString Typed;
        ManuscriptFormat Chosen;
        QString Path;
        ManuscriptFormat Format;
    } cases[] = {
        { "/p/Book", ManuscriptFormat::Pdf, "/p/Book.pdf", ManuscriptFormat::Pdf },
        { "/p/Book.ODT", ManuscriptFormat::Pdf, "/p/Book.ODT", ManuscriptFormat::Odt },
        { "/p/Book.md", ManuscriptFormat::Html, "/p/Book.md", ManuscriptFormat::Markdown },
        { "/p/Draft.v2", ManuscriptFormat::Epub, "/p/Draft.v2.epub", ManuscriptFormat::Epub },
        { "/p/v1.0/Book", ManuscriptFormat::Docx, "/p/v1.0/Book.docx", ManuscriptFormat::Docx },
    };
    for (const auto& c : cases) {
        const ExportTarget target = ResolveExportTarget(c.Typed, c.Chosen);
        EXPECT_EQ(target.Path, c.Path);
        EXPECT_EQ(target.Format, c.Format) << c.Typed.toStdString();
    }
}

TEST(ManuscriptWords, TheTitlePageRoundsToHundredsThenThousands)
{
    const std::pair<qint64, qint64> cases[] = { { 0, 0 }, { 30, 30 }, { 40, 40 }, { 149, 100 },
        { 950, 1000 }, { 1499, 1500 }, { 9949, 9900 }, { 9950, 10000 }, { 84'501, 85'000 },
        { 2'500'400, 2'500'000 } };
    for (const auto& [words, rounded] : cases)
        EXPECT_EQ(ManuscriptDocument::RoundedWords(words), rounded) << words;
}

TEST(ManuscriptPaper, LetterIsTheAmericanPaperAndA4EveryoneElses)
{
    const QLocale before;
    const std::pair<const char*, ManuscriptPaper> cases[] = { { "en_US", ManuscriptPaper::Letter },
        { "en_GB", ManuscriptPaper::A4 }, { "de_DE", ManuscriptPaper::A4 } };
    for (const auto& [name, paper] : cases) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        EXPECT_EQ(ManuscriptLook::DefaultPaper(), paper) << QLocale().name().toStdString();
    }
    QLocale::setDefault(before);
}
