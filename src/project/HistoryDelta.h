#pragma once

#include <QByteArray>

/// The largest text a history entry holds. Far past any text a writer keeps on one card, it bounds
/// what a damaged entry or delta from a synced copy can make us allocate.
constexpr qsizetype MaxHistoryTextBytes = 64 * 1024 * 1024;

/// How one text differs from another it is close to: stretches copied from the other text and the
/// bytes between them. A save usually changes a few places of a long text, so that a history
/// entry stored this way is a few bytes per change rather than the whole text.
QByteArray EncodeDelta(const QByteArray& base, const QByteArray& text);

/// Rebuilds the text from its base and its delta; false when the delta does not fit the base
/// (a damaged entry, or one made against another base) or would rebuild a text larger than
/// MaxHistoryTextBytes.
bool ApplyDelta(const QByteArray& base, const QByteArray& delta, QByteArray& text);
