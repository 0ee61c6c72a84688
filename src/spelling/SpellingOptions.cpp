#include "spelling/SpellingOptions.h"

#include "messages/MessageTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace {
struct OfferedOption {
    TSpellOption Option;
    const char* Name;
    MessageKey Caption;
};

// In the order the dialog lists them.
constexpr std::array<OfferedOption, 7> Offered = { {
    { soLiveSpelling, "cbLiveSpelling", MessageKey::SPELL_LIVE_SPELLING },
    { soUpcase, "cbUpcase", MessageKey::SPELL_UPCASE },
    { soNumbers, "cbNumbers", MessageKey::SPELL_NUMBERS },
    { soInternet, "cbInternet", MessageKey::SPELL_INTERNET },
    { soPrimaryOnly, "cbPrimaryOnly", MessageKey::SPELL_PRIMARY_ONLY },
    { soRepeated, "cbRepeated", MessageKey::SPELL_REPEATED },
    { soDUalCaps, "cbDUalCaps", MessageKey::SPELL_DUAL_CAPS },
} };

/// "en_GB: English (United Kingdom)", or the name alone for one the system cannot name.
QString DictionaryCaption(const QString& name)
{
    const QLocale locale(name);
    if (locale.language() == QLocale::C)
        return name;
    return name + ": " + QLocale::languageToString(locale.language()) + " ("
        + QLocale::territoryToString(locale.territory()) + ")";
}
} // namespace

SpellingOptions::SpellingOptions(const SpellSettings& settings,
    const SpellOptions& available, const QList<DictionaryFiles>& dictionaries,
    const MessageTable& messages, QWidget* parent)
    : QDialog(parent)
    , cmbDictionary(new QComboBox(this))
    , FSettings(settings)
{
    setObjectName("fmSpellingOptions");
    setWindowTitle(messages.Text(MessageKey::SPELL_OPTIONS_TITLE));
    auto* layout = new QVBoxLayout(this);
    for (const OfferedOption& offered : Offered) {
        if (!available.Has(offered.Option))
            continue;
        auto* box = new QCheckBox(messages.Text(offered.Caption), this);
        box->setObjectName(offered.Name);
        box->setChecked(settings.Options.Has(offered.Option));
        layout->addWidget(box);
        FBoxes.insert(offered.Option, box);
    }

    // The dictionary in use keeps the name the configuration gives it ("british.adm").
    cmbDictionary->setObjectName("cmbDictionary");
    const QString current = HunspellName(settings.MainDictionary);
    for (const DictionaryFiles& dictionary : dictionaries) {
        cmbDictionary->addItem(DictionaryCaption(dictionary.Name),
            dictionary.Name == current ? settings.MainDictionary : dictionary.Name);
        if (dictionary.Name == current)
            cmbDictionary->setCurrentIndex(cmbDictionary->count() - 1);
    }
    if (cmbDictionary->findData(settings.MainDictionary) < 0) {
        cmbDictionary->insertItem(0,
            messages.Text(MessageKey::SPELL_DICTIONARY_MISSING).arg(current),
            settings.MainDictionary);
        cmbDictionary->setCurrentIndex(0);
    }
    auto* dictionary = new QFormLayout;
    auto* label = new QLabel(messages.Text(MessageKey::SPELL_DICTIONARY), this);
    label->setBuddy(cmbDictionary);
    dictionary->addRow(label, cmbDictionary);
    layout->addLayout(dictionary);

    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(messages.Text(MessageKey::SPELL_OK), QDialogButtonBox::AcceptRole);
    btnOK->setObjectName("btnOK");
    btnCancel
        = buttons->addButton(messages.Text(MessageKey::SPELL_CANCEL), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

SpellSettings SpellingOptions::Settings() const
{
    SpellSettings settings = FSettings;
    for (auto box = FBoxes.cbegin(); box != FBoxes.cend(); ++box)
        settings.Options.Set(box.key(), box.value()->isChecked());
    settings.MainDictionary = cmbDictionary->currentData().toString();
    return settings;
}
