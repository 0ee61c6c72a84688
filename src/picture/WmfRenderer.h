#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

/// Draws a Windows metafile (WMF) through libwmf's SVG output in its exact colours, at screen
/// resolution. A placeable file keeps its frame, so margins stay transparent; a plain one is
/// framed by what it draws. The record structure is checked first, so a damaged file fails with
/// a reason instead of letting the library read past the bytes.
bool DrawWmf(const QByteArray& bytes, QImage& image, QString& reason);
