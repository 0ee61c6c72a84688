#include "compile/Compile.h"

#include "compile/CompilationBuilder.h"
#include "compile/CompileList.h"
#include "compile/ExportDialog.h"
#include "compile/ManuscriptExport.h"
#include "compile/ManuscriptLook.h"
#include "compile/ManuscriptPandoc.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/WaitCursor.h"
#include "platform/WindowPlacement.h"
#include "project/CardTexts.h"
#include "messages/MessageTable.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcCompile, "nodex.compile")

namespace {
const QString PositionSection = QStringLiteral("Compilation");

constexpr int WindowWidth = 280;
} // namespace

TfmCompile::TfmCompile(Dialogs& dialogs, const MessageTable& messages, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint)
    , cbDescriptions(new QCheckBox(QStringLiteral("Nodex &Descriptions")))
    , cbContent(new QCheckBox(QStringLiteral("&Content")))
    , lbCompile(new CompileList)
    , btnCreate(new QPushButton(QStringLiteral("&Create")))
    , btnClose(new QPushButton(QStringLiteral("C&lose")))
    , btnExport(new QPushButton)
    , pmnuCompile(new QMenu(this))
    , FDialogs(dialogs)
    , FMessages(messages)
    , gbInclude(new QGroupBox(QStringLiteral(" Include ")))
    , gbManuscript(new QGroupBox)
{
    PandocProgram = FindPandoc();
    setObjectName("fmCompile");
    setWindowTitle(QStringLiteral("Nodex Compilation"));
    setFixedWidth(WindowWidth);
    setMinimumHeight(250);
    cbDescriptions->setObjectName("cbDescriptions");
    cbContent->setObjectName("cbContent");
    cbDescriptions->setChecked(true);
    cbContent->setChecked(true);
    btnCreate->setObjectName("btnCreate");
    btnClose->setObjectName("btnClose");
    btnClose->setShortcut(Qt::Key_Escape);
    gbInclude->setObjectName("gbInclude");
    gbManuscript->setObjectName("gbManuscript");
    btnExport->setObjectName("btnExport");
    ApplyManuscriptCaptions();
    pmnuCompile->setObjectName("pmnuCompile");
    pmnuDelete = pmnuCompile->addAction(QStringLiteral("&Delete"));
    pmnuDelete->setObjectName("pmnuDelete");
    pmnuDelete->setShortcut(Qt::Key_Delete);
    pmnuCompile->addSeparator();
    pmnuClearAll = pmnuCompile->addAction(QStringLiteral("&Clear All"));
    pmnuClearAll->setObjectName("pmnuClearAll");

    auto* include = new QHBoxLayout(gbInclude);
    include->addWidget(cbDescriptions);
    include->addWidget(cbContent);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnCreate);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbInclude);
    layout->addWidget(lbCompile, 1);
    layout->addLayout(buttons);
    auto* manuscript = new QVBoxLayout(gbManuscript);
    manuscript->addWidget(btnExport);
    layout->addWidget(gbManuscript);

    // Either option may be switched off, never both.
    connect(cbDescriptions, &QCheckBox::toggled, this, [this](bool on) {
        if (!on && !cbContent->isChecked())
            cbDescriptions->setChecked(true);
        UpdateCompileCommands();
    });
    connect(cbContent, &QCheckBox::toggled, this, [this](bool on) {
        if (!on && !cbDescriptions->isChecked())
            cbContent->setChecked(true);
        UpdateCompileCommands();
    });
    lbCompile->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lbCompile, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        UpdateCompileCommands();
        pmnuCompile->popup(lbCompile->mapToGlobal(at));
    });
    connect(lbCompile, &CompileList::EntriesChanged, this, &TfmCompile::UpdateCompileCommands);
    connect(lbCompile, &QListWidget::currentRowChanged, this, &TfmCompile::UpdateCompileCommands);
    connect(pmnuDelete, &QAction::triggered, this, [this] {
        delete lbCompile->takeItem(lbCompile->currentRow());
        UpdateCompileCommands();
    });
    connect(pmnuClearAll, &QAction::triggered, this, &TfmCompile::ClearAll);
    connect(btnCreate, &QPushButton::clicked, this, &TfmCompile::btnCreateClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(btnExport, &QPushButton::clicked, this, &TfmCompile::ExportManuscript);
    UpdateCompileCommands();
}

TfmCompile::~TfmCompile()
{
    // The window's place is kept when the program ends, if it was ever shown.
    if (FShown)
        WritePosition();
}

QStringList TfmCompile::Names() const { return lbCompile->Names(); }

void TfmCompile::SetNames(const QStringList& names)
{
    lbCompile->clear();
    lbCompile->addItems(names);
    UpdateCompileCommands();
}

