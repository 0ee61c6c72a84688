#include "spelling/ThesaurusDialog.h"

#include "messages/MessageTable.h"
#include "spelling/LookUpWord.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
template <typename T> T* Named(QWidget* parent, const char* name)
{
    auto* widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text, QWidget* buddy)
{
    auto* label = Named<QLabel>(parent, name);
    label->setText(text);
    label->setBuddy(buddy);
    return label;
}
} // namespace

ThesaurusDialog::ThesaurusDialog(TThesaurus& thesaurus, const QString& word,
    const QList<ThesaurusMeaning>& meanings, const MessageTable& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
    , edtLookedUp(Named<QLineEdit>(this, "edtLookedUp"))
    , lbMeanings(Named<QListWidget>(this, "lbMeanings"))
    , edtReplaceWith(Named<QLineEdit>(this, "edtReplaceWith"))
    , lbSynonyms(Named<QListWidget>(this, "lbSynonyms"))
    , btnReplace(Named<QPushButton>(this, "btnReplace"))
    , btnLookUp(Named<QPushButton>(this, "btnLookUp"))
    , btnCancel(Named<QPushButton>(this, "btnCancel"))
    , FThesaurus(thesaurus)
    , FMessages(messages)
{
    setObjectName("fmThesaurus");
    setWindowTitle(messages.Text(MessageKey::THESAURUS_TITLE));
    // The writer may type another word here; Enter looks it up instead of pressing Replace.
    edtLookedUp->installEventFilter(this);
    btnReplace->setText(messages.Text(MessageKey::THESAURUS_REPLACE));
    btnLookUp->setText(messages.Text(MessageKey::THESAURUS_LOOK_UP));
    btnCancel->setText(messages.Text(MessageKey::THESAURUS_CANCEL));
    btnReplace->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(
        Caption(this, "lblLookedUp", messages.Text(MessageKey::THESAURUS_LOOKED_UP), edtLookedUp),
        0, 0);
    grid->addWidget(edtLookedUp, 1, 0);
    grid->addWidget(
        Caption(this, "lblMeanings", messages.Text(MessageKey::THESAURUS_MEANINGS), lbMeanings), 2,
        0);
    grid->addWidget(lbMeanings, 3, 0);
    grid->addWidget(Caption(this, "lblReplaceWith",
                        messages.Text(MessageKey::THESAURUS_REPLACE_WITH), edtReplaceWith),
        0, 1);
    grid->addWidget(edtReplaceWith, 1, 1);
    grid->addWidget(lbSynonyms, 2, 1, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : { btnReplace, btnLookUp, btnCancel })
        buttons->addWidget(button);
    grid->addLayout(buttons, 4, 0, 1, 2);
    setLayout(grid);

    connect(lbMeanings, &QListWidget::currentRowChanged, this, &ThesaurusDialog::ShowSynonyms);
    connect(lbSynonyms, &QListWidget::currentTextChanged, this, [this](const QString& synonym) {
        if (!synonym.isEmpty())
            edtReplaceWith->setText(SynonymWord(synonym));
    });
    connect(lbSynonyms, &QListWidget::itemDoubleClicked, this, &ThesaurusDialog::btnLookUpClick);
    connect(edtReplaceWith, &QLineEdit::textChanged, this,
        [this](const QString& text) { btnReplace->setEnabled(!text.trimmed().isEmpty()); });
    connect(btnReplace, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnLookUp, &QPushButton::clicked, this, &ThesaurusDialog::btnLookUpClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowMeanings(word, meanings);
    // The keys go to the meanings, where Enter replaces, not to the looked-up field.
    lbMeanings->setFocus();
    resize(520, 340);
}

QString ThesaurusDialog::Replacement() const
{
    return edtReplaceWith->text().trimmed();
}

void ThesaurusDialog::ShowMeanings(const QString& word, const QList<ThesaurusMeaning>& meanings)
{
    FMeanings = meanings;
    edtLookedUp->setText(word);
    lbMeanings->clear();
    lbSynonyms->clear();
    if (meanings.isEmpty()) {
        // Said in the list, where the meanings would be; nothing in it can be chosen.
        auto* notFound = new QListWidgetItem(
            "'" + word + "' " + FMessages.Text(MessageKey::THESAURUS_NOT_FOUND));
        notFound->setFlags(Qt::NoItemFlags);
        lbMeanings->addItem(notFound);
        return;
    }
    for (const ThesaurusMeaning& meaning : meanings)
        lbMeanings->addItem(meaning.Definition);
    lbMeanings->setCurrentRow(0);
}

void ThesaurusDialog::ShowSynonyms(int meaning)
{
    lbSynonyms->clear();
    if (meaning < 0 || meaning >= FMeanings.size())
        return;
    lbSynonyms->addItems(FMeanings[meaning].Synonyms);
    lbSynonyms->setCurrentRow(0);
}

bool ThesaurusDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edtLookedUp && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QString word = edtLookedUp->text().trimmed();
            if (!word.isEmpty())
                ShowMeanings(word, FThesaurus.Lookup(word));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ThesaurusDialog::btnLookUpClick()
{
    const QString word = Replacement();
    if (!word.isEmpty())
        ShowMeanings(word, FThesaurus.Lookup(word));
}
