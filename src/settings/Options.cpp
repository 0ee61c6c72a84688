#include "settings/Options.h"

#include "platform/NativeName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QString IniExtension = QStringLiteral(".ini");
constexpr int TargetDigits = 7;

/// The name a list shows for a file name: up to its first ".ini".
QString ListName(const QString& fileName)
{
    const qsizetype ini = fileName.indexOf(IniExtension);
    return ini < 0 ? fileName : fileName.left(ini);
}

template <typename T>
T* Named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

/// Selects the entry of that text; a value not in the list leaves it without a selection.
void SelectText(QComboBox* list, const QString& text) { list->setCurrentIndex(list->findText(text)); }

int SelectedNumber(const QComboBox* list, int fallback)
{
    bool ok = false;
    const int value = list->currentText().toInt(&ok);
    return list->currentIndex() >= 0 && ok ? value : fallback;
}
} // namespace

TfmOptions::TfmOptions(QString appFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , pcOptions(Named(new QTabWidget, "pcOptions"))
    , cmbLanguage(Named(new QComboBox, "cmbLanguage"))
    , cmbDefaultTheme(Named(new QComboBox, "cmbDefaultTheme"))
    , cbSelectNextLink(Named(new QCheckBox(QStringLiteral("&Select Next Nodex When Linking")), "cbSelectNextLink"))
    , cbHints(Named(new QCheckBox(QStringLiteral("Show Nodex Descriptions As &Hints")), "cbHints"))
    , rbAll(Named(new QRadioButton(QStringLiteral("&Remember All")), "rbAll"))
    , rbSingle(Named(new QRadioButton(QStringLiteral("&Single")), "rbSingle"))
    , rbNone(Named(new QRadioButton(QStringLiteral("&None")), "rbNone"))
    , cbEditorsOnTop(Named(new QCheckBox(QStringLiteral("&Keep Edit Windows On Top")), "cbEditorsOnTop"))
    , cmbFontName(Named(new QComboBox, "cmbFontName"))
    , cmbFontSize(Named(new QComboBox, "cmbFontSize"))
    , cbAutoSave(Named(new QCheckBox(QStringLiteral("Auto &Save Edits every")), "cbAutoSave"))
    , cmbInterval(Named(new QComboBox, "cmbInterval"))
    , rbNormal(Named(new QRadioButton(QStringLiteral("&Screen Size")), "rbNormal"))
    , rbDouble(Named(new QRadioButton(QStringLiteral("&Double")), "rbDouble"))
    , rbQuad(Named(new QRadioButton(QStringLiteral("&Quadruple")), "rbQuad"))
    , cbBoldBaseType(Named(new QCheckBox(QStringLiteral("&Bold Main Nodex Type ")), "cbBoldBaseType"))
    , cmbThemes(Named(new QComboBox, "cmbThemes"))
    , edtTargetWordCount(Named(new QLineEdit, "edtTargetWordCount"))
    , btnOK(Named(new QPushButton(QStringLiteral("&OK")), "btnOK"))
    , btnCancel(Named(new QPushButton(QStringLiteral("&Cancel")), "btnCancel"))
    , FAppFolder(std::move(appFolder))
{
    setObjectName("fmOptions");
    setWindowTitle(QStringLiteral("Nodex Options"));
    tsApplication = BuildApplicationPage();
    tsEditor = BuildEditorPage();
    tsProject = BuildProjectPage();
    pcOptions->addTab(tsApplication, QStringLiteral("Application"));
    pcOptions->addTab(tsEditor, QStringLiteral("Editor"));
    pcOptions->addTab(tsProject, QStringLiteral("Project"));

    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcOptions);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TfmOptions::BuildApplicationPage()
{
    auto* page = Named(new QWidget, "tsApplication");
    auto* language = Named(new QGroupBox(QStringLiteral(" Language ")), "gbLanguage");
    (new QVBoxLayout(language))->addWidget(cmbLanguage);
    cmbLanguage->setMaxVisibleItems(10);
    auto* theme = Named(new QGroupBox(QStringLiteral(" Default Theme ")), "gbDefaultTheme");
    (new QVBoxLayout(theme))->addWidget(cmbDefaultTheme);
    auto* workspace = Named(new QGroupBox(QStringLiteral(" Workspace ")), "gbWorkspace");
    auto* checks = new QVBoxLayout(workspace);
    checks->addWidget(cbSelectNextLink);
    checks->addWidget(cbHints);
    auto* layout = new QVBoxLayout(page);
    for (QWidget* box : {static_cast<QWidget*>(language), static_cast<QWidget*>(theme), static_cast<QWidget*>(workspace)})
        layout->addWidget(box);
    return page;
}

QWidget* TfmOptions::BuildEditorPage()
{
    auto* page = Named(new QWidget, "tsEditor");
    auto* positioning = Named(new QGroupBox(QStringLiteral(" Window Positioning ")), "gbEditPositioning");
    auto* radios = new QVBoxLayout(positioning);
    for (QWidget* control : {static_cast<QWidget*>(rbAll), static_cast<QWidget*>(rbSingle), static_cast<QWidget*>(rbNone),
                             static_cast<QWidget*>(cbEditorsOnTop)})
        radios->addWidget(control);

    auto* font = Named(new QGroupBox(QStringLiteral(" Font && Size ")), "gbFont");
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end());
    cmbFontName->addItems(families);
    cmbFontName->setMaxVisibleItems(5);
    for (int size = 9; size <= 20; ++size)
        cmbFontSize->addItem(QString::number(size));
    auto* fontRow = new QHBoxLayout(font);
    fontRow->addWidget(cmbFontName, 1);
    fontRow->addWidget(cmbFontSize);

    auto* autoSave = Named(new QGroupBox(QStringLiteral(" Auto-Save ")), "gbAutoSave");
    for (const char* minutes : {"5", "10", "15", "20", "30"})
        cmbInterval->addItem(QString::fromLatin1(minutes));
    auto* saveRow = new QHBoxLayout(autoSave);
    saveRow->addWidget(cbAutoSave);
    saveRow->addWidget(cmbInterval);
    saveRow->addWidget(Named(new QLabel(QStringLiteral("mins.")), "lblInterval"));
    connect(cbAutoSave, &QCheckBox::toggled, cmbInterval, &QWidget::setEnabled);

    auto* layout = new QVBoxLayout(page);
    for (QWidget* box : {static_cast<QWidget*>(positioning), static_cast<QWidget*>(font), static_cast<QWidget*>(autoSave)})
        layout->addWidget(box);
    return page;
}

