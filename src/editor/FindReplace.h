#pragma once

#include <QDialog>

/// The find-and-replace dialog of an editor window.
class TfmFindReplace : public QDialog {
    Q_OBJECT
public:
    explicit TfmFindReplace(QWidget* parent = nullptr);
};
