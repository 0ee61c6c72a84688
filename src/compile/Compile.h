#pragma once

#include <QDialog>

/// The compile window: the ordered list of cards that makes the compilation.
class TfmCompile : public QDialog {
    Q_OBJECT
public:
    explicit TfmCompile(QWidget* parent = nullptr);
};
