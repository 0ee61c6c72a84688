#pragma once

#include "editor/WordCount.h"

#include <QDialog>

class MessageTable;

/// A small read-only window listing the words a text uses most, with their counts, so that a
/// writer sees the words they lean on.
class WordUsageWindow : public QDialog {
    Q_OBJECT
public:
    WordUsageWindow(const QList<WordUsage>& words, const QString& cardName, const MessageTable& messages,
                 QWidget* parent = nullptr);
};
