#include "editor/LiveWordCount.h"

#include "EditorFixture.h"
#include "editor/EditorMemo.h"
#include "editor/MemoPositions.h"
#include "editor/MemoText.h"
#include "editor/WordCount.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <functional>
#include <random>

namespace {
/// A paragraph of one letter without a space: the editor can only cut it between characters.
QString Spaceless(int length = 20000)
{
    return QString(length, u'x');
}

/// The count kept as the memo changed, against the words of the memo's whole text.
#define EXPECT_COUNTS_AS_A_WHOLE(memo, live)                                                       \
    EXPECT_EQ((live).Words(), CountTextWords((memo).Text()))
} // namespace

TEST(LiveWordCount, AgreesWithTheWholeCountOnEveryKindOfBreak)
{
    const QString cases[] = {
        "",
        "  two  words ",
        "end\nstart\n\n\n",
        QStringLiteral("12\u00A0km on\u00A0foot"),
        QStringLiteral("line\u2028separator\u2028"),
        QStringLiteral("para\u2029graph \u2029"),
        QStringLiteral("de\uFDD0ligne\uFDD1 fin"),
        QStringLiteral(" \uFDD0 "),
        QStringLiteral("a\uFDD0\uFDD1b \uFDD0\n\uFDD1"),
        LongParagraph(),
        Spaceless(),
        Spaceless(9000) + QStringLiteral("\uFDD0") + Spaceless(9000),
        Spaceless(9000) + QStringLiteral("\u2029") + Spaceless(9000),
        LongParagraph(3000) + "\n" + Spaceless(30000) + " end",
    };
    EditorMemo memo;
    LiveWordCount live(*memo.document());
    for (const QString& text : cases) {
        SCOPED_TRACE(text.left(40).toStdString());
        memo.SetText(text);
        EXPECT_EQ(memo.Text(), text);
        EXPECT_EQ(live.Words(), CountTextWords(text));
        // A count that starts on a text already there agrees too.
        EXPECT_EQ(LiveWordCount(*memo.document()).Words(), CountTextWords(text));
    }
    memo.SetText(Spaceless());
    ASSERT_FALSE(SoftBreakPositions(*memo.document()).isEmpty())
        << "the word is cut by soft breaks";
    EXPECT_EQ(live.Words(), 1);
}

TEST(LiveWordCount, ASpaceTakenFromBeforeABreakJoinsTheWordsAcrossIt)
{
    // A long paragraph is cut after a space, and a break standing for U+FDD0 joins the words on
    // either side: the space before either break decides whether the word after it is a new
    // one, so an edit in one block changes the count of the next.
    EditorMemo memo;
    memo.SetText(LongParagraph() + QStringLiteral(" a \uFDD0b"));
    LiveWordCount live(*memo.document());
    const qint64 words = live.Words();
    QTextBlock cut = memo.document()->begin();
    while (cut.isValid() && !IsSoftBreakBefore(cut))
        cut = cut.next();
    const QTextBlock breaks[] = { memo.document()->lastBlock(), cut };
    for (const QTextBlock& after : breaks) {
        const QTextBlock before = after.previous();
        ASSERT_TRUE(before.text().endsWith(u' '));
        QTextCursor cursor(before);
        cursor.setPosition(before.position() + before.length() - 2);
        memo.setTextCursor(cursor);
        QTest::keyClick(&memo, Qt::Key_Delete);
        EXPECT_COUNTS_AS_A_WHOLE(memo, live);
    }
    EXPECT_EQ(live.Words(), words - 2);
}

class LiveWordCountEdits : public testing::Test {
public:
    LiveWordCountEdits() { Memo.SetText("alpha beta\ngamma delta\n" + Spaceless() + " omega"); }
    /// Puts the caret at a place of the writer's text.
    void CaretAt(qsizetype offset)
    {
        QTextCursor cursor(Memo.document());
        cursor.setPosition(MemoPositions(*Memo.document()).Position(offset, true));
        Memo.setTextCursor(cursor);
    }

    EditorMemo Memo;
    LiveWordCount Live { *Memo.document() };
};

