#pragma once

#include <QByteArray>

/// How one text differs from another it grew out of: the length of the start they share, the
/// length of the end they share, and the bytes in between. A save usually changes one stretch of
/// a long text, so that a history entry stored this way is a few bytes rather than the text.
QByteArray EncodeDelta(const QByteArray& base, const QByteArray& text);

/// Rebuilds the text from its base and its delta; false when the delta does not fit the base
/// (a damaged entry, or one made against another base).
bool ApplyDelta(const QByteArray& base, const QByteArray& delta, QByteArray& text);
