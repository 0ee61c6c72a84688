#include "messages/LanguageFile.h"

#include "platform/IniFile.h"
#include "messages/ReasonTexts.h"
#include "messages/MessageTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>

#include <algorithm>

namespace {
using F = CaptionForm;

// In the order a language file is read: sections in this order, keys in each as listed.
const QList<LanguageKey> Keys = {
    {"Options", "TL00", F::AsRead, "Nodex Options", "fmOptions:"},
    {"Buttons", "BN00", F::AsRead, "&OK", "fmOptions:btnOK fmProperties:btnOk"},
    {"Buttons", "BN01", F::AsRead, "&Cancel", "fmOptions:btnCancel fmProperties:btnCancel"},
    {"Project.Main", "MM00", F::AsRead, "&File", "fmMain:mmnuFile"},
    {"Project.Main", "MM01", F::AsRead, "&Tools", "fmMain:mmnuTools"},
    {"Project.Main", "MM02", F::AsRead, "&Help", "fmMain:mmnuHelp"},
    {"Project.File", "MN00", F::AsRead, "&New...", "fmMain:mnuNewProject"},
    {"Project.File", "MN01", F::AsRead, "&Open...", "fmMain:mnuOpenProject"},
    {"Project.File", "MN02", F::AsRead, "&Save", "fmMain:mnuSaveProject"},
    {"Project.File", "MN03", F::AsRead, "Save &As...", "fmMain:mnuSaveProjectAs"},
    {"Project.File", "MN04", F::AsRead, "&Backup Project", "fmMain:mnuBackupProject"},
    {"Project.File", "MN05", F::AsRead, "&Explore", "fmMain:mnuExplore"},
    {"Project.File", "MN06", F::AsRead, "E&xit", "fmMain:mnuExit"},
    {"Project.Sub-Explore", "MN00", F::AsRead, "&Project...", "fmMain:mnuExploreProject"},
    {"Project.Sub-Explore", "MN01", F::AsRead, "Te&mplates...", "fmMain:mnuExploreTemplates"},
    {"Project.Sub-Explore", "MN02", F::AsRead, "&Backups...", "fmMain:mnuExploreBackups"},
    {"Project.Sub-Explore", "MN03", F::AsRead, "&Themes...", "fmMain:mnuExploreThemes"},
    {"Project.Sub-Explore", "MN04", F::AsRead, "&Dictionaries...", "fmMain:mnuExploreDictionaries"},
    {"Project.Sub-Explore", "MN05", F::AsRead, "The&saurus...", "fmMain:mnuExploreThesaurus"},
    {"Project.Tools", "MN00", F::AsRead, "&Find && Compile...", "fmMain:mnuFindAndCompile"},
    {"Project.Tools", "MN01", F::AsRead, "&Compile...", "fmMain:mnuCompile"},
    {"Project.Tools", "MN02", F::AsRead, "Copy &To Project...", "fmMain:mnuCopyToProject"},
    {"Project.Tools", "MN03", F::AsRead, "&Word Count", "fmMain:mnuWordCount fmMain:pmnuWordCount"},
    {"Project.Tools", "MN04", F::AsRead, "&Options...", "fmMain:mnuOptions"},
    {"Project.Help", "MN00", F::AsRead, "&Help", "fmMain:mnuHelp"},
    {"Project.Help", "MN01", F::AsRead, "&About...", "fmMain:mnuAbout"},
    {"Project.PopupNodex", "MN00", F::AsRead, "&Edit", "fmMain:pmnuEdit"},
    {"Project.PopupNodex", "MN01", F::AsRead, "To &Compilation...", "fmMain:pmnuToCompilation"},
    {"Project.PopupNodex", "MN02", F::AsRead, "&Merge", "fmMain:pmnuMerge"},
    {"Project.PopupNodex", "MN03", F::AsRead, "Remove &Links", "fmMain:pmnuRemoveLinks"},
    {"Project.PopupNodex", "MN04", F::AsRead, "&Print", "fmMain:pmnuPrint"},
    {"Project.PopupNodex", "MN05", F::AsRead, "&Delete", "fmMain:pmnuDelete"},
    {"Project.PopupNodex", "MN06", F::AsRead, "Proper&ties...", "fmMain:pmnuProperties"},
    {"Project.PopupPanel", "MN00", F::AsRead, "&New Nodex...", "fmMain:pmnuNewNodex"},
    {"Editor.Main", "MM00", F::AsRead, "&File", "fmEditor:mmnuFile"},
    {"Editor.Main", "MM01", F::AsRead, "&Edit", "fmEditor:mmnuEdit"},
    {"Editor.Main", "MM02", F::AsRead, "&Search", "fmEditor:mmnuSearch"},
    {"Editor.Main", "MM03", F::AsRead, "&Tools", "fmEditor:mmnuTools"},
    {"Editor.Main", "MM04", F::AsRead, "&Help", "fmEditor:mmnuHelp"},
    {"Editor.File", "MN00", F::AsRead, "&Import Text...", "fmEditor:mnuImportText"},
    {"Editor.File", "MN01", F::AsRead, "&Save", "fmEditor:mnuSave"},
    {"Editor.File", "MN02", F::AsRead, "&Print", "fmEditor:mnuPrint"},
    {"Editor.File", "MN03", F::AsRead, "&Explore", "fmEditor:mnuExplore"},
    {"Editor.File", "MN04", F::AsRead, "&Close Editor", "fmEditor:mnuClose"},
    {"Editor.Sub-Explore", "MN00", F::AsRead, "Te&mplates...", "fmEditor:mnuExploreTemplates"},
    {"Editor.Sub-Explore", "MN01", F::AsRead, "&Dictionaries...", "fmEditor:mnuExploreDictionaries"},
    {"Editor.Sub-Explore", "MN02", F::AsRead, "The&saurus...", "fmEditor:mnuExploreThesaurus"},
    {"Editor.Edit", "MN00", F::AsRead, "&Undo", "fmEditor:mnuUndo fmEditor:pmnuUndo"},
    {"Editor.Edit", "MN01", F::AsRead, "Cu&t", "fmEditor:mnuCut fmEditor:pmnuCut"},
    {"Editor.Edit", "MN02", F::AsRead, "&Copy", "fmEditor:mnuCopy fmEditor:pmnuCopy"},
    {"Editor.Edit", "MN03", F::AsRead, "&Paste", "fmEditor:mnuPaste fmEditor:pmnuPaste"},
    {"Editor.Edit", "MN04", F::AsRead, "Select &All", "fmEditor:mnuSelectAll fmEditor:pmnuSelectAll"},
    {"Editor.Search", "MN00", F::AsRead, "&Find && Replace...", "fmEditor:mnuFindReplace"},
    {"Editor.Search", "MN01", F::AsRead, "&Repeat Find", "fmEditor:mnuRepeatFind"},
    {"Editor.Tools", "MN00", F::AsRead, "&Spell Check...", "fmEditor:mnuSpellCheck"},
    {"Editor.Tools", "MN01", F::AsRead, "Spelling &Options...", "fmEditor:mnuSpellingOptions"},
    {"Editor.Tools", "MN02", F::AsRead, "&Thesaurus...", "fmEditor:mnuThesaurus"},
    {"Editor.Tools", "MN03", F::AsRead, "&Word Count", "fmEditor:mnuWordCount"},
    {"Editor.Tools", "MN04", F::AsRead, "Save Window &Position", "fmEditor:mnuSaveWindowPos"},
    {"Editor.Help", "MN00", F::AsRead, "&Help...", "fmEditor:mnuHelp"},
    {"Dialog.Open", "TL00", F::AsRead, "Open Project", "@OPEN_PROJECT_TITLE"},
    {"Dialog.SaveAs", "TL00", F::AsRead, "Save Project To Folder As", "@SAVE_PROJECT_AS_TITLE"},
    {"Dialog.CopyTo", "TL00", F::AsRead, "Copy Nodexs To Another Project", "@COPY_TO_PROJECT_TITLE"},
    {"Dialog.ImportText", "TL00", F::AsRead, "Import Text", "@IMPORT_TEXT_TITLE"},
    {"Dialog.Compile", "TL00", F::NodexTitle, "Compilation", "fmCompile:"},
    {"Dialog.Compile", "BN00", F::AsRead, "&Create", "fmCompile:btnCreate"},
    {"Dialog.Compile", "BN01", F::AsRead, "C&lose", "fmCompile:btnClose"},
    {"Dialog.Compile", "GB00", F::GroupBox, "Include", "fmCompile:gbInclude"},
    {"Dialog.Compile", "CB00", F::AsRead, "Nodex &Descriptions", "fmCompile:cbDescriptions"},
    {"Dialog.Compile", "CB01", F::AsRead, "&Content", "fmCompile:cbContent"},
    {"Dialog.Compile", "PM00", F::AsRead, "&Delete", "fmCompile:pmnuDelete"},
    {"Dialog.Compile", "PM01", F::AsRead, "&Clear All", "fmCompile:pmnuClearAll"},
    {"Dialog.FindAndCompile", "TL00", F::AsRead, "Find & Compile", "fmFindAndCompile:"},
    {"Dialog.Options", "TL00", F::NodexTitle, "Options", "fmOptions:"},
    {"Dialog.Options", "TB00", F::AsRead, "Application", "fmOptions:tsApplication"},
    {"Dialog.Options", "TB01", F::AsRead, "Project", "fmOptions:tsProject"},
    {"Dialog.Options", "TB02", F::AsRead, "Editor", "fmOptions:tsEditor"},
    {"Dialog.Options", "GB00", F::GroupBox, "Language", "fmOptions:gbLanguage"},
    {"Dialog.Options", "GB01", F::GroupBox, "Default Theme", "fmOptions:gbDefaultTheme"},
    {"Dialog.Options", "CB00", F::AsRead, "&Select Next Nodex When Linking", "fmOptions:cbSelectNextLink"},
    {"Dialog.Options", "GB02", F::GroupBox, "Workspace", "fmOptions:gbWorkspace"},
    {"Dialog.Options", "CB03", F::AsRead, "Show Nodex Descriptions As &Hints", "fmOptions:cbHints"},
    {"Dialog.Options", "GB03", F::GroupBox, "Workspace", "fmOptions:gbProjectWorkspace"},
    {"Dialog.Options", "RB00", F::AsRead, "&Screen Size", "fmOptions:rbNormal"},
    {"Dialog.Options", "RB01", F::AsRead, "&Double", "fmOptions:rbDouble"},
    {"Dialog.Options", "RB02", F::AsRead, "&Quadruple", "fmOptions:rbQuad"},
    {"Dialog.Options", "GB04", F::GroupBox, "Project &Theme", "fmOptions:gbProjectTheme"},
    {"Dialog.Options", "GB05", F::GroupBox, "Project Size", "fmOptions:gbProjectSize"},
    {"Dialog.Options", "LB00", F::Label, "Target Word Count", "fmOptions:lblTargetWordCount"},
    {"Dialog.Options", "CB04", F::AsRead, "&Bold Main Nodex Type ", "fmOptions:cbBoldBaseType"},
    {"Dialog.Options", "GB06", F::GroupBox, "Window Positioning", "fmOptions:gbEditPositioning"},
    {"Dialog.Options", "CB05", F::AsRead, "&Keep Edit Windows On Top", "fmOptions:cbEditorsOnTop"},
    {"Dialog.Options", "RB03", F::AsRead, "&Remember All", "fmOptions:rbAll"},
    {"Dialog.Options", "RB04", F::AsRead, "&Single", "fmOptions:rbSingle"},
    {"Dialog.Options", "RB05", F::AsRead, "&None", "fmOptions:rbNone"},
    {"Dialog.Options", "GB07", F::GroupBox, "Font && Size", "fmOptions:gbFont"},
    {"Dialog.Options", "GB08", F::GroupBox, "Auto-Save", "fmOptions:gbAutoSave"},
    {"Dialog.Options", "CB06", F::AsRead, "Auto &Save Edits every", "fmOptions:cbAutoSave"},
    {"Dialog.Options", "LB01", F::AsRead, "mins.", "fmOptions:lblInterval"},
    {"Dialog.Properties", "TL00", F::NodexTitle, "New Nodex", "fmProperties:"},
    {"Dialog.Properties", "GB00", F::GroupBox, "Nodex Details", "fmProperties:gbNodexDetails"},
    {"Dialog.Properties", "LB00", F::Label, "&Name", "fmProperties:lblName"},
    {"Dialog.Properties", "LB01", F::Label, "&Type", "fmProperties:lblType"},
    {"Dialog.Properties", "GB01", F::GroupBox, "Description", "fmProperties:gbDescription"},
    {"Dialog.FindReplace", "TL00", F::AsRead, "Find & Replace", "fmFindReplace:"},
    {"Dialog.FindReplace", "BN00", F::AsRead, "&Find", "fmFindReplace:btnFind fmFindAndCompile:btnFind"},
    {"Dialog.FindReplace", "BN01", F::AsRead, "&Replace", "fmFindReplace:btnReplace"},
    {"Dialog.FindReplace", "BN02", F::AsRead, "Replace &All", "fmFindReplace:btnReplaceAll"},
    {"Dialog.FindReplace", "BN03", F::AsRead, "&Close", "fmFindReplace:btnClose fmFindAndCompile:btnClose"},
    {"Dialog.FindReplace", "GB00", F::GroupBox, "Find", "fmFindReplace:gbFind fmFindAndCompile:gbFind"},
    {"Dialog.FindReplace", "CB00", F::AsRead, "&Match Case", "fmFindReplace:cbMatchCase fmFindAndCompile:cbMatchCase"},
    {"Dialog.FindReplace", "CB01", F::AsRead, "&Start From Top", "fmFindReplace:cbFromTop"},
    {"Dialog.FindReplace", "GB01", F::GroupBox, "Replace With", "fmFindReplace:gbReplace"},
    {"Dialog.FindReplace", "CB02", F::AsRead, "&Clear Compilation", "fmFindAndCompile:cbClearCompiler"},
    // Captions of our own, which the sections above do not reach.
    {"Nodex.Captions", "fmEditor.mnuWordUsage", F::AsRead, "Word &Usage", "fmEditor:mnuWordUsage"},
    {"Nodex.Captions", "fmEditor.mnuHistory", F::AsRead, "&History...", "fmEditor:mnuHistory"},
    {"Nodex.Captions", "fmEditor.mnuItalic", F::AsRead, "&Italic", "fmEditor:mnuItalic"},
    {"Nodex.Captions", "fmEditor.mnuBold", F::AsRead, "&Bold", "fmEditor:mnuBold"},
    {"Nodex.Captions", "fmMain.pmnuHistory", F::AsRead, "&History...", "fmMain:pmnuHistory"},
    {"Nodex.Captions", "fmOptions.gbBackups", F::GroupBox, "Automatic Backups", "fmOptions:gbBackups"},
    {"Nodex.Captions", "fmOptions.lblKeepBackups", F::AsRead, "&Keep for each project (0: none):", "fmOptions:lblKeepBackups"},
    {"Nodex.Captions", "fmOptions.gbGoals", F::GroupBox, "Goals", "fmOptions:gbGoals"},
    {"Nodex.Captions", "fmOptions.lblDailyTarget", F::AsRead, "D&aily target (0: none):", "fmOptions:lblDailyTarget"},
    {"Nodex.Captions", "fmOptions.lblSessionTarget", F::AsRead, "S&ession target (0: none):", "fmOptions:lblSessionTarget"},
    {"Nodex.Captions", "fmOptions.cbDeadline", F::AsRead, "Dead&line:", "fmOptions:cbDeadline"},
};

QString Composed(CaptionForm form, const QString& value)
{
    switch (form) {
    case CaptionForm::AsRead:
        break;
    case CaptionForm::GroupBox:
        return " " + value + " ";
    case CaptionForm::Label:
        return value + ":";
    case CaptionForm::NodexTitle:
        return "Nodex " + value;
    }
    return value;
}

/// The message-table keys that a caption key sets (the file-dialog titles): the sections of our
/// own leave them to it.
bool SetByCaptionKey(MessageKey message)
{
    const QString target = "@" + MessageTable::KeyName(message);
    return std::any_of(Keys.begin(), Keys.end(), [&](const LanguageKey& key) {
        return QString::fromLatin1(key.Targets).split(' ').contains(target);
    });
}

/// The section a message is read from, or none for one a caption key sets.
QString MessageSection(MessageKey key)
{
    if (!MessageTable::IsOwnKey(key))
        return QStringLiteral("Messages");
    return SetByCaptionKey(key) ? QString() : OwnMessagesSection;
}

void SetTarget(const QString& target, const QString& text, const TranslatedWindows& windows, MessageTable& messages)
{
    if (target.startsWith('@')) {
        if (const auto key = MessageTable::KeyFromName(target.mid(1)))
            messages.Replace(*key, text);
        return;
    }
    const qsizetype colon = target.indexOf(':');
    QObject* window = windows.value(target.left(colon));
    if (!window)
        return;
    const QString control = target.mid(colon + 1);
    if (QObject* object = control.isEmpty() ? window : window->findChild<QObject*>(control))
        SetCaption(object, text);
}
} // namespace

