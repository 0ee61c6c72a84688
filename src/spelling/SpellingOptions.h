#pragma once

#include "spelling/DictionaryFolders.h"
#include "spelling/SpellConfig.h"

#include <QDialog>
#include <QMap>

class MessageTable;
class QCheckBox;
class QComboBox;
class QPushButton;

/// The Spelling Options dialog: the options the editor offers, each a check box, and the choice
/// of the main dictionary among those installed.
class SpellingOptions : public QDialog {
    Q_OBJECT
public:
    SpellingOptions(const SpellSettings& settings, const SpellOptions& available,
        const QList<DictionaryFiles>& dictionaries, const MessageTable& messages,
        QWidget* parent = nullptr);

    /// The settings as the writer left them; options the dialog does not offer keep their state.
    SpellSettings Settings() const;

    /// The check box of an offered option ("cbUpcase" for soUpcase); none for another.
    QCheckBox* OptionBox(TSpellOption option) const { return FBoxes.value(option); }
    QComboBox* cmbDictionary;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    SpellSettings FSettings;
    QMap<TSpellOption, QCheckBox*> FBoxes;
};