QWidget* TfmOptions::BuildProjectPage()
{
    auto* page = Named(new QWidget, "tsProject");
    auto* workspace = Named(new QGroupBox(QStringLiteral(" Workspace ")), "gbProjectWorkspace");
    auto* radios = new QVBoxLayout(workspace);
    for (QWidget* control : {static_cast<QWidget*>(rbNormal), static_cast<QWidget*>(rbDouble), static_cast<QWidget*>(rbQuad),
                             static_cast<QWidget*>(cbBoldBaseType)})
        radios->addWidget(control);
    auto* theme = Named(new QGroupBox(QStringLiteral(" Project &Theme ")), "gbProjectTheme");
    (new QVBoxLayout(theme))->addWidget(cmbThemes);
    auto* size = Named(new QGroupBox(QStringLiteral(" Project Size ")), "gbProjectSize");
    auto* target = Named(new QLabel(QStringLiteral("Target Word Count:")), "lblTargetWordCount");
    target->setBuddy(edtTargetWordCount);
    edtTargetWordCount->setMaxLength(TargetDigits);
    edtTargetWordCount->installEventFilter(this);
    auto* sizeRow = new QHBoxLayout(size);
    sizeRow->addWidget(target);
    sizeRow->addWidget(edtTargetWordCount);
    auto* layout = new QVBoxLayout(page);
    for (QWidget* box : {static_cast<QWidget*>(workspace), static_cast<QWidget*>(theme), static_cast<QWidget*>(size)})
        layout->addWidget(box);
    return page;
}