const QList<LanguageKey>& LanguageKeys() { return Keys; }

void SetCaption(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target))
        return action->setText(text);
    if (auto* menu = qobject_cast<QMenu*>(target))
        return menu->setTitle(text);
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        return button->setText(text);
    if (auto* box = qobject_cast<QGroupBox*>(target))
        return box->setTitle(text);
    if (auto* label = qobject_cast<QLabel*>(target))
        return label->setText(text);
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget)
        return;
    // A tab page's caption is its tab's text.
    if (auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget()))
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            return tabs->setTabText(tabs->indexOf(widget), text);
    widget->setWindowTitle(text);
}

void ApplyLanguageFile(const IniFile& file, const TranslatedWindows& windows, MessageTable& messages)
{
    for (const LanguageKey& key : Keys) {
        const QString value = file.ReadString(QString::fromLatin1(key.Section), QString::fromLatin1(key.Key), {});
        if (value.isEmpty())
            continue;
        const QString text = Composed(key.Form, value);
        for (const QString& target : QString::fromLatin1(key.Targets).split(' ', Qt::SkipEmptyParts))
            SetTarget(target, text, windows, messages);
    }
    for (int i = 0; i < MessageTable::Count; ++i) {
        const auto key = static_cast<MessageKey>(i);
        if (const QString section = MessageSection(key); !section.isEmpty())
            messages.Replace(key, file.ReadString(section, MessageTable::KeyName(key), {}));
    }
    for (int i = 0; i < ReasonCount(); ++i)
        SetReasonText(Reason(i), file.ReadString(ReasonsSection, ReasonName(Reason(i)), {}));
}