void TfmCompile::Append(const QString& name)
{
    lbCompile->addItem(name);
    UpdateCompileCommands();
}

void TfmCompile::AppendOnce(const QString& name)
{
    if (!Names().contains(name))
        Append(name);
}

void TfmCompile::ClearAll()
{
    lbCompile->clear();
    UpdateCompileCommands();
}

void TfmCompile::RenameEntries(const QString& oldName, const QString& newName)
{
    for (int row = 0; row < lbCompile->count(); ++row)
        if (lbCompile->item(row)->text() == oldName)
            lbCompile->item(row)->setText(newName);
}

void TfmCompile::RemoveFirstEntry(const QString& name)
{
    const int row = int(Names().indexOf(name));
    if (row >= 0)
        delete lbCompile->takeItem(row);
    UpdateCompileCommands();
}

void TfmCompile::UpdateCompileCommands()
{
    const bool hasEntries = lbCompile->count() > 0;
    pmnuDelete->setEnabled(lbCompile->currentRow() >= 0);
    pmnuClearAll->setEnabled(hasEntries);
    btnCreate->setEnabled(hasEntries);
    btnExport->setEnabled(hasEntries);
}

void TfmCompile::ShowCompileWindow()
{
    ApplyManuscriptCaptions();
    UpdateCompileCommands();
    show();
    // Placed once shown, when its frame is known, so that all of it fits on the screen.
    if (!FShown) {
        FShown = true;
        ReadPosition();
    }
    raise();
}

void TfmCompile::btnCreateClick()
{
    const QStringList names = Names();
    if (names.isEmpty())
        return;
    QString error;
    if (CompilationNameFree && !CompilationNameFree(error)) {
        FDialogs.ShowWarning(FMessages.Text(MessageKey::COMPILATION_NOT_OK), error);
        return;
    }
    bool failed = false;
    bool written = false;
    {
        WaitCursor wait;
        const QList<CompileFiles> files = ListedFiles(names);
        CompilationBuilder compilation(cbDescriptions->isChecked(), cbContent->isChecked());
        for (qsizetype i = 0; i < names.size() && !failed; ++i)
            failed = !compilation.Add(names[i], files[i], error);
        // Nothing to compile writes nothing and says nothing.
        if (!failed && !compilation.Bytes().isEmpty()) {
            // The compilation is the text of the card "Compilation": what it replaces is kept
            // in that card's history like any other card's text.
            const CardTexts texts(ProjectFolder);
            QString historyProblem;
            failed = !texts.Write(texts.Of(CompilationCardName), compilation.Bytes(), error, historyProblem);
            written = !failed;
        }
    }
    if (failed) {
        FDialogs.ShowWarning(FMessages.Text(MessageKey::COMPILATION_NOT_OK), error);
        return;
    }
    if (!written)
        return;
    if (EnsureCompilationCard)
        EnsureCompilationCard();
    FDialogs.ShowInformation(FMessages.Text(MessageKey::COMPILATION_OK));
}

QList<CompileFiles> TfmCompile::ListedFiles(const QStringList& names) const
{
    if (FilesOf)
        return FilesOf(names);
    QList<CompileFiles> files;
    for (const QString& name : names)
        files << CompileFilesOf(ProjectFolder, name);
    return files;
}

void TfmCompile::ExportManuscript()
{
    const QStringList names = Names();
    if (names.isEmpty())
        return;
    ManuscriptSettings settings = ReadManuscriptSettings();
    {
        ExportDialog dialog(settings, !PandocProgram.isEmpty(), FMessages, this);
        if (!FDialogs.RunModal(dialog))
            return;
        settings = dialog.Settings();
    }
    // What the writer typed is kept even when no file is chosen after all: the contact block
    // is not typed twice.
    WriteManuscriptSettings(settings);
    const std::optional<ExportTarget> target = AskExportTarget(settings);
    if (!target)
        return;
    settings.Format = target->Format;
    // An export into the project's own folder follows the project when it moves.
    const QString folder = QFileInfo(target->Path).absolutePath();
    settings.Folder = QDir::cleanPath(folder) == QDir::cleanPath(ProjectFolder) ? QString() : folder;
    WriteManuscriptSettings(settings);

    ManuscriptExport job;
    job.Names = names;
    job.Files = ListedFiles(names);
    job.Options.Descriptions = cbDescriptions->isChecked();
    job.Options.Content = cbContent->isChecked();
    settings.ApplyTo(job.Options);
    job.Options.Title = ProjectName;
    job.Options.WordsText = FMessages.Text(MessageKey::MANUSCRIPT_WORDS);
    job.Target = *target;
    job.Pandoc = PandocProgram;

    QString error;
    WriteOutcome outcome;
    {
        WaitCursor wait;
        QProgressDialog progress(FMessages.Text(MessageKey::EXPORT_PROGRESS),
            FMessages.Text(MessageKey::EXPORT_CANCEL), 0, 1000, this);
        // While the export waits for pandoc the event loop runs: no other window may start a
        // second export or close the project meanwhile.
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setMinimumDuration(0);
        progress.setAutoReset(false);
        outcome = ::ExportManuscript(
            job,
            [&progress](int permille) {
                if (permille != progress.value())
                    progress.setValue(permille);
                return !progress.wasCanceled();
            },
            error);
    }
    if (outcome == WriteOutcome::Failed)
        FDialogs.ShowWarning(FMessages.Text(MessageKey::EXPORT_NOT_OK), error);
    else if (outcome == WriteOutcome::Written)
        FDialogs.ShowInformation(FMessages.Text(MessageKey::EXPORT_OK));
}