void TfmOptions::SetValues(const OptionValues& values)
{
    FValues = values;
    cbSelectNextLink->setChecked(values.SelectNextLink);
    cbEditorsOnTop->setChecked(values.EditorsOnTop);
    cbBoldBaseType->setChecked(values.BoldBaseType);
    cbAutoSave->setChecked(values.AutoSave);
    edtTargetWordCount->setText(QString::number(values.TargetWordCount));
}

OptionValues TfmOptions::Values() const
{
    OptionValues values = FValues;
    values.SelectNextLink = cbSelectNextLink->isChecked();
    values.EditorsOnTop = cbEditorsOnTop->isChecked();
    values.BoldBaseType = cbBoldBaseType->isChecked();
    values.AutoSave = cbAutoSave->isChecked();
    // Only pasting can bring anything but digits here: that is no number, so none.
    bool ok = false;
    const int target = edtTargetWordCount->text().toInt(&ok);
    values.TargetWordCount = ok && target >= 0 ? target : 0;
    return values;
}

void TfmOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    move(screen.width() / 2 - width() / 2, screen.height() / 2 - height() / 2 - 30);
    (FValues.WorkspaceSize == 1 ? rbDouble : FValues.WorkspaceSize == 2 ? rbQuad : rbNormal)->setChecked(true);
    (FValues.EditMemory == 1 ? rbSingle : FValues.EditMemory == 2 ? rbNone : rbAll)->setChecked(true);
    SelectText(cmbFontName, FValues.FontName);
    SelectText(cmbFontSize, QString::number(FValues.FontSize));
    SelectText(cmbInterval, QString::number(FValues.AutoSaveInterval));
    cmbInterval->setEnabled(cbAutoSave->isChecked());
    FillNameList(cmbLanguage, FAppFolder + "Languages/", FValues.LanguageFile);
    FillNameList(cmbDefaultTheme, FAppFolder + "Themes/", FValues.DefaultTheme);
    FillNameList(cmbThemes, FAppFolder + "Themes/", FValues.ProjectTheme);
    cbHints->setChecked(FValues.Hints);
}

void TfmOptions::FillNameList(QComboBox* list, const QString& folder, const QString& current)
{
    QStringList names;
    for (const QString& fileName : RegularFileNames(folder)) {
        // Only names a settings file can hold and find again: readable, ending in ".ini".
        if (fileName.endsWith(IniExtension, Qt::CaseInsensitive) && !HoldsRawBytes(fileName))
            names << ListName(fileName);
    }
    names.removeDuplicates();
    names.sort();
    list->clear();
    list->addItems(names);
    list->setEnabled(!names.isEmpty());
    SelectText(list, ListName(current));
}

void TfmOptions::done(int result)
{
    FValues.WorkspaceSize = rbDouble->isChecked() ? 1 : rbQuad->isChecked() ? 2 : 0;
    FValues.EditMemory = rbSingle->isChecked() ? 1 : rbNone->isChecked() ? 2 : 0;
    const auto take = [](const QComboBox* list, QString& field) {
        if (list->currentIndex() >= 0)
            field = list->currentText() + IniExtension;
    };
    take(cmbLanguage, FValues.LanguageFile);
    take(cmbDefaultTheme, FValues.DefaultTheme);
    take(cmbThemes, FValues.ProjectTheme);
    FValues.Hints = cbHints->isChecked();
    FValues.FontName = cmbFontName->currentIndex() >= 0 ? cmbFontName->currentText() : QString();
    FValues.FontSize = SelectedNumber(cmbFontSize, 11);
    FValues.AutoSaveInterval = SelectedNumber(cmbInterval, 15);
    QDialog::done(result);
}

bool TfmOptions::eventFilter(QObject* watched, QEvent* event)
{
    // Only digits are typed into the target; the keys of the keyboard (Backspace, Enter, Esc,
    // Tab, Ctrl+V) pass, and their control characters are no text.
    if (watched == edtTargetWordCount && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F && !(text[0] >= '0' && text[0] <= '9'))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
