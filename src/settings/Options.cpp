#include "settings/Options.h"

#include "platform/NativeName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QString IniExtension = QStringLiteral(".ini");
constexpr int TargetDigits = 7;
/// The most words a daily or session target may ask: as many as the project target can hold.
constexpr int MostTargetWords = 9'999'999;

/// The name a list shows for a file name: up to its first ".ini".
/// A theme or language as its list shows it: the file name without its ".ini", in any case.
QString ListName(const QString& fileName)
{
    return fileName.endsWith(IniExtension, Qt::CaseInsensitive)
        ? fileName.chopped(IniExtension.size())
        : fileName;
}

template <typename T>
T* Named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

/// A group box holding controls in a row or a column.
template <typename Layout>
QGroupBox* Box(const char* name, const char* caption, std::initializer_list<QWidget*> controls)
{
    auto* box = Named(new QGroupBox(QString::fromLatin1(caption)), name);
    auto* layout = new Layout(box);
    for (QWidget* control : controls)
        layout->addWidget(control);
    return box;
}

/// A page of group boxes, one below the other.
QWidget* Page(const char* name, std::initializer_list<QWidget*> boxes)
{
    auto* page = Named(new QWidget, name);
    auto* layout = new QVBoxLayout(page);
    for (QWidget* box : boxes)
        layout->addWidget(box);
    return page;
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
    , edtKeepBackups(Named(new QSpinBox, "edtKeepBackups"))
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
    , edtDailyTarget(Named(new QSpinBox, "edtDailyTarget"))
    , edtSessionTarget(Named(new QSpinBox, "edtSessionTarget"))
    , cbDeadline(Named(new QCheckBox(QStringLiteral("Dead&line:")), "cbDeadline"))
    , dtpDeadline(Named(new QDateEdit, "dtpDeadline"))
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
    cmbLanguage->setMaxVisibleItems(10);
    auto* keep = Named(new QLabel(QStringLiteral("&Keep for each project (0: none):")), "lblKeepBackups");
    keep->setBuddy(edtKeepBackups);
    edtKeepBackups->setRange(0, MostAutomaticBackups);
    return Page("tsApplication", {Box<QVBoxLayout>("gbLanguage", " Language ", {cmbLanguage}),
                                  Box<QVBoxLayout>("gbDefaultTheme", " Default Theme ", {cmbDefaultTheme}),
                                  Box<QVBoxLayout>("gbWorkspace", " Workspace ", {cbSelectNextLink, cbHints}),
                                  Box<QHBoxLayout>("gbBackups", " Automatic Backups ", {keep, edtKeepBackups})});
}

QWidget* TfmOptions::BuildEditorPage()
{
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end());
    cmbFontName->addItems(families);
    cmbFontName->setMaxVisibleItems(5);
    cmbFontName->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (int size = 9; size <= 20; ++size)
        cmbFontSize->addItem(QString::number(size));
    for (const char* minutes : {"5", "10", "15", "20", "30"})
        cmbInterval->addItem(QString::fromLatin1(minutes));
    connect(cbAutoSave, &QCheckBox::toggled, cmbInterval, &QWidget::setEnabled);
    auto* interval = Named(new QLabel(QStringLiteral("mins.")), "lblInterval");
    return Page("tsEditor",
                {Box<QVBoxLayout>("gbEditPositioning", " Window Positioning ", {rbAll, rbSingle, rbNone, cbEditorsOnTop}),
                 Box<QHBoxLayout>("gbFont", " Font && Size ", {cmbFontName, cmbFontSize}),
                 Box<QHBoxLayout>("gbAutoSave", " Auto-Save ", {cbAutoSave, cmbInterval, interval})});
}

QWidget* TfmOptions::BuildProjectPage()
{
    auto* target = Named(new QLabel(QStringLiteral("Target Word Count:")), "lblTargetWordCount");
    target->setBuddy(edtTargetWordCount);
    edtTargetWordCount->setMaxLength(TargetDigits);
    edtTargetWordCount->installEventFilter(this);
    return Page("tsProject",
                {Box<QVBoxLayout>("gbProjectWorkspace", " Workspace ", {rbNormal, rbDouble, rbQuad, cbBoldBaseType}),
                 Box<QVBoxLayout>("gbProjectTheme", " Project &Theme ", {cmbThemes}),
                 Box<QHBoxLayout>("gbProjectSize", " Project Size ", {target, edtTargetWordCount}),
                 BuildGoalsBox()});
}

