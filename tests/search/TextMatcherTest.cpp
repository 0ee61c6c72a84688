#include "search/TextMatcher.h"

#include "messages/MessageTable.h"

#include <gtest/gtest.h>

namespace {

struct MatcherCase {
    const char* Why;
    const char16_t* Pattern;
    bool MatchCase;
    bool WholeWords;
    bool Expression;
    const char16_t* Text;
    QList<TextMatch> Expected;
};

} // namespace

TEST(TextMatcher, FindsWhatTheOptionsAskFor)
{
    const QList<MatcherCase> cases = {
        { "case ignored", u"nell", false, false, false, u"Nell, NELL and nell",
            { { 0, 4 }, { 6, 4 }, { 15, 4 } } },
        { "case matched", u"Nell", true, false, false, u"Nell, NELL and nell", { { 0, 4 } } },
        { "apostrophe and hyphen end a word", u"Nell", false, true, false,
            u"Nell's Nell-like Nellie", { { 0, 4 }, { 7, 4 } } },
        { "a part of a word is found without whole words", u"Nell", false, false, false, u"Nellie",
            { { 0, 4 } } },
        { "a digit belongs to the word", u"Nell", false, true, false, u"Nell2 2Nell", {} },
        { "a later match stands after a refused one", u"ab", false, true, false, u"abab ab",
            { { 5, 2 } } },
        { "capital sharp s folds to sharp s", u"straße", false, false, false, u"STRAẞE",
            { { 0, 6 } } },
        { "sharp s is not two letters", u"strasse", false, false, false, u"Straße", {} },
        { "dotted capital I is only itself", u"istanbul", false, false, false, u"İstanbul ISTANBUL",
            { { 9, 8 } } },
        { "dotted capital I matches itself", u"İstanbul", false, false, false, u"İstanbul",
            { { 0, 8 } } },
        { "an accent belongs to its letter", u"cafe", false, false, false, u"cafe\u0301 cafe",
            { { 6, 4 } } },
        { "an accent before a match joins the word", u"x", false, true, false, u"e\u0301x x",
            { { 4, 1 } } },
        { "a decomposed letter is found whole", u"cafe\u0301", false, true, false, u"Cafe\u0301s",
            {} },
        { "expression with groups", u"(N)e(ll)", true, false, true, u"Nell Neil", { { 0, 4 } } },
        { "expression ignoring case", u"ne.l", false, false, true, u"NELL Neil",
            { { 0, 4 }, { 5, 4 } } },
        { "expression as whole words", u"Nel+", false, true, true, u"Nell Nellie", { { 0, 4 } } },
        { "empty matches are none", u"x*", false, false, true, u"ab", {} },
        { "line ends are LF", u"end\nNext", false, false, false, u"The end\nNext", { { 4, 8 } } },
        { "an invalid expression finds nothing", u"(Nell", false, false, true, u"(Nell", {} },
        { "nothing to find", u"", false, false, false, u"Nell", {} },
    };
    for (const MatcherCase& c : cases) {
        const TextMatcher matcher(
            { QString::fromUtf16(c.Pattern), c.MatchCase, c.WholeWords, c.Expression });
        EXPECT_EQ(matcher.Matches(QString::fromUtf16(c.Text)), c.Expected) << c.Why;
    }
}

TEST(TextMatcher, AnInvalidExpressionSaysWhyAndWhere)
{
    const MessageTable messages;
    const TextMatcher broken({ "Nell(", false, false, true });
    EXPECT_FALSE(broken.IsValid());
    const QString problem = broken.Problem(messages);
    EXPECT_TRUE(problem.startsWith("The regular expression is not valid: "))
        << problem.toStdString();
    EXPECT_TRUE(problem.contains("(at character 6)")) << problem.toStdString();
    // The same text as plain text is no expression: nothing to say.
    EXPECT_TRUE(TextMatcher({ "Nell(", false, false, false }).Problem(messages).isEmpty());
}

TEST(TextMatcher, ExpressionGroupsStandInTheReplacement)
{
    const QString text = "Nell Tate, Bill Cole";
    const TextMatcher swap({ R"((\w+) (\w+))", true, false, true });
    const QList<TextMatch> found = swap.Matches(text);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(swap.ReplacementFor(text, found[0], R"(\2, \1)"), "Tate, Nell");
    EXPECT_EQ(swap.ReplacementFor(text, found[1], "$2 $$1 \\\\"), "Cole $1 \\");
    // Without an expression the replacement goes in as typed.
    const TextMatcher plain({ "Nell", true, false, false });
    EXPECT_EQ(plain.ReplacementFor(text, plain.Matches(text)[0], R"(\1$1)"), R"(\1$1)");
}
