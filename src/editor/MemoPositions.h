#pragma once

#include <QList>

class QTextDocument;

/// Where positions in an editor's document stand in the writer's text and back: the two differ
/// by the soft breaks before them (see MemoText.h). A snapshot, valid until the next edit.
class MemoPositions {
public:
    explicit MemoPositions(const QTextDocument& document);

    /// The offset in the writer's text of a document position.
    qsizetype Offset(int position) const;
    /// The document position of an offset in the writer's text. Where soft breaks stand at the
    /// offset, `afterBreaks` picks the side: after them to start a range, before them to end one.
    int Position(qsizetype offset, bool afterBreaks) const;

private:
    QList<int> FSoftBreaks; ///< document positions of the soft breaks, ascending
};
