#pragma once

#include <QDialog>

/// The options dialog.
class TfmOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfmOptions(QWidget* parent = nullptr);
};
