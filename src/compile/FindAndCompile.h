#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

/// The Find & Compile dialog: a text to look for in the cards' texts, whether case matters,
/// and whether the compile list starts afresh. It stays open for further searches.
class TfmFindAndCompile : public QDialog {
    Q_OBJECT
public:
    explicit TfmFindAndCompile(QWidget* parent = nullptr);

    /// Runs the search: the text, Match Case, Clear Compilation.
    std::function<void(const QString& text, bool matchCase, bool clearList)> FindAndCompile;

    QGroupBox* gbFind;
    QLineEdit* edtFind;
    QCheckBox* cbMatchCase;
    QCheckBox* cbClearCompiler;
    QPushButton* btnFind;
    QPushButton* btnClose;

protected:
    void showEvent(QShowEvent* event) override;
};
