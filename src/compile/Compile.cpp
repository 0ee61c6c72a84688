#include "compile/Compile.h"

#include "compile/CompilationBuilder.h"
#include "compile/CompileList.h"
#include "platform/AtomicWrite.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/WaitCursor.h"
#include "platform/WindowPlacement.h"
#include "project/ProjectPaths.h"
#include "settings/MessageTable.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QMenu>
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
    , lbCompile(new TCompileList)
    , btnCreate(new QPushButton(QStringLiteral("&Create")))
    , btnClose(new QPushButton(QStringLiteral("C&lose")))
    , pmnuCompile(new QMenu(this))
    , FDialogs(dialogs)
    , FMessages(messages)
    , gbInclude(new QGroupBox(QStringLiteral(" Include ")))
{
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
    connect(lbCompile, &TCompileList::EntriesChanged, this, &TfmCompile::UpdateCompileCommands);
    connect(lbCompile, &QListWidget::currentRowChanged, this, &TfmCompile::UpdateCompileCommands);
    connect(pmnuDelete, &QAction::triggered, this, [this] {
        delete lbCompile->takeItem(lbCompile->currentRow());
        UpdateCompileCommands();
    });
    connect(pmnuClearAll, &QAction::triggered, this, &TfmCompile::ClearAll);
    connect(btnCreate, &QPushButton::clicked, this, &TfmCompile::btnCreateClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::hide);
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
}

void TfmCompile::ShowCompileWindow()
{
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
        QList<CompileFiles> files;
        if (FilesOf) {
            files = FilesOf(names);
        } else {
            for (const QString& name : names)
                files << CompileFilesOf(ProjectFolder, name);
        }
        CompilationBuilder compilation(cbDescriptions->isChecked(), cbContent->isChecked());
        for (qsizetype i = 0; i < names.size() && !failed; ++i)
            failed = !compilation.Add(names[i], files[i], error);
        // Nothing to compile writes nothing and says nothing.
        if (!failed && !compilation.Bytes().isEmpty()) {
            failed = !WriteFileAtomically(CompilationFilePath(ProjectFolder), compilation.Bytes(), error);
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

void TfmCompile::ReadPosition()
{
    IniFile file(AppFolder + ProjectPaths::SettingsFileName);
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
    IniFile file(AppFolder + ProjectPaths::SettingsFileName);
    QString error;
    if (file.Load(error, IniFile::MaxSettingsBytes)) {
        WriteWindowBounds(file, PositionSection, {false, true, x(), y(), width(), height()});
        if (file.Save(error))
            return;
    }
    qCInfo(lcCompile).noquote() << "The compile window's place is not kept:" << error;
}
