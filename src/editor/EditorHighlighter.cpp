#include "editor/EditorHighlighter.h"

#include "editor/InlineMarkup.h"
#include "spelling/Misspellings.h"
#include "spelling/SpellEngine.h"

#include <QFont>
#include <QTextBlock>
#include <QTextDocument>

namespace {
/// The state of a block that waits to come into view.
constexpr int NotDrawn = -1;
} // namespace

EditorHighlighter::EditorHighlighter(QTextDocument* document, const QColor& marks, LeadIn leadIn)
    : QSyntaxHighlighter(document)
    , FLeadIn(std::move(leadIn))
{
    FMark.setForeground(marks);
    FItalic.setFontItalic(true);
    FBold.setFontWeight(QFont::Bold);
    FBoldItalic.setFontItalic(true);
    FBoldItalic.setFontWeight(QFont::Bold);
}

void EditorHighlighter::SetSpelling(SpellEngine* engine)
{
    if (FEngine)
        disconnect(FEngine, nullptr, this, nullptr);
    FEngine = engine;
    if (FEngine)
        connect(FEngine, &SpellEngine::WordAccepted, this, &EditorHighlighter::RedrawBlocksWith);
    // Every block drawn so far is of an older round: those in view are drawn again now.
    ++FRound;
    const QTextDocument* text = document();
    DrawBlocks(text->findBlockByNumber(FFirstInView), text->findBlockByNumber(FLastInView));
}

void EditorHighlighter::DrawBlocks(const QTextBlock& first, const QTextBlock& last)
{
    FFirstInView = first.blockNumber();
    FLastInView = last.blockNumber();
    for (QTextBlock block = first; block.isValid() && block.blockNumber() <= FLastInView;
         block = block.next()) {
        if (block.userState() != FRound)
            rehighlightBlock(block);
    }
}

void EditorHighlighter::highlightBlock(const QString& text)
{
    const int number = currentBlock().blockNumber();
    if (number < FFirstInView || number > FLastInView) {
        setCurrentBlockState(NotDrawn); // its formats go until it is drawn in view
        return;
    }
    setCurrentBlockState(FRound);
    DrawEmphasis(text);
    if (FEngine)
        DrawMisspellings(text);
}

void EditorHighlighter::DrawEmphasis(const QString& text)
{
    // Most lines hold no mark at all: they are not parsed.
    if (!text.contains(u'*') && !text.contains(u'_'))
        return;
    for (const MarkupPiece& piece : ReadInlineMarkup(text)) {
        const int start = int(piece.Start);
        const int length = int(piece.Length);
        if (piece.Type != MarkupPiece::Kind::Text)
            setFormat(start, length, FMark);
        else if (piece.Italic && piece.Bold)
            setFormat(start, length, FBoldItalic);
        else if (piece.Italic)
            setFormat(start, length, FItalic);
        else if (piece.Bold)
            setFormat(start, length, FBold);
    }
}

void EditorHighlighter::DrawMisspellings(const QString& text)
{
    const QString leadIn = FLeadIn ? FLeadIn(currentBlock()) : QString();
    for (const ParsedWord& word : MisspelledWords(*FEngine, text, leadIn)) {
        // Character by character, so that an italic word stays italic where it is underlined.
        const int end = int(word.Start + word.Text.size());
        for (int at = int(word.Start); at < end; ++at) {
            QTextCharFormat underlined = format(at);
            underlined.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
            underlined.setUnderlineColor(Qt::red);
            setFormat(at, 1, underlined);
        }
    }
}

void EditorHighlighter::RedrawBlocksWith(const QString& word)
{
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block.userState() == FRound && block.text().contains(word, Qt::CaseInsensitive))
            rehighlightBlock(block);
    }
}
