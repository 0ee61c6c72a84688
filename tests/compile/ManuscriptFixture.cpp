#include "ManuscriptFixture.h"

#include "compile/ManuscriptPandoc.h"

namespace {
const QString Chapter = QStringLiteral("Ein Kapitel & <Anfang>");
const QString Scene = QStringLiteral("Scene <B> & C");
const QString Second = QStringLiteral("Zwei");
const QString Description = QStringLiteral("Wo alles beginnt – é");
const QStringList Lines = {
    QStringLiteral("Première ligne, café."),
    QStringLiteral("Привет, мир! 中文 😀"),
    QStringLiteral(
        "  Two spaces lead,  *stars*, _under_, [x](y), <b>&amp;</b>, a\tb, nb\u00a0sp, end  "),
    QStringLiteral("1. not a list"),
    QStringLiteral("- not a bullet"),
    QStringLiteral("# not a heading"),
    // A word processor's line break (vertical tab), a form feed, an escape and a noncharacter.
    QStringLiteral("Soft\vbreak, form\ffeed, escape\x1b[0m end\uFFFF"),
};
} // namespace

ManuscriptFixture::ManuscriptFixture()
{
    Project.Write(Chapter + ".ndx",
        QString("[StateData]\nType=0\n[Description]\nText=%1\n").arg(Description).toUtf8());
    Project.Write("Text Files/" + Chapter + ".txt",
        (Lines[0] + "\r\n\r\n" + Lines[1] + "\r\n\r\n * * * \r\n\r\n#\r\n" + Lines[2] + "\r\n \r\n" + Lines[3] + "\r\n"
            + Lines[4] + "\r\n" + Lines[5] + "\r\n" + Lines[6] + "\r\n")
            .toUtf8());
    Project.Write(Scene + ".ndx", "[StateData]\nType=1\n");
    Project.Write("Text Files/" + Scene + ".txt", "\nLeading blank line, then text\n\n");
    Project.Write(Second + ".ndx", "[StateData]\nType=0\n");
}

ManuscriptExport ManuscriptFixture::Job(const QString& fileName, ManuscriptFormat format) const
{
    ManuscriptExport job;
    job.Names = { Chapter, Scene, Second };
    for (const QString& name : job.Names)
        job.Files << CompileFilesOf(Project.Path(), name);
    job.Options.Title = QStringLiteral("Lighthouse");
    job.Options.Author = QStringLiteral("Ada Quill");
    job.Target = { Project.Path(fileName), format };
    job.Pandoc = FindPandoc();
    return job;
}

QString ManuscriptFixture::Export(const QString& fileName, ManuscriptFormat format, bool standard)
{
    ManuscriptExport job = Job(fileName, format);
    job.Options.StandardManuscript = standard;
    QString error;
    EXPECT_EQ(ExportManuscript(job, {}, error), WriteOutcome::Written) << error.toStdString();
    return job.Target.Path;
}

QList<ReadParagraph> ManuscriptFixture::Expected()
{
    //       text                   heading italic centred new page
    return { { Chapter, 1, false, false, false }, { Description, 0, true, false, false },
        { Lines[0], 0, false, false, false }, { Lines[1], 0, false, false, false },
        { "* * *", 0, false, true, false },
        { QString(Lines[2]).remove(u'*').remove(u'_'), 0, false, false, false },
        { Lines[3], 0, false, false, false }, { Lines[4], 0, false, false, false },
        { Lines[5], 0, false, false, false },
        { QStringLiteral("Soft\u2028break, formfeed, escape[0m end"), 0, false, false, false },
        { Scene, 2, false, false, false },
        { "Leading blank line, then text", 0, false, false, false },
        { Second, 1, false, false, true } };
}
