#include "compile/ExportDialog.h"

#include "messages/MessageTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {
/// A label for a control of a form row, its access key leading to the control.
QLabel* LabelFor(QWidget* control, const QString& caption)
{
    auto* label = new QLabel(caption);
    label->setBuddy(control);
    return label;
}

/// Lines a few lines high: room for an address without a scroll bar.
constexpr int AddressLines = 4;
} // namespace

ExportDialog::ExportDialog(
    const ManuscriptSettings& settings, bool pandoc, const MessageTable& messages, QWidget* parent)
    : QDialog(parent)
    , cmbFormat(new QComboBox)
    , lblNoPandoc(new QLabel)
    , cbTitlesOnly(new QCheckBox(messages.Text(MessageKey::EXPORT_TITLES_ONLY)))
    , cbStandardManuscript(new QCheckBox(messages.Text(MessageKey::STANDARD_MANUSCRIPT)))
    , cbSceneTitles(new QCheckBox(messages.Text(MessageKey::EXPORT_SCENE_TITLES)))
    , cbCurlyQuotes(new QCheckBox(messages.Text(MessageKey::EXPORT_CURLY_QUOTES)))
    , cmbFont(new QComboBox)
    , cmbPaper(new QComboBox)
    , edtAuthor(new QLineEdit(settings.Author))
    , edtName(new QLineEdit(settings.Contact.Name))
    , memAddress(new QPlainTextEdit)
    , edtEmail(new QLineEdit(settings.Contact.Email))
    , edtPhone(new QLineEdit(settings.Contact.Phone))
    , FFolder(settings.Folder)
{
    setObjectName("fmExportManuscript");
    setWindowTitle(messages.Text(MessageKey::EXPORT_TITLE));
    cmbFormat->setObjectName("cmbFormat");
    lblNoPandoc->setObjectName("lblNoPandoc");
    cbTitlesOnly->setObjectName("cbTitlesOnly");
    cbStandardManuscript->setObjectName("cbStandardManuscript");
    cbSceneTitles->setObjectName("cbSceneTitles");
    cbCurlyQuotes->setObjectName("cbCurlyQuotes");
    cmbFont->setObjectName("cmbFont");
    cmbPaper->setObjectName("cmbPaper");
    edtAuthor->setObjectName("edtAuthor");
    edtName->setObjectName("edtName");
    memAddress->setObjectName("memAddress");
    edtEmail->setObjectName("edtEmail");
    edtPhone->setObjectName("edtPhone");

    // Without pandoc its types stay in the list, marked, so the writer learns why they are
    // missing; a type remembered from a machine that had it gives way to the first one.
    auto* formats = qobject_cast<QStandardItemModel*>(cmbFormat->model());
    for (const ManuscriptFormat format : ManuscriptFormats()) {
        const QString name = messages.Text(NameKeyOf(format));
        const bool offered = pandoc || !NeedsPandoc(format);
        cmbFormat->addItem(
            offered ? name : messages.Text(MessageKey::EXPORT_NEEDS_PANDOC_ITEM).arg(name),
            int(format));
        if (!offered)
            formats->item(cmbFormat->count() - 1)->setEnabled(false);
        else if (format == settings.Format)
            cmbFormat->setCurrentIndex(cmbFormat->count() - 1);
    }
    lblNoPandoc->setText(messages.Text(MessageKey::EXPORT_NO_PANDOC) + u'.');
    lblNoPandoc->setWordWrap(true);
    lblNoPandoc->setVisible(!pandoc);

    cbTitlesOnly->setChecked(settings.TitlesOnly);
    cbStandardManuscript->setChecked(settings.StandardManuscript);
    cbSceneTitles->setChecked(settings.SceneTitles);
    cbCurlyQuotes->setChecked(settings.CurlyQuotes);
    cmbFont->addItem(
        messages.Text(MessageKey::EXPORT_FONT_TIMES), int(ManuscriptFont::TimesNewRoman));
    cmbFont->addItem(
        messages.Text(MessageKey::EXPORT_FONT_COURIER), int(ManuscriptFont::CourierNew));
    cmbFont->setCurrentIndex(cmbFont->findData(int(settings.Font)));
    cmbPaper->addItem(messages.Text(MessageKey::EXPORT_PAPER_LETTER), int(ManuscriptPaper::Letter));
    cmbPaper->addItem(messages.Text(MessageKey::EXPORT_PAPER_A4), int(ManuscriptPaper::A4));
    cmbPaper->setCurrentIndex(cmbPaper->findData(int(settings.Paper)));
    memAddress->setPlainText(settings.Contact.Address);
    // Tab moves on, as in every other field of the dialog; Enter starts the address's next line.
    memAddress->setTabChangesFocus(true);
    memAddress->setFixedHeight(memAddress->fontMetrics().lineSpacing() * AddressLines
        + 2 * memAddress->frameWidth() + int(memAddress->document()->documentMargin() * 2));

    auto* format = new QFormLayout;
    format->addRow(LabelFor(cmbFormat, messages.Text(MessageKey::EXPORT_FORMAT)), cmbFormat);
    format->addRow(lblNoPandoc);

    auto* include = new QGroupBox(messages.Text(MessageKey::EXPORT_INCLUDE));
    include->setObjectName("gbInclude");
    auto* includeLayout = new QVBoxLayout(include);
    includeLayout->addWidget(cbTitlesOnly);

    auto* form = new QGroupBox(messages.Text(MessageKey::EXPORT_FORM));
    form->setObjectName("gbForm");
    auto* formLayout = new QFormLayout(form);
    formLayout->addRow(cbStandardManuscript);
    // Scene titles stand under the standard form they belong to.
    auto* sceneTitles = new QVBoxLayout;
    sceneTitles->setContentsMargins(style()->pixelMetric(QStyle::PM_IndicatorWidth)
            + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing),
        0, 0, 0);
    sceneTitles->addWidget(cbSceneTitles);
    formLayout->addRow(sceneTitles);
    formLayout->addRow(cbCurlyQuotes);
    formLayout->addRow(LabelFor(cmbFont, messages.Text(MessageKey::EXPORT_FONT)), cmbFont);
    formLayout->addRow(LabelFor(cmbPaper, messages.Text(MessageKey::EXPORT_PAPER)), cmbPaper);

    auto* titlePage = new QGroupBox(messages.Text(MessageKey::EXPORT_TITLE_PAGE));
    titlePage->setObjectName("gbTitlePage");
    auto* titleLayout = new QFormLayout(titlePage);
    titleLayout->addRow(
        LabelFor(edtAuthor, messages.Text(MessageKey::MANUSCRIPT_AUTHOR)), edtAuthor);
    titleLayout->addRow(LabelFor(edtName, messages.Text(MessageKey::EXPORT_CONTACT_NAME)), edtName);
    titleLayout->addRow(
        LabelFor(memAddress, messages.Text(MessageKey::EXPORT_CONTACT_ADDRESS)), memAddress);
    titleLayout->addRow(
        LabelFor(edtEmail, messages.Text(MessageKey::EXPORT_CONTACT_EMAIL)), edtEmail);
    titleLayout->addRow(
        LabelFor(edtPhone, messages.Text(MessageKey::EXPORT_CONTACT_PHONE)), edtPhone);

    auto* buttons = new QDialogButtonBox;
    btnOK = buttons->addButton(messages.Text(MessageKey::EXPORT_GO), QDialogButtonBox::AcceptRole);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    btnCancel = buttons->addButton(
        messages.Text(MessageKey::EXPORT_CANCEL), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(format);
    layout->addWidget(include);
    layout->addWidget(form);
    layout->addWidget(titlePage);
    layout->addWidget(buttons);

    // Top to bottom, whatever order the controls were made in.
    const QList<QWidget*> order { cmbFormat, cbTitlesOnly, cbStandardManuscript, cbSceneTitles,
        cbCurlyQuotes, cmbFont, cmbPaper, edtAuthor, edtName, memAddress, edtEmail, edtPhone, btnOK,
        btnCancel };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    cmbFormat->setFocus();

    connect(cbStandardManuscript, &QCheckBox::toggled, this, &ExportDialog::UpdateStandardOptions);
    UpdateStandardOptions();
}

