#include "editor/MemoText.h"

#include "EditorFixture.h"
#include "editor/EditorMemo.h"
#include "editor/MemoPositions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTextBlock>

namespace {
constexpr int LongestBlock = 8192;

void ExpectShortBlocks(const QTextDocument& document)
{
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        EXPECT_LE(block.length() - 1, LongestBlock) << "block " << block.blockNumber();
        EXPECT_FALSE(block.length() > 1 && block.text().front().isLowSurrogate())
            << "a pair cut in two";
    }
}
} // namespace

TEST(MemoText, EveryCharacterComesBackAsItWentIn)
{
    const QString paragraph = LongParagraph();
    const QString smiles = "x" + QStringLiteral("\U0001F60A").repeated(LongestBlock);
    const struct {
        QString In;
        QString Out;
    } cases[] = {
        { QStringLiteral("12\u00A0€ «\u00A0oui\u00A0»\tfin"),
            QStringLiteral("12\u00A0€ «\u00A0oui\u00A0»\tfin") },
        { QStringLiteral("a\u2028b\u2029c\uFDD0d\uFDD1e"),
            QStringLiteral("a\u2028b\u2029c\uFDD0d\uFDD1e") },
        { "one\r\ntwo\rthree\n\n", "one\ntwo\nthree\n\n" }, // line ends are the editor's to write
        { "", "" },
        { paragraph + "\n\n" + paragraph, paragraph + "\n\n" + paragraph },
        { QString(3 * LongestBlock, u'x'),
            QString(3 * LongestBlock, u'x') }, // nothing to cut after
        { smiles, smiles },
    };
    for (const auto& c : cases) {
        QTextDocument document;
        SetMemoText(document, c.In);
        EXPECT_EQ(MemoText(document), c.Out);
        ExpectShortBlocks(document);

        // The same text put into the middle of a long paragraph, and taken out again.
        SetMemoText(document, paragraph);
        const QTextBlock third = document.findBlockByNumber(2);
        ASSERT_TRUE(IsSoftBreakBefore(third));
        QTextCursor cursor(third);
        cursor.movePosition(QTextCursor::NextCharacter);
        const qsizetype at = MemoPositions(document).Offset(cursor.position());
        InsertMemoText(cursor, c.In);
        SplitLongBlocks(document, 0, cursor.position());
        EXPECT_EQ(MemoText(document), paragraph.left(at) + c.Out + paragraph.mid(at));
        EXPECT_EQ(MemoText(document, third.position(), cursor.position()),
            paragraph.mid(at - 1, 1) + c.Out);
        ExpectShortBlocks(document);
        document.undo();
        EXPECT_EQ(MemoText(document), paragraph) << "one step for Undo";
    }
}

class SoftBreakKeys : public testing::Test {
protected:
    SoftBreakKeys()
    {
        Memo.resize(500, 300);
        Memo.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Memo));
    }
    /// The memo holds the long paragraph, the caret at the first soft break: at the end of the
    /// block before it, or at the start of the block after it.
    void StartAtSoftBreak(bool atBlockEnd)
    {
        Memo.SetText(Paragraph);
        const QTextBlock second = Memo.document()->findBlockByNumber(1);
        ASSERT_TRUE(IsSoftBreakBefore(second));
        Cut = MemoPositions(*Memo.document()).Offset(second.position());
        QTextCursor cursor(second);
        if (atBlockEnd)
            cursor.movePosition(QTextCursor::PreviousCharacter);
        Memo.setTextCursor(cursor);
    }
    qsizetype Caret() const
    {
        return MemoPositions(*Memo.document()).Offset(Memo.textCursor().position());
    }

    EditorMemo Memo;
    const QString Paragraph = LongParagraph();
    qsizetype Cut = 0; ///< where the first soft break stands in the writer's text
};

TEST_F(SoftBreakKeys, KeysActOnTheWritersCharactersOnEitherSideOfTheBreak)
{
    const struct {
        bool AtBlockEnd;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        qsizetype Removed; ///< the character deleted, as an offset from the break; 0 for none
        const char* Inserted;
        qsizetype CaretMove;
        qsizetype Selected;
    } cases[] = {
        { false, Qt::Key_Backspace, {}, -1, "", -1, 0 },
        { true, Qt::Key_Backspace, {}, -1, "", -1, 0 }, { true, Qt::Key_Delete, {}, 1, "", 0, 0 },
        { false, Qt::Key_Delete, {}, 1, "", 0, 0 }, { false, Qt::Key_Left, {}, 0, "", -1, 0 },
        { true, Qt::Key_Right, {}, 0, "", 1, 0 },
        { false, Qt::Key_Left, Qt::ShiftModifier, 0, "", -1, 1 },
        { true, Qt::Key_Right, Qt::ShiftModifier, 0, "", 1, 1 },
        { false, Qt::Key_Return, {}, 0, "\n", 1, 0 },
        { true, Qt::Key_Return, Qt::ShiftModifier, 0, "\n", 1, 0 }, // a line end, not U+2028
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
            << "key " << c.Key << (c.AtBlockEnd ? " at block end" : " at block start"));
        StartAtSoftBreak(c.AtBlockEnd);
        QTest::keyClick(&Memo, c.Key, c.Modifiers);
        QString expected = Paragraph;
        if (c.Removed < 0)
            expected.remove(Cut - 1, 1);
        else if (c.Removed > 0)
            expected.remove(Cut, 1);
        expected.insert(Cut, QString::fromUtf8(c.Inserted));
        EXPECT_EQ(Memo.Text(), expected);
        EXPECT_EQ(Caret(), Cut + c.CaretMove);
        EXPECT_EQ(Memo.SelectedText().size(), c.Selected);
    }
    Memo.undo();
    EXPECT_EQ(Memo.Text(), Paragraph);
}

TEST_F(SoftBreakKeys, CopyAndPasteCarryTheWritersText)
{
    StartAtSoftBreak(false);
    QTest::keyClick(&Memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&Memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), Paragraph);

    QGuiApplication::clipboard()->setText("one\r\ntwo\n");
    StartAtSoftBreak(false);
    QTest::keyClick(&Memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Memo.Text(), Paragraph.left(Cut) + "one\ntwo\n" + Paragraph.mid(Cut));
    ExpectShortBlocks(*Memo.document());
}

TEST_F(SoftBreakKeys, TypingCutsABlockThatGrowsTooLongAndUndoTakesTheCutBack)
{
    const QString full = Paragraph.left(LongestBlock);
    Memo.SetText(full);
    Memo.moveCursor(QTextCursor::End);
    QTest::keyClicks(&Memo, "ab");
    EXPECT_GT(Memo.document()->blockCount(), 1);
    EXPECT_EQ(Memo.Text(), full + "ab");
    ExpectShortBlocks(*Memo.document());
    while (Memo.document()->isUndoAvailable())
        Memo.undo();
    EXPECT_EQ(Memo.Text(), full);
    while (Memo.document()->isRedoAvailable())
        Memo.redo();
    EXPECT_EQ(Memo.Text(), full + "ab");
}