QGroupBox* TfmOptions::BuildGoalsBox()
{
    auto* box = Named(new QGroupBox(QStringLiteral(" Goals ")), "gbGoals");
    auto* daily = Named(new QLabel(QStringLiteral("D&aily target (0: none):")), "lblDailyTarget");
    auto* session = Named(new QLabel(QStringLiteral("S&ession target (0: none):")), "lblSessionTarget");
    daily->setBuddy(edtDailyTarget);
    session->setBuddy(edtSessionTarget);
    for (QSpinBox* words : {edtDailyTarget, edtSessionTarget})
        words->setRange(0, MostTargetWords);
    dtpDeadline->setCalendarPopup(true);
    dtpDeadline->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    connect(cbDeadline, &QCheckBox::toggled, dtpDeadline, &QWidget::setEnabled);
    auto* layout = new QGridLayout(box);
    layout->addWidget(daily, 0, 0);
    layout->addWidget(edtDailyTarget, 0, 1);
    layout->addWidget(session, 1, 0);
    layout->addWidget(edtSessionTarget, 1, 1);
    layout->addWidget(cbDeadline, 2, 0);
    layout->addWidget(dtpDeadline, 2, 1);
    return box;
}

void TfmOptions::SetValues(const OptionValues& values)
{
    FValues = values;
    cbSelectNextLink->setChecked(values.SelectNextLink);
    cbEditorsOnTop->setChecked(values.EditorsOnTop);
    cbBoldBaseType->setChecked(values.BoldBaseType);
    cbAutoSave->setChecked(values.AutoSave);
    edtKeepBackups->setValue(values.AutomaticBackups);
    edtTargetWordCount->setText(QString::number(values.TargetWordCount));
    edtDailyTarget->setValue(values.DailyTarget);
    edtSessionTarget->setValue(values.SessionTarget);
    // Without a deadline the date offers a month from today, the likeliest first choice.
    cbDeadline->setChecked(values.Deadline.isValid());
    dtpDeadline->setDate(values.Deadline.isValid() ? values.Deadline : QDate::currentDate().addMonths(1));
    dtpDeadline->setEnabled(values.Deadline.isValid());
}

OptionValues TfmOptions::Values() const
{
    OptionValues values = FValues;
    values.SelectNextLink = cbSelectNextLink->isChecked();
    values.EditorsOnTop = cbEditorsOnTop->isChecked();
    values.BoldBaseType = cbBoldBaseType->isChecked();
    values.AutoSave = cbAutoSave->isChecked();
    values.AutomaticBackups = edtKeepBackups->value();
    // Only pasting can bring anything but digits here: that is no number, so none.
    bool ok = false;
    const int target = edtTargetWordCount->text().toInt(&ok);
    values.TargetWordCount = ok && target >= 0 ? target : 0;
    values.DailyTarget = edtDailyTarget->value();
    values.SessionTarget = edtSessionTarget->value();
    values.Deadline = cbDeadline->isChecked() ? dtpDeadline->date() : QDate();
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
    // Each name shown keeps its file's own name, "Dusk.INI" as well as "Dusk.ini", which is what
    // the settings hold: the folder is read as it is spelt.
    QMap<QString, QString> files;
    for (const QString& fileName : RegularFileNames(folder)) {
        // Only names a settings file can hold and find again: readable, ending in ".ini".
        if (fileName.endsWith(IniExtension, Qt::CaseInsensitive) && !HoldsRawBytes(fileName)
            && !files.contains(ListName(fileName)))
            files.insert(ListName(fileName), fileName);
    }
    list->clear();
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        list->addItem(file.key(), file.value());
    list->setEnabled(!files.isEmpty());
    SelectText(list, ListName(current));
}

void TfmOptions::done(int result)
{
    FValues.WorkspaceSize = rbDouble->isChecked() ? 1 : rbQuad->isChecked() ? 2 : 0;
    FValues.EditMemory = rbSingle->isChecked() ? 1 : rbNone->isChecked() ? 2 : 0;
    const auto take = [](const QComboBox* list, QString& field) {
        if (list->currentIndex() >= 0)
            field = list->currentData().toString();
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
