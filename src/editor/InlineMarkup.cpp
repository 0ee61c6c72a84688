#include "editor/InlineMarkup.h"

#include <vector>

namespace {
/// A run of one emphasis character, `*` or `_`, as it stands in the line.
struct DelimiterRun {
    qsizetype Start = 0;
    qsizetype Length = 0;
    QChar Mark;
    bool CanOpen = false;
    bool CanClose = false;
    bool Matched = false;
};

bool IsBlankAt(QStringView line, qsizetype i)
{
    return i < 0 || i >= line.size() || line[i].isSpace();
}

bool IsWordAt(QStringView line, qsizetype i)
{
    return i >= 0 && i < line.size() && line[i].isLetterOrNumber();
}

bool IsMarkChar(QChar c)
{
    return c == u'*' || c == u'_';
}

/// The runs of marks, and the escapes ("\*", "\_") that take a mark out of them.
std::vector<DelimiterRun> DelimiterRuns(QStringView line, std::vector<qsizetype>& escapes)
{
    std::vector<DelimiterRun> runs;
    for (qsizetype i = 0; i < line.size();) {
        const QChar c = line[i];
        if (c == u'\\' && i + 1 < line.size() && (IsMarkChar(line[i + 1]) || line[i + 1] == u'\\')) {
            escapes.push_back(i);
            i += 2;
            continue;
        }
        if (!IsMarkChar(c)) {
            ++i;
            continue;
        }
        DelimiterRun run;
        run.Start = i;
        run.Mark = c;
        while (i < line.size() && line[i] == c)
            ++i;
        run.Length = i - run.Start;
        // A mark opens where text follows at once and closes where text stands right before it;
        // "_" only at a word's edge, so that snake_case stays as it is.
        const bool textAfter = !IsBlankAt(line, i);
        const bool textBefore = !IsBlankAt(line, run.Start - 1);
        run.CanOpen = textAfter && (c == u'*' || !IsWordAt(line, run.Start - 1));
        run.CanClose = textBefore && (c == u'*' || !IsWordAt(line, i));
        // One to three marks: italic, bold, both; a longer run is a row of asterisks.
        if (run.Length > 3)
            run.CanOpen = run.CanClose = false;
        runs.push_back(run);
    }
    return runs;
}
} // namespace

QList<MarkupPiece> ReadInlineMarkup(QStringView line)
{
    QList<MarkupPiece> pieces;
    if (line.isEmpty())
        return pieces;
    // Nearly every line of prose has no mark at all.
    bool anyMark = false;
    for (const QChar c : line)
        if (IsMarkChar(c) || c == u'\\') {
            anyMark = true;
            break;
        }
    if (!anyMark) {
        pieces << MarkupPiece { 0, line.size() };
        return pieces;
    }

    std::vector<qsizetype> escapes;
    std::vector<DelimiterRun> runs = DelimiterRuns(line, escapes);
    // Each closer takes the nearest opener of the same mark and length; openers between the two
    // stay literal, so markup nests but never overlaps.
    std::vector<size_t> openers;
    std::vector<std::pair<size_t, size_t>> pairs;
    for (size_t r = 0; r < runs.size(); ++r) {
        if (runs[r].CanClose) {
            for (size_t k = openers.size(); k-- > 0;) {
                const DelimiterRun& opener = runs[openers[k]];
                if (opener.Mark == runs[r].Mark && opener.Length == runs[r].Length) {
                    runs[openers[k]].Matched = runs[r].Matched = true;
                    pairs.emplace_back(openers[k], r);
                    openers.resize(k);
                    break;
                }
            }
            if (runs[r].Matched)
                continue;
        }
        if (runs[r].CanOpen)
            openers.push_back(r);
    }

    // Each character's kind and emphasis, then pieces of equal ones.
    const qsizetype size = line.size();
    std::vector<MarkupPiece::Kind> kinds(size_t(size), MarkupPiece::Kind::Text);
    std::vector<quint8> italic(size_t(size) + 1, 0);
    std::vector<quint8> bold(size_t(size) + 1, 0);
    for (const qsizetype escape : escapes)
        kinds[size_t(escape)] = MarkupPiece::Kind::Escape;
    // Emphasis as differences at the edges, summed up afterwards: nested pairs add up.
    std::vector<int> italicDelta(size_t(size) + 1, 0);
    std::vector<int> boldDelta(size_t(size) + 1, 0);
    for (const auto& [open, close] : pairs) {
        const DelimiterRun& a = runs[open];
        const DelimiterRun& b = runs[close];
        for (qsizetype i = 0; i < a.Length; ++i) {
            kinds[size_t(a.Start + i)] = MarkupPiece::Kind::Mark;
            kinds[size_t(b.Start + i)] = MarkupPiece::Kind::Mark;
        }
        const qsizetype from = a.Start + a.Length;
        const qsizetype to = b.Start;
        if (a.Length != 2) {
            ++italicDelta[size_t(from)];
            --italicDelta[size_t(to)];
        }
        if (a.Length >= 2) {
            ++boldDelta[size_t(from)];
            --boldDelta[size_t(to)];
        }
    }
    int italicDepth = 0;
    int boldDepth = 0;
    for (qsizetype i = 0; i < size; ++i) {
        italicDepth += italicDelta[size_t(i)];
        boldDepth += boldDelta[size_t(i)];
        italic[size_t(i)] = italicDepth > 0;
        bold[size_t(i)] = boldDepth > 0;
    }
    for (qsizetype i = 0; i < size;) {
        MarkupPiece piece { i, 1, kinds[size_t(i)], bool(italic[size_t(i)]), bool(bold[size_t(i)]) };
        // An escape is one character, and so are marks, so that each stands apart.
        if (piece.Type == MarkupPiece::Kind::Text) {
            while (i + piece.Length < size && kinds[size_t(i + piece.Length)] == MarkupPiece::Kind::Text
                && bool(italic[size_t(i + piece.Length)]) == piece.Italic
                && bool(bold[size_t(i + piece.Length)]) == piece.Bold)
                ++piece.Length;
        } else {
            while (i + piece.Length < size && kinds[size_t(i + piece.Length)] == piece.Type
                && piece.Type == MarkupPiece::Kind::Mark)
                ++piece.Length;
        }
        pieces << piece;
        i += piece.Length;
    }
    return pieces;
}

QList<StyledRun> StyledRuns(QStringView line)
{
    QList<StyledRun> runs;
    for (const MarkupPiece& piece : ReadInlineMarkup(line)) {
        if (piece.Type != MarkupPiece::Kind::Text)
            continue;
        const QStringView text = line.mid(piece.Start, piece.Length);
        if (!runs.isEmpty() && runs.last().Italic == piece.Italic && runs.last().Bold == piece.Bold)
            runs.last().Text += text;
        else
            runs << StyledRun { text.toString(), piece.Italic, piece.Bold };
    }
    return runs;
}