QString LanguageName(const QString& languageFile)
{
    const qsizetype ini = languageFile.indexOf(QStringLiteral(".ini"));
    return (ini < 0 ? languageFile : languageFile.left(ini)).toLower();
}

QString SpellDialogLanguage(const QString& languageName)
{
    static const QHash<QString, QString> languages = {
        {"afrikaans", "Afrikaans"}, {"czech", "Czech"}, {"danish", "Danish"}, {"estonian", "Estonian"},
        {"french", "French"}, {"german", "German"}, {"italian", "Italian"}, {"norwegian", "Norwegian (Bokmål)"},
        {"polish", "Polish"}, {"spanish", "Spanish"}, {"russian", "Russian"}, {"swedish", "Swedish"}};
    const QString name = languageName.toLower();
    if (languages.contains(name))
        return languages.value(name);
    return name.contains(QStringLiteral("portuguese")) ? QStringLiteral("Brazilian Portuguese") : QStringLiteral("English");
}

QByteArray EnglishLanguageFile()
{
    QByteArray text = "; Nodex language file: every caption and message with its built-in English text.\n"
                      "; Translate the values; an empty or missing value keeps the English text.\n";
    QString section;
    const auto startSection = [&](const QString& name) {
        if (name == section)
            return;
        section = name;
        text += "\n[" + name.toUtf8() + "]\n";
    };
    for (const LanguageKey& key : Keys) {
        startSection(QString::fromLatin1(key.Section));
        text += QByteArray(key.Key) + "=" + QByteArray(key.English) + "\n";
    }
    for (int i = 0; i < MessageTable::Count; ++i) {
        const auto key = static_cast<MessageKey>(i);
        if (const QString section = MessageSection(key); !section.isEmpty()) {
            startSection(section);
            text += MessageTable::KeyName(key).toUtf8() + "=" + MessageTable::BuiltInText(key).toUtf8() + "\n";
        }
    }
    startSection(ReasonsSection);
    for (int i = 0; i < ReasonCount(); ++i)
        text += ReasonName(Reason(i)).toUtf8() + "=" + BuiltInReason(Reason(i)).toUtf8() + "\n";
    return text;
}
