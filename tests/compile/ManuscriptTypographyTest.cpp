#include "compile/ManuscriptTypography.h"

#include <gtest/gtest.h>

TEST(ManuscriptTypography, QuotesCurlByContextAndDoubleHyphensBecomeDashes)
{
    const struct {
        const char* Typed;
        const char* Printed;
    } cases[] = {
        { "\"Is anyone here?\" she called.", "“Is anyone here?” she called." },
        { "She didn't -- not really.", "She didn’t — not really." },
        { "the '90s, 'tis true, rock 'n' roll", "the ’90s, ’tis true, rock ’n’ roll" },
        { "'Go,' he said. \"'Tis 'fine',\" said I.", "‘Go,’ he said. “’Tis ‘fine’,” said I." },
        { "(\"quoted\") and ['single']", "(“quoted”) and [‘single’]" },
        { "the students' books", "the students’ books" },
        { "a well-known word---and more", "a well-known word—and more" },
        { "\"\"", "“”" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ManuscriptTypography::Curled(QString::fromUtf8(c.Typed)).toStdString(), c.Printed)
            << c.Typed;

    // A quote right after an emphasised word closes it.
    QList<StyledRun> runs = { { QStringLiteral("\"It was "), false, false },
        { QStringLiteral("hers"), true, false }, { QStringLiteral(".\""), false, false } };
    ManuscriptTypography::Curl(runs);
    EXPECT_EQ(runs[0].Text, QStringLiteral("“It was "));
    EXPECT_EQ(runs[2].Text, QStringLiteral(".”"));
}
