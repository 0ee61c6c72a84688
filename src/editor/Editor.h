#pragma once

#include <QMainWindow>

/// The editor window of one card's text; one hidden instance carries the translated captions that every new editor copies.
class TfmEditor : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmEditor(QWidget* parent = nullptr);
};
