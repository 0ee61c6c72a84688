#pragma once

#include <QObject>
#include <vector>

class QTextBlock;
class QTextDocument;

/// The words of an editor's text, kept as the writer types. Each block's count is kept, so a
/// change recounts only the blocks it touched: a key in a long text costs one paragraph. The
/// total is CountTextWords over the writer's text: a soft break stands for nothing, so the
/// pieces of a word cut by one count once, and a break that stands for a character other than
/// a line end is part of the words on either side of it.
class LiveWordCount : public QObject {
    Q_OBJECT
public:
    /// Counts the document's text at once and follows its changes.
    explicit LiveWordCount(QTextDocument& document, QObject* parent = nullptr);

    qint64 Words() const { return FWords; }

signals:
    void Changed(qint64 words);

private:
    /// What one block adds to the count, given whether the writer's text before it ends in a
    /// word; and whether the text up to its end does.
    struct BlockWords {
        int Words = 0;
        bool EndsInWord = false;
        bool operator==(const BlockWords&) const = default;
    };

    static BlockWords Count(const QTextBlock& block, bool afterWord);
    void CountAll();
    /// Recounts the blocks from the one holding `position` to the one holding `position +
    /// added`, and the blocks after them whose count follows from theirs.
    void Recount(int position, int added);

    QTextDocument& FDocument;
    std::vector<BlockWords> FBlocks; ///< by block number
    qint64 FWords = 0;
};
