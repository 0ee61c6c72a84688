#include "EditorFixture.h"
#include "editor/EditorMemo.h"
#include "spelling/SpellEngine.h"

#include <QAction>
#include <QImage>
#include <QTest>
#include <QTextBlock>

namespace {
/// Light text on a light background is drawn lighter than the text: the darkest grey of an
/// image, 0 for black.
int Darkest(const QImage& image)
{
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

/// How much ink an image holds: the darkness of its pixels summed.
qint64 Ink(const QImage& image)
{
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - qGray(image.pixel(x, y));
    return ink;
}
} // namespace

/// An editor whose emphasis is drawn without live checking, which would draw underlines of its
/// own.
class EmphasisTest : public EditorFixture {
protected:
    EmphasisTest() { Context.Spelling.Config.ConfigDefaultOptions.Set(soLiveSpelling, false); }

    EditorMemo& Memo() const { return *Editor->memEditor; }
    /// Puts the caret at an offset of the text, or selects from it `length` characters.
    void Place(qsizetype at, int length = 0)
    {
        QTextCursor cursor(Memo().document());
        cursor.setPosition(int(at));
        cursor.setPosition(int(at) + length, QTextCursor::KeepAnchor);
        Memo().setTextCursor(cursor);
    }
    void Select(const QString& text) { Place(Memo().Text().indexOf(text), int(text.size())); }
    void Key(Qt::Key key) { QTest::keyClick(&Memo(), key, Qt::ControlModifier); }
    /// Where a stretch of a line is drawn in the memo's viewport.
    QRect Drawn(int line, int start, int length) const
    {
        const int at = Memo().document()->findBlockByNumber(line).position() + start;
        QTextCursor from(Memo().document());
        from.setPosition(at);
        QTextCursor to(Memo().document());
        to.setPosition(at + length);
        const QRect first = Memo().cursorRect(from);
        return { first.left(), first.top(), Memo().cursorRect(to).left() - first.left(),
            first.height() };
    }
};

TEST_F(EmphasisTest, MarkedWordsAreDrawnItalicAndBoldAsTheyAreTypedWithTheMarksDimmed)
{
    Open();
    const auto shot = [this] { return Memo().viewport()->grab().toImage(); };
    // The italic word against the same word where it stands, once a blank before the closing
    // mark has undone the emphasis (a mark after a blank closes nothing).
    Type("*word*");
    const QImage italic = shot();
    QTest::keyClick(&Memo(), Qt::Key_Left);
    Type(" ");
    const QRect word = Drawn(0, 1, 4);
    EXPECT_NE(italic.copy(word), shot().copy(word)) << "the word between single marks is italic";

    // The other lines each beside one whose marks hold no emphasis, the word at the same place.
    QTest::keyClick(&Memo(), Qt::Key_End);
    for (const QString line : { "*word *", "**word**", "**word **" }) {
        QTest::keyClick(&Memo(), Qt::Key_Return);
        Type(line);
    }
    const QImage lines = shot();
    const auto crop
        = [&](int line, int start, int length) { return lines.copy(Drawn(line, start, length)); };
    const QImage bold = crop(2, 2, 4);
    const QImage plain = crop(3, 2, 4);
    EXPECT_GT(Ink(bold), Ink(plain) * 11 / 10) << "the word between double marks is drawn bold";
    EXPECT_GT(Darkest(crop(2, 0, 2)), Darkest(crop(3, 0, 2)) + 40)
        << "the marks are drawn lighter than asterisks that stand as text";
    EXPECT_GT(Darkest(crop(2, 6, 2)), Darkest(crop(3, 7, 2)) + 40);
}

TEST_F(EmphasisTest, CtrlIAndCtrlBPutTheMarksOnAndTakeThemOffAsOneEdit)
{
    Project.Write("Text Files/Lamp.txt", "The keeper lit the lamp\r\nat dusk \r\n");
    Open();
    const auto text = [this] { return Memo().Text(); };

    // A selection with a blank at its end: the blank stays outside the marks.
    Select("keeper ");
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The *keeper* lit the lamp\nat dusk \n");
    EXPECT_EQ(Memo().SelectedText(), "keeper");
    Key(Qt::Key_Z);
    EXPECT_EQ(text(), "The keeper lit the lamp\nat dusk \n") << "one Undo takes the marks back";

    // The word at the caret, on and off; and off again when the marks are selected with it.
    Place(text().indexOf("eeper"));
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The *keeper* lit the lamp\nat dusk \n");
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The keeper lit the lamp\nat dusk \n");
    Key(Qt::Key_Z);
    Select("*keeper*");
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The keeper lit the lamp\nat dusk \n");
    EXPECT_EQ(Memo().SelectedText(), "keeper");

    // Bold beside italic: each command takes off only its own marks.
    Place(text().indexOf("amp"));
    Key(Qt::Key_B);
    EXPECT_EQ(text(), "The keeper lit the **lamp**\nat dusk \n");
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The keeper lit the ***lamp***\nat dusk \n");
    Key(Qt::Key_B);
    EXPECT_EQ(text(), "The keeper lit the *lamp*\nat dusk \n");
    Key(Qt::Key_Z);
    EXPECT_EQ(text(), "The keeper lit the ***lamp***\nat dusk \n");
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The keeper lit the **lamp**\nat dusk \n");
    Key(Qt::Key_B);
    EXPECT_EQ(text(), "The keeper lit the lamp\nat dusk \n");

    // Marks never cross a line: each line of a selection is marked on its own, and the marks
    // come off only when every line has them.
    Select("lamp\nat dusk");
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The keeper lit the *lamp*\n*at dusk* \n");
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The keeper lit the lamp\nat dusk \n");
    Place(text().indexOf("amp"));
    Key(Qt::Key_I);
    Select("lamp*\nat");
    Key(Qt::Key_I);
    EXPECT_EQ(text(), "The keeper lit the *lamp*\n*at* dusk \n");
}

TEST_F(EmphasisTest, NoTwoCommandsOfTheEditorShareAShortcut)
{
    Open();
    QHash<QKeySequence, QString> commands;
    for (const QAction* action : Editor->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_FALSE(commands.contains(key))
                << key.toString().toStdString() << ": " << commands[key].toStdString() << " and "
                << action->objectName().toStdString();
            commands.insert(key, action->objectName());
        }
    }
    EXPECT_EQ(commands.value(QKeySequence("Ctrl+I")), "mnuItalic");
    EXPECT_EQ(commands.value(QKeySequence("Ctrl+B")), "mnuBold");
}
