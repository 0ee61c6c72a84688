#pragma once

#include <QDialog>

/// Finds cards by their text and adds them to the compile list.
class TfmFindAndCompile : public QDialog {
    Q_OBJECT
public:
    explicit TfmFindAndCompile(QWidget* parent = nullptr);
};