TEST_F(LiveWordCountEdits, FollowsTypingPastingDeletingAndUndo)
{
    const QTextBlock cut = Memo.document()->findBlockByNumber(3);
    ASSERT_TRUE(IsSoftBreakBefore(cut)) << "the spaceless paragraph is cut between characters";
    const qsizetype cutOffset = MemoPositions(*Memo.document()).Offset(cut.position());
    const struct {
        const char* Step;
        std::function<void(LiveWordCountEdits&)> Do;
        qint64 Words;
    } steps[] = {
        { "type at the start", [](auto& t) { QTest::keyClicks(&t.Memo, "zeta "); }, 7 },
        { "a space where a soft break cuts a word",
            [=](auto& t) {
                t.CaretAt(cutOffset + 5);
                QTest::keyClick(&t.Memo, Qt::Key_Space);
            },
            8 },
        { "and taken away again", [](auto& t) { QTest::keyClick(&t.Memo, Qt::Key_Backspace); }, 7 },
        { "a line end in a word",
            [](auto& t) {
                t.CaretAt(8);
                QTest::keyClick(&t.Memo, Qt::Key_Return);
            },
            8 },
        { "two paragraphs joined", [](auto& t) { QTest::keyClick(&t.Memo, Qt::Key_Backspace); },
            7 },
        { "a selection across paragraphs deleted",
            [](auto& t) {
                t.CaretAt(13);
                QTest::keyClick(&t.Memo, Qt::Key_Down, Qt::ShiftModifier);
                QTest::keyClick(&t.Memo, Qt::Key_Delete);
            },
            5 },
        { "a paste of lines and a joining break",
            [](auto& t) {
                QGuiApplication::clipboard()->setText(QStringLiteral("one\r\ntwo three\uFDD0four"));
                t.CaretAt(0);
                QTest::keyClick(&t.Memo, Qt::Key_V, Qt::ControlModifier);
            },
            7 },
        { "a paste that grows a paragraph past a cut",
            [](auto& t) {
                QGuiApplication::clipboard()->setText(LongParagraph(3000));
                t.CaretAt(2);
                QTest::keyClick(&t.Memo, Qt::Key_V, Qt::ControlModifier);
            },
            3006 },
    };
    std::vector<qint64> counts { Live.Words() };
    EXPECT_EQ(Live.Words(), 6);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Step);
        step.Do(*this);
        EXPECT_EQ(Live.Words(), step.Words);
        EXPECT_COUNTS_AS_A_WHOLE(Memo, Live);
        counts.push_back(Live.Words());
    }
    for (auto count = counts.rbegin() + 1; count != counts.rend(); ++count) {
        QTest::keyClick(&Memo, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Live.Words(), *count) << "after undo";
        EXPECT_COUNTS_AS_A_WHOLE(Memo, Live);
    }
    for (auto count = counts.begin() + 1; count != counts.end(); ++count) {
        Memo.redo();
        EXPECT_EQ(Live.Words(), *count) << "after redo";
        EXPECT_COUNTS_AS_A_WHOLE(Memo, Live);
    }
}

TEST_F(LiveWordCountEdits, AgreesWithTheWholeCountThroughAnyRunOfEdits)
{
    // Many small edits anywhere, big ones now and then, undo and redo: a fixed seed, so every
    // run makes the same edits.
    std::mt19937 random(20240607);
    const QString pieces[]
        = { "a", " ", "\n", "b c", QStringLiteral("\uFDD0"), QStringLiteral("\u2028"),
              QStringLiteral("\u00A0"), "  ", Spaceless(9000), LongParagraph(2000) };
    const auto below = [&random](int n) { return int(random() % unsigned(std::max(n, 1))); };
    for (int edit = 0; edit < 400; ++edit) {
        const int end = Memo.document()->characterCount() - 1;
        QTextCursor cursor(Memo.document());
        switch (below(5)) {
        case 0:
            Memo.undo();
            break;
        case 1:
            Memo.redo();
            break;
        case 2:
            cursor.setPosition(below(end + 1));
            cursor.setPosition(
                std::min(end, cursor.position() + below(30)), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            break;
        default:
            cursor.setPosition(below(end + 1));
            Memo.setTextCursor(cursor);
            Memo.InsertText(pieces[below(std::size(pieces) - (edit % 20 == 0 ? 0 : 2))]);
            break;
        }
        ASSERT_EQ(Live.Words(), CountTextWords(Memo.Text())) << "edit " << edit;
    }
}

class LiveWordCountEditor : public EditorFixture { };

TEST_F(LiveWordCountEditor, TheStatusLineCountsAsTheWriterTypesAgainstTheTarget)
{
    Project.Write("Text Files/Lamp.txt", "Keeper's log\r\nDay one\r\n");
    TfmEditor& editor = Open();
    auto* count = editor.findChild<QLabel*>("sbWordCount");
    ASSERT_TRUE(count);
    EXPECT_TRUE(count->isVisible());
    EXPECT_EQ(count->text(), "Words: 4 ");
    editor.memEditor->moveCursor(QTextCursor::End);
    Type("Fog rolls");
    EXPECT_EQ(count->text(), "Words: 6 ");

    EditorSettings settings;
    settings.TargetWordCount = 8;
    editor.TakeOptions(settings);
    EXPECT_EQ(count->text(), "Words: 6 (75%) ");
    QTest::keyClick(editor.memEditor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(count->text(), "Words: 4 (50%) ");
    EXPECT_EQ(editor.CountEditorWords(), 4);
}