void ExportDialog::UpdateStandardOptions()
{
    cbSceneTitles->setEnabled(cbStandardManuscript->isChecked());
    cmbFont->setEnabled(cbStandardManuscript->isChecked());
}

ManuscriptSettings ExportDialog::Settings() const
{
    ManuscriptSettings settings;
    settings.Format = ManuscriptFormat(cmbFormat->currentData().toInt());
    settings.Folder = FFolder;
    settings.TitlesOnly = cbTitlesOnly->isChecked();
    settings.StandardManuscript = cbStandardManuscript->isChecked();
    settings.SceneTitles = cbSceneTitles->isChecked();
    settings.CurlyQuotes = cbCurlyQuotes->isChecked();
    settings.Font = ManuscriptFont(cmbFont->currentData().toInt());
    settings.Paper = ManuscriptPaper(cmbPaper->currentData().toInt());
    settings.Author = edtAuthor->text();
    settings.Contact.Name = edtName->text();
    // Line by line: the text keeps what was typed (a no-break space stays one).
    QStringList address;
    for (QTextBlock line = memAddress->document()->begin(); line.isValid(); line = line.next())
        address << line.text().replace(QChar::LineSeparator, u'\n');
    settings.Contact.Address = address.join(u'\n');
    settings.Contact.Email = edtEmail->text();
    settings.Contact.Phone = edtPhone->text();
    return settings;
}
