#include "ProseFixture.h"
#include "compile/ManuscriptDocument.h"

#include <QTextBlock>

namespace {
/// Each block as "kind: text", the first paragraph after a heading or break marked with "^",
/// italic fragments in /slashes/ and bold ones in [brackets].
QStringList Blocks(const ManuscriptDocument& manuscript)
{
    static const char* const Kinds[]
        = { "", "title", "chapter", "section", "subtitle", "p", "break", "end" };
    QStringList blocks;
    for (QTextBlock block = manuscript.Document().begin(); block.isValid(); block = block.next()) {
        QString text;
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            QString part = fragment.fragment().text();
            const ManuscriptBlock kind = ManuscriptDocument::KindOf(block);
            if (kind == ManuscriptBlock::Paragraph && format.fontWeight() == QFont::Bold)
                part = u'[' + part + u']';
            if (kind == ManuscriptBlock::Paragraph && format.fontItalic())
                part = u'/' + part + u'/';
            text += part;
        }
        const bool first = block.blockFormat().boolProperty(ManuscriptDocument::FirstParagraphProperty);
        blocks << QString::fromLatin1(Kinds[int(ManuscriptDocument::KindOf(block))])
                + (first ? "^" : "") + ": " + text;
    }
    return blocks;
}
} // namespace

using ManuscriptDocumentTest = ProseFixture;

TEST_F(ManuscriptDocumentTest, ProseKeepsItsParagraphsBreaksAndEmphasisInStandardForm)
{
    const ManuscriptExport job = Job("unused.pdf", ManuscriptFormat::Pdf);
    ManuscriptDocument manuscript(job.Options);
    QString error;
    for (qsizetype i = 0; i < job.Names.size(); ++i)
        ASSERT_TRUE(manuscript.Add(job.Names[i], job.Files[i], error)) << error.toStdString();
    manuscript.Finish();

    const QStringList expected = {
        "title: Ada Quill\t" + RoundedCount,
        "title: 12 Quay Street",
        "title: Portsmouth PO1 2AB",
        "title: ada@example.org",
        "title: +44 23 9200 0000",
        "title: Lighthouse",
        "title: Ada Quill",
        "chapter: " + Chapter,
        "p^: The boat came in at dusk, and /nobody/ was waiting.",
        "p: " + FirstHalf[1],
        "p: The sign said [CLOSED], and a price: 2 * 3 shillings, *paid in advance*.",
        "break: #",
        "p^: " + SecondHalf[0],
        "p: She wrote /everything/ down in the keeper\u2019s log.",
        "break: #",
        "p^: " + SceneBText[0],
        "p: " + SceneBText[1],
        "end: END",
    };
    EXPECT_EQ(Blocks(manuscript).join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

TEST_F(ManuscriptDocumentTest, SceneTitlesAndTitlesOnlyNameEveryCardAndDropTheBreakBetweenThem)
{
    ManuscriptExport job = Job("unused.pdf", ManuscriptFormat::Pdf);
    job.Options.StandardManuscript = false;
    job.Options.CurlyQuotes = false;
    ManuscriptDocument plain(job.Options);
    job.Options.TitlesOnly = true;
    ManuscriptDocument titles(job.Options);
    QString error;
    for (qsizetype i = 0; i < job.Names.size(); ++i) {
        ASSERT_TRUE(plain.Add(job.Names[i], job.Files[i], error));
        ASSERT_TRUE(titles.Add(job.Names[i], job.Files[i], error));
    }
    plain.Finish();
    titles.Finish();

    const QStringList blocks = Blocks(plain);
    EXPECT_EQ(blocks.filter("break: ").join(u'|').toStdString(), "break: * * *")
        << "only the break mark in the text: the scenes' names part the cards";
    EXPECT_TRUE(blocks.contains("section: " + SceneB));
    EXPECT_TRUE(blocks.contains(QString::fromUtf8(
        "p: Ada climbed the ladder. \"Is anyone here?\" she called. She didn't expect an answer "
        "-- not really.")))
        << "without curly quotes every character stands as typed";
    EXPECT_EQ(Blocks(titles).join(u'|').toStdString(),
        ("chapter: " + Chapter + "|section: " + SceneA + "|section: " + SceneB).toStdString());
}
