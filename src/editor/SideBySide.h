#pragma once

#include <QStringList>

class QPlainTextEdit;

/// Sets two texts' lines side by side in two read-only panes, one row per line of either: the
/// lines they share face each other, a line only one side has faces an empty row, and every row
/// that differs is tinted (changed, only on the left, only on the right, missing).
void ShowSideBySide(QPlainTextEdit& left, const QStringList& leftLines, QPlainTextEdit& right,
    const QStringList& rightLines);
