#include "project/HistoryDelta.h"

#include <QList>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {
/// Text that does not repeat itself, as prose does not: every block of it is found in one place.
QByteArray Prose(qsizetype size)
{
    QRandomGenerator random(7);
    QByteArray text;
    while (text.size() < size)
        text += random.bounded(6) == 0 ? ' ' : char('a' + random.bounded(26));
    return text;
}
} // namespace

TEST(HistoryDelta, RebuildsEveryKindOfChangeAndStaysSmallForAFewEdits)
{
    const QByteArray prose = Prose(5000);
    QByteArray moved = prose.mid(2500) + prose.left(2500);
    const QList<QPair<QByteArray, QByteArray>> cases = {
        { "", "" },
        { "", "new text" },
        { "old text", "" },
        { "The lamp is lit.", "The lamp is out." },
        { "abcabc", "abc" },
        { QByteArray(100, 'a'), QByteArray(1000, 'a') }, // one stretch of the base copied often
        { prose, prose.left(4000) + "inserted" + prose.mid(4000) },
        { prose, prose.left(1000) + prose.mid(1100) },
        { prose, moved },
        { "Caf\xc3\xa9\r\n", "Caf\xc3\xa8\r\n" },
    };
    for (const auto& [base, text] : cases) {
        QByteArray rebuilt;
        ASSERT_TRUE(ApplyDelta(base, EncodeDelta(base, text), rebuilt)) << base.left(20).data();
        EXPECT_EQ(rebuilt, text) << base.left(20).data() << " -> " << text.left(20).data();
    }

    // Ten edits spread over a long text cost a few bytes each, wherever they fall.
    const QByteArray longText = Prose(200000);
    QByteArray edited = longText;
    for (int edit = 0; edit < 10; ++edit)
        edited.replace(edit * 19937 + 11, 5, "an edit");
    const QByteArray delta = EncodeDelta(longText, edited);
    EXPECT_LT(delta.size(), 400);
    QByteArray rebuilt;
    ASSERT_TRUE(ApplyDelta(longText, delta, rebuilt));
    EXPECT_EQ(rebuilt, edited);
}

TEST(HistoryDelta, RefusesADeltaThatDoesNotFitItsBase)
{
    const QByteArray base = Prose(1000);
    QByteArray text = base;
    text.replace(500, 3, "xyz");
    const QByteArray delta = EncodeDelta(base, text);
    QByteArray rebuilt;
    EXPECT_FALSE(ApplyDelta(base.left(100), delta, rebuilt));
    for (qsizetype cut = 0; cut < delta.size(); ++cut)
        EXPECT_FALSE(ApplyDelta(base, delta.left(cut), rebuilt)) << cut;
    // An offset near 2^64 must not wrap around the check.
    const QByteArray huge = QByteArray("\x05\x00", 2) + QByteArray(9, '\xff') + '\x01' + '\x05';
    EXPECT_FALSE(ApplyDelta(base, huge, rebuilt));

    // A few bytes that repeat their base towards a text larger than any history entry holds
    // are refused before it is rebuilt, as are copies past the size a delta gives.
    const QByteArray block = Prose(64 * 1024);
    const qsizetype copies = MaxHistoryTextBytes / block.size() + 1;
    QByteArray repeating;
    for (quint64 size = copies * block.size(); size; size >>= 7) // the text's size, 7 bits a byte
        repeating += char((size & 0x7f) | (size >> 7 ? 0x80 : 0));
    for (qsizetype copy = 0; copy < copies; ++copy)
        repeating += QByteArray("\x00\x00\x80\x80\x04", 5); // no new bytes, then the whole base
    EXPECT_FALSE(ApplyDelta(block, repeating, rebuilt));
    EXPECT_FALSE(ApplyDelta(block, '\x10' + repeating.mid(4), rebuilt));
}

TEST(HistoryDelta, EveryTextOfRandomEditsToRepetitiveProseRebuildsFromItsNeighbour)
{
    // Prose repeats its phrases, so that a block of one text is found in many places of the
    // other and a match's edges fall anywhere: where a wrong stretch is easiest to copy.
    const QList<QByteArray> phrases = { "The lamp is lit. ", "the keeper waits", " and the sea ",
        "rolls in, ", "rolls out. ", "\r\n", "Fog. ", "the lamp", " is ", "a" };
    QRandomGenerator random(2024);
    const auto phrase = [&] { return phrases[random.bounded(int(phrases.size()))]; };
    for (int sequence = 0; sequence < 2000; ++sequence) {
        QByteArray text;
        for (int count = random.bounded(1, 100); count > 0; --count)
            text += phrase();
        for (int edit = 0; edit < 6; ++edit) {
            QByteArray edited = text;
            const auto place = [&] { return qsizetype(random.bounded(int(edited.size()) + 1)); };
            const qsizetype at = place();
            const qsizetype length = random.bounded(1, 80);
            const int kind = random.bounded(4);
            if (kind == 0)
                edited.insert(at, phrase());
            else if (kind == 1)
                edited.remove(at, length);
            else if (kind == 2)
                edited.replace(at, length, phrase() + char('A' + random.bounded(26)));
            else // a stretch repeated elsewhere
                edited.insert(place(), edited.mid(at, length));
            // Each text is kept against the one after it, and the newer against the older.
            for (const auto& [base, wanted] :
                { qMakePair(edited, text), qMakePair(text, edited) }) {
                QByteArray rebuilt;
                ASSERT_TRUE(ApplyDelta(base, EncodeDelta(base, wanted), rebuilt))
                    << "sequence " << sequence << " edit " << edit;
                ASSERT_EQ(rebuilt, wanted) << "sequence " << sequence << " edit " << edit;
            }
            text = edited;
        }
    }
}
