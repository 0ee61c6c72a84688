#pragma once

#include "properties/CardNameRules.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class Dialogs;
class MessageTable;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

/// What the caller puts into the properties dialog before showing it.
struct CardProperties {
    bool NewCard = false;
    QString OldName;      ///< empty for a new card
    QString Description;  ///< empty for a new card
    int TypeNumber = 1;   ///< the card's type code; for a new card the type last chosen
    QStringList TypeNames; ///< the theme's twelve type names; empty names are not offered
};

/// The card properties dialog: a card's name, type and description. It keeps names that would
/// be bad file names, reserved or taken from ever reaching the disk, and for an existing card
/// has the caller move its files to the new name before it closes with OK.
class TfmProperties : public QDialog {
    Q_OBJECT
public:
    TfmProperties(Dialogs& dialogs, const MessageTable& messages, QWidget* parent = nullptr);

    /// The longest description a card keeps.
    static constexpr int MaxDescriptionChars = 200;
    /// What the writer is told of a name refused: the same wherever a name is typed.
    static QString RefusalText(NameVerdict verdict, const QString& name, const MessageTable& messages);

    /// Fills the dialog for one use and places it a little above the middle of the screen.
    void Fill(const CardProperties& properties);

    /// Whether another card of the project has this name (compared without regard to case).
    std::function<bool(const QString& name)> NameTaken;
    /// Moves an existing card's files to the new name; false, with the reason, when they could
    /// not be moved (they are then as they were, and the dialog stays open).
    std::function<bool(const QString& newName, QString& reason)> RenameFiles;

    /// The normalised name, after OK.
    QString Name() const;
    QString Description() const;
    /// The chosen row of the type list (row + 1 is the type code), or -1 for none.
    int TypeIndex() const;

    QLineEdit* edtName;
    QComboBox* cmbNodexType;
    QPlainTextEdit* memDescription;
    QPushButton* btnOk;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// The name is ready for typing whenever the dialog appears.
    void showEvent(QShowEvent* event) override;

private:
    void btnOkClick();
    /// The name stays for correcting: focused and selected.
    void RefuseName(const QString& message);

    Dialogs& FDialogs;
    const MessageTable& FMessages;
    CardProperties FProperties;
    QGroupBox* gbNodexDetails;
    QGroupBox* gbDescription;
    QLabel* lblName;
    QLabel* lblType;
};
