#include "properties/Properties.h"

#include "platform/Dialogs.h"
#include "project/ProjectPaths.h"
#include "properties/CardNameRules.h"
#include "messages/MessageTable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QVBoxLayout>

TfmProperties::TfmProperties(Dialogs& dialogs, const MessageTable& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint)
    , edtName(new QLineEdit)
    , cmbNodexType(new QComboBox)
    , memDescription(new QPlainTextEdit)
    , btnOk(new QPushButton(QStringLiteral("&OK")))
    , btnCancel(new QPushButton(QStringLiteral("&Cancel")))
    , FDialogs(dialogs)
    , FMessages(messages)
    , gbNodexDetails(new QGroupBox(QStringLiteral(" Nodex Details ")))
    , gbDescription(new QGroupBox(QStringLiteral(" Description ")))
    , lblName(new QLabel(QStringLiteral("&Name:")))
    , lblType(new QLabel(QStringLiteral("&Type:")))
{
    setObjectName("fmProperties");
    setWindowTitle(QStringLiteral("New Nodex"));
    edtName->setObjectName("edtName");
    edtName->setMaxLength(ProjectPaths::MaxCardNameLength);
    edtName->installEventFilter(this);
    cmbNodexType->setObjectName("cmbNodexType");
    cmbNodexType->setEditable(false);
    cmbNodexType->setMaxVisibleItems(12);
    memDescription->setObjectName("memDescription");
    memDescription->setTabChangesFocus(true);
    memDescription->installEventFilter(this);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    btnCancel->setObjectName("btnCancel");
    gbNodexDetails->setObjectName("gbNodexDetails");
    gbDescription->setObjectName("gbDescription");
    lblName->setObjectName("lblName");
    lblName->setBuddy(edtName);
    lblType->setObjectName("lblType");
    lblType->setBuddy(cmbNodexType);

    auto* details = new QGridLayout(gbNodexDetails);
    details->addWidget(lblName, 0, 0);
    details->addWidget(edtName, 0, 1);
    details->addWidget(lblType, 1, 0);
    details->addWidget(cmbNodexType, 1, 1);
    auto* description = new QVBoxLayout(gbDescription);
    description->addWidget(memDescription);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbNodexDetails);
    layout->addWidget(gbDescription);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    memDescription->setFixedSize(320, 80);

    connect(btnOk, &QPushButton::clicked, this, &TfmProperties::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(memDescription, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = Description();
        if (text.size() > MaxDescriptionChars)
            memDescription->setPlainText(text.left(MaxDescriptionChars));
    });
}

void TfmProperties::Fill(const CardProperties& properties)
{
    FProperties = properties;
    const QScreen* screen = QGuiApplication::primaryScreen();
    adjustSize();
    move(screen->size().width() / 2 - width() / 2, screen->size().height() / 2 - height() / 2 - 30);

    cmbNodexType->clear();
    for (const QString& name : properties.TypeNames)
        if (!name.isEmpty())
            cmbNodexType->addItem(name);
    const int row = properties.TypeNumber - 1;
    cmbNodexType->setCurrentIndex(row >= 0 && row < cmbNodexType->count() ? row : -1);
    if (properties.NewCard) {
        setWindowTitle(FMessages.Text(MessageKey::NEW_NODEX) + " Nodex");
        edtName->clear();
        if (cmbNodexType->currentIndex() < 0 && cmbNodexType->count() > 0)
            cmbNodexType->setCurrentIndex(0);
    } else {
        setWindowTitle("Nodex " + FMessages.Text(MessageKey::NODEX_PROPERTIES));
        edtName->setText(properties.OldName);
    }
    memDescription->setPlainText(properties.Description);
    edtName->setFocus();
    edtName->selectAll();
}

QString TfmProperties::Name() const { return edtName->text(); }

QString TfmProperties::Description() const
{
    // The description is one line, spelt as typed: no-break spaces stay, a pasted line break
    // becomes a space.
    QString text = memDescription->document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u' ';
    return text;
}

int TfmProperties::TypeIndex() const { return cmbNodexType->currentIndex(); }

void TfmProperties::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    edtName->setFocus();
    edtName->selectAll();
}

bool TfmProperties::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // A typed character that a file name cannot hold is dropped; the control characters that
    // Enter, Esc, Tab and the Ctrl keys carry are the keyboard's and pass.
    if (watched == edtName && key->text().size() == 1 && IsDroppedWhenTyped(key->text()[0]))
        return true;
    // The description is one line: Enter is the dialog's OK, not a new line.
    if (watched == memDescription && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        btnOk->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmProperties::btnOkClick()
{
    const QString name = NormaliseCardName(edtName->text());
    edtName->setText(name);
    const bool taken = NameTaken && NameTaken(name);
    const NameVerdict verdict = JudgeCardName(name, FProperties.OldName, FProperties.NewCard, taken);
    if (verdict != NameVerdict::Accepted)
        return RefuseName(RefusalText(verdict, name, FMessages));
    // A name changed only in capitals moves the files too, so that they take the new capitals.
    const bool renamed = !FProperties.NewCard && name != FProperties.OldName;
    QString reason;
    if (renamed && RenameFiles && !RenameFiles(name, reason)) {
        FDialogs.ShowWarning(FMessages.Text(MessageKey::ERROR_WRITING_NODEX), reason);
        return RefuseName({});
    }
    accept();
}

QString TfmProperties::RefusalText(NameVerdict verdict, const QString& name, const MessageTable& messages)
{
    switch (verdict) {
    case NameVerdict::Compilation:
        return messages.Text(MessageKey::NOT_COMPILATION);
    case NameVerdict::NotUnique:
        return messages.Text(MessageKey::UNIQUE_NAME) + " nodex.";
    case NameVerdict::Forbidden:
        return messages.Text(MessageKey::FORBIDDEN_CHARACTER).arg(ShownCharacter(*FirstForbiddenCharacter(name)));
    case NameVerdict::Taken:
        return messages.Text(MessageKey::CANT_HAVE_NAME);
    case NameVerdict::Accepted:
        break;
    }
    return {};
}

void TfmProperties::RefuseName(const QString& message)
{
    if (!message.isEmpty())
        FDialogs.ShowInformation(message);
    edtName->setFocus();
    edtName->selectAll();
}
