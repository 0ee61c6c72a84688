#pragma once

#include <QDialog>

/// The card properties dialog: a card's name, type and description.
class TfmProperties : public QDialog {
    Q_OBJECT
public:
    explicit TfmProperties(QWidget* parent = nullptr);
};