std::optional<ExportTarget> TfmCompile::AskExportTarget(const ManuscriptSettings& settings)
{
    const bool pandoc = !PandocProgram.isEmpty();
    QStringList filters;
    QList<ManuscriptFormat> offered;
    for (const ManuscriptFormat format : ManuscriptFormats()) {
        if (NeedsPandoc(format) && !pandoc)
            continue;
        offered << format;
        filters << FilterOf(format, FMessages.Text(NameKeyOf(format)));
    }
    QString title = FMessages.Text(MessageKey::EXPORT_TITLE);
    // The dialog says why two types are missing.
    if (!pandoc)
        title += QStringLiteral(" (%1)").arg(FMessages.Text(MessageKey::EXPORT_NO_PANDOC));
    QString chosenFilter = filters.value(offered.indexOf(settings.Format));
    // A folder since removed or renamed gives way to the project's own.
    const QString folder = !settings.Folder.isEmpty() && QFileInfo(settings.Folder).isDir()
        ? settings.Folder
        : ProjectFolder;
    const QString typed = FDialogs.AskSaveFileOfType(title, folder, filters, chosenFilter);
    if (typed.isEmpty())
        return std::nullopt;
    const qsizetype chosen = filters.indexOf(chosenFilter);
    const ExportTarget target = ResolveExportTarget(typed, offered.value(chosen < 0 ? 0 : chosen));
    if (NeedsPandoc(target.Format) && !pandoc) {
        FDialogs.ShowWarning(FMessages.Text(MessageKey::EXPORT_NOT_OK),
            FMessages.Text(MessageKey::EXPORT_NEEDS_PANDOC));
        return std::nullopt;
    }
    if (QFileInfo::exists(target.Path)
        && !FDialogs.AskOkCancel("'" + QFileInfo(target.Path).fileName() + "' "
            + FMessages.Text(MessageKey::EXPORT_REPLACE)))
        return std::nullopt;
    return target;
}

ManuscriptSettings TfmCompile::ReadManuscriptSettings() const
{
    IniFile file(SettingsFile);
    QString error;
    if (!file.Load(error, IniFile::MaxSettingsBytes))
        qCInfo(lcCompile).noquote() << "The manuscript options are not read:" << error;
    return ManuscriptSettings::Read(
        file, ProjectFolder, ProjectFileName, ManuscriptLook::DefaultPaper());
}

void TfmCompile::WriteManuscriptSettings(const ManuscriptSettings& settings) const
{
    IniFile file(SettingsFile);
    QString error;
    if (file.Load(error, IniFile::MaxSettingsBytes)) {
        settings.Write(file, ProjectFolder, ProjectFileName);
        if (file.Save(error))
            return;
    }
    qCInfo(lcCompile).noquote() << "The manuscript options are not kept:" << error;
}

void TfmCompile::ApplyManuscriptCaptions()
{
    gbManuscript->setTitle(FMessages.Text(MessageKey::EXPORT_TITLE));
    btnExport->setText(FMessages.Text(MessageKey::EXPORT_MANUSCRIPT));
}

void TfmCompile::ReadPosition()
{
    IniFile file(SettingsFile);
    QString error;
    file.Load(error, IniFile::MaxSettingsBytes);
    // Stored bounds may come from another screen or a damaged file: they are fitted to this one.
    WindowPlacement placement = ReadWindowBounds(file, PositionSection, {false, true, 20, 300, WindowWidth, 400});
    // The window's width is its own.
    placement.Width = WindowWidth;
    PlaceWindow(*this, placement);
}

void TfmCompile::WritePosition()
{
    IniFile file(SettingsFile);
    QString error;
    if (file.Load(error, IniFile::MaxSettingsBytes)) {
        WriteWindowBounds(file, PositionSection, {false, true, x(), y(), width(), height()});
        if (file.Save(error))
            return;
    }
    qCInfo(lcCompile).noquote() << "The compile window's place is not kept:" << error;
}
