#pragma once

#include <QColor>
#include <QStringList>

class QPlainTextEdit;

/// The text of each row of a pane, exactly as it is held (no-break spaces stay).
QStringList PaneLines(const QPlainTextEdit& pane);

/// The background a pane's row is tinted with, or an invalid colour for an untinted row.
QColor RowTint(const QPlainTextEdit& pane, int row);
