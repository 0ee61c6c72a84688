#pragma once

#include <QDialog>

class MessageTable;
class QLabel;
class QTimer;

/// The about box: a borderless picture with the version and a notice that closes by itself
/// after a few seconds, or at once on a click or on Esc (which closes any dialog, so the box
/// needs no hidden close button for it).
class TfmAbout : public QDialog {
    Q_OBJECT
public:
    /// The version the box shows, with the trailing space that keeps the italic text clear of
    /// the edge.
    static inline const QString Version = QStringLiteral("6.09.26 ");
    static constexpr int CloseAfterMs = 7000;

    explicit TfmAbout(const MessageTable& messages, QWidget* parent = nullptr);

    QLabel* imgAbout;
    QLabel* lblDate;
    QLabel* lblCopyright;
    QTimer* tmrAbout;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The texts come from the message table each time the box opens, so a change of
    /// language reaches them.
    void ApplyTexts();

    const MessageTable& FMessages;
};
