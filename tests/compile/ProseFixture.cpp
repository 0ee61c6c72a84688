#include "ProseFixture.h"

#include "compile/ManuscriptPandoc.h"

const QString ProseFixture::Chapter = QStringLiteral("The Harbour");
const QString ProseFixture::SceneA = QStringLiteral("Ada Comes Ashore");
const QString ProseFixture::SceneB = QStringLiteral("The Keeper");
const QStringList ProseFixture::FirstHalf = {
    QStringLiteral("The boat came in at dusk, and nobody was waiting."),
    QStringLiteral("Ada climbed the ladder. \u201CIs anyone here?\u201D she called. She "
                   "didn\u2019t expect an answer \u2014 not really."),
    QStringLiteral("The sign said CLOSED, and a price: 2 * 3 shillings, *paid in advance*."),
};
const QStringList ProseFixture::SecondHalf = {
    QStringLiteral("By morning the fog had lifted."),
    QStringLiteral("She wrote everything down in the keeper\u2019s log."),
};
const QStringList ProseFixture::SceneBText = {
    QStringLiteral("The keeper was older than she had thought."),
    QStringLiteral("He said it was the \u201990s all over again."),
};
const QStringList ProseFixture::ItalicWords = { QStringLiteral("nobody"), QStringLiteral("everything") };
const QStringList ProseFixture::BoldWords = { QStringLiteral("CLOSED") };
const ManuscriptContact ProseFixture::Contact = { QStringLiteral("Ada Quill"),
    QStringLiteral("12 Quay Street\nPortsmouth PO1 2AB"), QStringLiteral("ada@example.org"),
    QStringLiteral("+44 23 9200 0000") };
const QString ProseFixture::RoundedCount = QStringLiteral("about 100 words");

ProseFixture::ProseFixture()
{
    Project.Write(Chapter + ".ndx", "[StateData]\nType=0\n");
    Project.Write(SceneA + ".ndx", "[StateData]\nType=1\n");
    Project.Write("Text Files/" + SceneA + ".txt",
        "The boat came in at dusk, and *nobody* was waiting.\n"
        "\n"
        "Ada climbed the ladder. \"Is anyone here?\" she called. She didn't expect an answer -- "
        "not really.\n"
        "\n"
        "The sign said **CLOSED**, and a price: 2 * 3 shillings, \\*paid in advance\\*.\n"
        "\n"
        "* * *\n"
        "\n"
        "By morning the fog had lifted.\n"
        "\n"
        "She wrote _everything_ down in the keeper's log.\n");
    Project.Write(SceneB + ".ndx", "[StateData]\nType=1\n");
    Project.Write("Text Files/" + SceneB + ".txt",
        "The keeper was older than she had thought.\r\n\r\nHe said it was the '90s all over "
        "again.\r\n");
}

ManuscriptExport ProseFixture::Job(const QString& fileName, ManuscriptFormat format) const
{
    ManuscriptExport job;
    job.Names = { Chapter, SceneA, SceneB };
    for (const QString& name : job.Names)
        job.Files << CompileFilesOf(Project.Path(), name);
    job.Options.Title = QStringLiteral("Lighthouse");
    job.Options.Author = QStringLiteral("Ada Quill");
    job.Options.Contact = Contact;
    job.Options.StandardManuscript = true;
    job.Options.Paper = ManuscriptPaper::Letter;
    job.Target = { Project.Path(fileName), format };
    job.Pandoc = FindPandoc();
    return job;
}

QString ProseFixture::Export(const ManuscriptExport& job)
{
    QString error;
    EXPECT_EQ(ExportManuscript(job, {}, error), WriteOutcome::Written) << error.toStdString();
    return job.Target.Path;
}
