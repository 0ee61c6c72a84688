#pragma once

#include <QDialog>

class QPlainTextEdit;

/// Two versions of a text side by side, read-only, their lines aligned and the ones that differ
/// tinted, so that a writer sees what a sync tool's conflict copy or another program's version
/// holds before choosing what to keep.
class CompareWindow : public QDialog {
    Q_OBJECT
public:
    /// Each side is a caption and its text, line ends already normalised.
    CompareWindow(const QString& title, const QString& leftCaption, const QString& leftText,
               const QString& rightCaption, const QString& rightText, QWidget* parent = nullptr);

    QPlainTextEdit* memLeft = nullptr;
    QPlainTextEdit* memRight = nullptr;
};
