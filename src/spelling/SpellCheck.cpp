#include "spelling/SpellCheck.h"

#include "messages/MessageTable.h"
#include "spelling/SpellCheckRun.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
QPushButton* Button(const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
} // namespace

SpellCheck::SpellCheck(const MessageTable& messages, QWidget* parent)
    : QDialog(parent)
    , lblProblem(new QLabel(this))
    , memContext(new QTextEdit(this))
    , lblChangeTo(new QLabel(this))
    , edtChangeTo(new QLineEdit(this))
    , lblSuggestions(new QLabel(this))
    , lbSuggestions(new QListWidget(this))
    , btnIgnore(Button("btnIgnore", this))
    , btnIgnoreAll(Button("btnIgnoreAll", this))
    , btnChange(Button("btnChange", this))
    , btnChangeAll(Button("btnChangeAll", this))
    , btnAdd(Button("btnAdd", this))
    , btnCancel(Button("btnCancel", this))
    , FMessages(messages)
{
    setObjectName("fmSpellCheck");
    lblProblem->setObjectName("lblProblem");
    memContext->setObjectName("memContext");
    memContext->setReadOnly(true);
    memContext->setFocusPolicy(Qt::NoFocus);
    memContext->setFixedHeight(memContext->fontMetrics().lineSpacing() * 4);
    lblChangeTo->setObjectName("lblChangeTo");
    lblChangeTo->setBuddy(edtChangeTo);
    edtChangeTo->setObjectName("edtChangeTo");
    lblSuggestions->setObjectName("lblSuggestions");
    lblSuggestions->setBuddy(lbSuggestions);
    lbSuggestions->setObjectName("lbSuggestions");
    btnChange->setDefault(true);
    ApplyCaptions();

    auto* fields = new QVBoxLayout;
    for (QWidget* field : std::initializer_list<QWidget*> {
             lblProblem, memContext, lblChangeTo, edtChangeTo, lblSuggestions, lbSuggestions })
        fields->addWidget(field);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : { btnIgnore, btnIgnoreAll, btnChange, btnChangeAll, btnAdd })
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    auto* layout = new QGridLayout(this);
    layout->addLayout(fields, 0, 0);
    layout->addLayout(buttons, 0, 1);

    connect(lbSuggestions, &QListWidget::currentTextChanged, this, [this](const QString& text) {
        if (lbSuggestions->currentItem()
            && (lbSuggestions->currentItem()->flags() & Qt::ItemIsEnabled))
            edtChangeTo->setText(text);
    });
    connect(lbSuggestions, &QListWidget::itemDoubleClicked, this, [this] { btnChange->click(); });
    connect(btnIgnore, &QPushButton::clicked, this, &SpellCheck::IgnoreClicked);
    connect(btnIgnoreAll, &QPushButton::clicked, this, &SpellCheck::IgnoreAllClicked);
    connect(btnChange, &QPushButton::clicked, this,
        [this] { emit ChangeClicked(edtChangeTo->text()); });
    connect(btnChangeAll, &QPushButton::clicked, this,
        [this] { emit ChangeAllClicked(edtChangeTo->text()); });
    connect(btnAdd, &QPushButton::clicked, this, &SpellCheck::AddClicked);
    connect(btnCancel, &QPushButton::clicked, this, &SpellCheck::reject);
}

void SpellCheck::ApplyCaptions()
{
    setWindowTitle(FMessages.Text(MessageKey::SPELL_CHECK_TITLE));
    lblChangeTo->setText(FMessages.Text(MessageKey::SPELL_CHANGE_TO));
    lblSuggestions->setText(FMessages.Text(MessageKey::SPELL_SUGGESTIONS));
    btnIgnore->setText(FMessages.Text(MessageKey::SPELL_IGNORE));
    btnIgnoreAll->setText(FMessages.Text(MessageKey::SPELL_IGNORE_ALL));
    btnChangeAll->setText(FMessages.Text(MessageKey::SPELL_CHANGE_ALL));
    btnAdd->setText(FMessages.Text(MessageKey::SPELL_ADD));
    btnCancel->setText(FMessages.Text(MessageKey::SPELL_CANCEL));
    lblProblem->setText(FMessages.Text(
        FRepeated ? MessageKey::SPELL_REPEATED_WORD : MessageKey::SPELL_NOT_IN_DICTIONARY));
    btnChange->setText(
        FMessages.Text(FRepeated ? MessageKey::SPELL_DELETE : MessageKey::SPELL_CHANGE));
}

void SpellCheck::ShowProblem(const SpellProblem& problem)
{
    const bool repeated = problem.Kind == SpellProblem::Repeated;
    FRepeated = repeated;
    ApplyCaptions();
    // The word stands out from its line; the writer's text is never read as mark-up.
    memContext->clear();
    QTextCursor cursor(memContext->document());
    cursor.insertText(problem.Before);
    QTextCharFormat word;
    word.setFontWeight(QFont::Bold);
    word.setForeground(Qt::red);
    cursor.insertText(problem.Word.Text, word);
    cursor.insertText(problem.After, QTextCharFormat());

    lbSuggestions->clear();
    lbSuggestions->addItems(problem.Suggestions);
    if (problem.Suggestions.isEmpty() && !repeated) {
        auto* none
            = new QListWidgetItem(FMessages.Text(MessageKey::SPELL_NO_SUGGESTIONS), lbSuggestions);
        none->setFlags(Qt::NoItemFlags);
    }
    edtChangeTo->setText(repeated ? QString() : problem.Suggestions.value(0, problem.Word.Text));
    if (!problem.Suggestions.isEmpty())
        lbSuggestions->setCurrentRow(0);
    for (QPushButton* button : { btnIgnoreAll, btnChangeAll, btnAdd })
        button->setEnabled(!repeated);
    edtChangeTo->setFocus();
    edtChangeTo->selectAll();
}

void SpellCheck::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        emit Deactivated();
}

void SpellCheck::reject()
{
    // The checker hides the dialog when it has finished the check.
    emit CancelClicked();
}
