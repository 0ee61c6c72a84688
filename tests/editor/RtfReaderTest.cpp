#include "editor/RtfReader.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString PlainText(const QByteArray& rtf)
{
    QString text;
    QString error;
    EXPECT_TRUE(RtfToPlainText(rtf, text, error)) << rtf.left(60).toStdString();
    EXPECT_TRUE(error.isEmpty());
    return text;
}

} // namespace

// Written by LibreOffice Writer 7.4 from hand-made documents: body text only, whatever the
// headers, footers, footnotes, pictures and style tables around it.
TEST(RtfReader, ReadsWordProcessorDocuments)
{
    const struct {
        const char* File;
        const char* Text;
    } cases[] = {
        { "english.rtf",
            "The quick brown fox jumps over the dog.\nName:\tValue\nSecond line of the "
            "paragraph." },
        { "european.rtf",
            "«\u00A0Ça coûte 12\u00A0€\u00A0», dit-elle — déjà à Noël.\n"
            "„Grüße“ aus Köln: “Straße” und ‘Maß’ für 5 €." },
        { "cyrillic-greek.rtf",
            "Привет, мир! Съешь ещё этих мягких булок.\nΓειά σου κόσμε  τέλος." },
    };
    for (const auto& c : cases) {
        QFile file(QStringLiteral(NODEX_EDITOR_TEST_DATA "/") + c.File);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.File;
        EXPECT_EQ(PlainText(file.readAll()), QString::fromUtf8(c.Text)) << c.File;
    }
}

TEST(RtfReader, FollowsTheRules)
{
    const struct {
        QByteArray Rtf;
        const char* Text;
    } cases[] = {
        // Bytes in the document's code page, Western when it names none or an unknown one.
        { R"({\rtf1\ansi caf\'e9 \'80\'93x\'94})", "café €“x”" },
        { R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})", "При" },
        { R"({\rtf1\ansi\ansicpg99999 \'e9})", "é" },
        { R"({\rtf1\ansicpg932 \'82\'a0})", "あ" },
        { R"({\rtf1\ansicpg1250 \'b9})", "ą" },
        { R"({\rtf1\ansicpg1253 \'e1})", "α" },
        { R"({\rtf1\ansicpg1254 \'f0})", "ğ" },
        { R"({\rtf1\ansicpg1257 \'e8})", "č" },
        // A font's character set overrides the document's code page inside its group.
        { R"({\rtf1\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}}\f1\'cf{\f0\'e9}})",
            "Пé" },
        { R"({\rtf1\deff1{\fonttbl\f0\fcharset0 A;\f1\fcharset204 B;\f2\cpg1253 C;})"
          R"(\'cf{\f0\'cf\plain\'cf}{\f2\'e1}})",
            "ПÏПα" },
        // \u with its fallback: \'hh, a control word and a plain character count one each;
        // a group's end stops the skipping.
        { R"({\rtf1 \u1055?\u1088\'f0})", "Пр" },
        { R"({\rtf1\uc0 \u1055 x})", "Пx" },
        { R"({\rtf1\uc2 \u1055\'cf\par a\u1088 bcd})", "\u041Fa\u0440d" },
        { R"({\rtf1{\uc3\u1055 ab}c})", "Пc" },
        { R"({\rtf1\u-4064?})", "\uF020" },
        { R"({\rtf1\u99999 xy})", "y" },
        { R"({\rtf1\uc99999999999999 \u1055 abc})", "П" },
        { R"({\rtf1\u-10179?\u-8694?})", "\U0001F60A" },
        { R"({\rtf1\u55357?x\u-8694?})", "\uFFFDx\uFFFD" },
        // Destinations with no body text, named or marked \*; a field keeps its result.
        { R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red0;}{\stylesheet{Normal;}}{\info{\title T}})"
          R"({\header H}{\footer F}{\footnote N}{\pict 0a}x})",
            "x" },
        { R"({\rtf1{\listtable x}{\listoverridetable x}{\rsidtbl x}{\generator x}{\xmlnstbl x})"
          R"({\themedata x}{\colorschememapping x}{\latentstyles x}{\datastore x}{\pgdsctbl x})"
          R"({\object x}{\headerl x}{\footerf x}y})",
            "y" },
        { R"({\rtf1 a{\*\bkmkstart b}c{\*\unknown d{e}}f})", "acf" },
        { R"({\rtf1{\field{\*\fldinst HYPERLINK "u"}{\fldrslt link}}})", "link" },
        { R"({\rtf1 a{\v hidden{\b still}}b{\v x\v0 y}{\v z\plain w}})", "abyw" },
        // Binary data, however it looks, is skipped by its count, never past the input.
        { R"({\rtf1 a{\pict\bin2 }}}b})", "ab" },
        { R"({\rtf1 a\bin99999 xyz)", "a" },
        { R"({\rtf1\u1055\bin1 xy})", "Пy" },
        // Control symbols and words that stand for characters.
        { R"({\rtf1 \\\{\}a\~b\-c\_d})", "\\{}a\u00A0bc\u2011d" },
        { R"({\rtf1 a\tab b\line c\page d\emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet})",
            "a\tb\nc\nd—–‘’“”•" },
        { R"({\rtf1 \trowd a\cell b\cell\row c\cell\cell\row d})", "a\tb\nc\t\nd" },
        // Source line ends are no text; a backslash before one is a paragraph mark.
        { "{\\rtf1 a\r\nb\\\nc}", "ab\nc" },
        // A control character is no text, whichever way it is written.
        { R"({\rtf1\ansicpg65001 a\'10\'07b})", "ab" },
        // The last paragraph's mark is dropped, an empty paragraph before it kept.
        { R"({\rtf1 a\par b\par })", "a\nb" },
        { R"({\rtf1 a\par \par })", "a\n" },
        // Lenient about the end: a missing brace, cut-off controls, text after the document.
        { R"({\rtf1 {\b a}b)", "ab" },
        { R"({\rtf1 a\'4)", "a" },
        { R"({\rtf1 a\)", "a" },
        { R"({\rtf1 a}b)", "a" },
        { "{\\rtf1" + QByteArray(9998, '{') + "x", "x" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlainText(c.Rtf), QString::fromUtf8(c.Text)) << c.Rtf.toStdString();
}

TEST(RtfReader, RefusesWhatIsNotRtf)
{
    const QByteArray cases[] = {
        "",
        "Plain words",
        "{\\rt",
        "\xEF\xBB\xBF{\\rtf1 a}",
        "{\\rtf1" + QByteArray(20000, '{'),
    };
    for (const auto& rtf : cases) {
        QString text = QStringLiteral("old");
        QString error;
        EXPECT_FALSE(RtfToPlainText(rtf, text, error)) << rtf.left(20).toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(text.isEmpty());
    }
}
