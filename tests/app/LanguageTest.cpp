#include "AppFixture.h"

#include "app/Main.h"
#include "app/OutlineCommands.h"
#include "canvas/Nodex.h"
#include "compile/Compile.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/FindReplace.h"
#include "messages/ReasonTexts.h"
#include "spelling/SpellCheck.h"
#include "spelling/SpellChecker.h"
#include "messages/LanguageFile.h"
#include "outline/OutlineModel.h"
#include "settings/Options.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextCursor>
#include <QTest>

namespace {
/// The menus of a window in which two items share an access key, each with the items' texts.
QStringList SharedAccessKeys(const QWidget& window)
{
    QStringList shared;
    QList<QList<QAction*>> menus;
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>())
        menus << bar->actions();
    for (const QMenu* menu : window.findChildren<QMenu*>())
        menus << menu->actions();
    for (const QList<QAction*>& actions : menus) {
        QHash<QKeySequence, QString> items;
        for (const QAction* action : actions) {
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            if (key.isEmpty())
                continue;
            if (items.contains(key))
                shared << items[key] + " / " + action->text();
            items.insert(key, action->text());
        }
    }
    return shared;
}

const QString Mark = QStringLiteral("«");

/// Every value of the English template wrapped in marks, as a translator's file would change it.
QByteArray PseudoTranslation()
{
    QStringList lines = QString::fromUtf8(EnglishLanguageFile()).split('\n');
    static const QRegularExpression entry(QStringLiteral("^([^;\\[][^=]*)=(.+)$"));
    for (QString& line : lines)
        if (const QRegularExpressionMatch match = entry.match(line); match.hasMatch())
            line = match.captured(1) + "=«" + match.captured(2) + "»";
    return lines.join('\n').toUtf8();
}

/// The texts a menu shows, its submenus' included; `data` holds the items named by the theme
/// or the recent files, which no language file reaches.
void MenuTexts(const QMenu* menu, QStringList& texts, const QList<QAction*>& data)
{
    if (!menu->title().isEmpty())
        texts << menu->title();
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || data.contains(action))
            continue;
        if (action->menu())
            MenuTexts(action->menu(), texts, data);
        else
            texts << action->text();
    }
}

/// The captions a window shows: its title, buttons, labels, group boxes and tabs.
QStringList WindowTexts(const QWidget& window)
{
    QStringList texts{window.windowTitle()};
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->isVisibleTo(&window) && !button->text().isEmpty())
            texts << button->text();
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisibleTo(&window) && !label->text().isEmpty())
            texts << label->text();
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        texts << box->title();
    for (const QTabWidget* tabs : window.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    return texts;
}

QStringList Unmarked(const QStringList& texts)
{
    QStringList unmarked;
    for (const QString& text : texts)
        if (!text.contains(Mark))
            unmarked << text;
    return unmarked;
}
} // namespace

/// A saved project with the chain A -> B; A has a text.
class LanguageTest : public AppFixture {
protected:
    void SetUp() override
    {
        WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("A", 0, 0, 100, 100, "B");
        WriteCard("B", 1, 0, 250, 100);
        Projects.Write("Text Files/A.txt", "one two thre\r\n");
    }
    void TearDown() override
    {
        // The reasons are the program's catalogue, shared by every test that follows.
        for (int i = 0; i < ReasonCount(); ++i)
            SetReasonText(Reason(i), BuiltInReason(Reason(i)));
    }
    void Start(const QString& language)
    {
        App.Write("Nodex.ini", "[Application]\nLanguage=" + language.toUtf8() + "\n");
        StartProgram();
        ASSERT_TRUE(Program->Start({Projects.Path("Book.nodex")}));
    }
    TfmEditor* OpenEditorOfA()
    {
        Main().Selection().CurrentCard = Card("A");
        Main().Selection().SelectedCards = {Card("A")};
        Main().OpenCardEditor(Card("A"));
        auto* editor = Main().CardEditors().Of(Card("A")->Id());
        editor->Menus.mnuFindReplace->trigger();
        return editor;
    }
};

TEST_F(LanguageTest, APseudoTranslationReachesEveryWindowMenuAndMessage)
{
    App.Write("Languages/Pseudo.ini", PseudoTranslation());
    Start("Pseudo.ini");
    TfmEditor* editor = OpenEditorOfA();
    editor->Menus.mnuWordUsage->trigger();
    Main().Selection().CurrentCard = nullptr;
    Main().Menus().mnuCompile->trigger();
    Main().Menus().mnuFindAndCompile->trigger();
    editor->activateWindow();
    editor->Menus.mnuSpellCheck->trigger(); // stops at "thre" and stays open
    ASSERT_TRUE(editor->dlgSpeller->Dialog() && editor->dlgSpeller->Dialog()->isVisible());

    QStringList texts;
    const MainMenus& menus = Main().Menus();
    QList<QAction*> themed = menus.pmnuState;
    themed << menus.pmnuStateTitle->menuAction();
    for (const QMenu* menu :
         {menus.mmnuFile, menus.mmnuView, menus.mmnuTools, menus.mmnuHelp, menus.pmnuNodex, menus.pmnuPanel})
        MenuTexts(menu, texts, themed + Main().RecentFiles().Items());
    for (const QMenu* menu : editor->findChildren<QMenu*>())
        MenuTexts(menu, texts, {});
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window != &Main())
            texts << WindowTexts(*window);
    // The dialogs that run modally, every page of the options.
    Dialogs.ExpectModal([&](QDialog& options) { texts << WindowTexts(options); });
    menus.mnuOptions->trigger();
    Dialogs.ExpectModal([&](QDialog& spelling) { texts << WindowTexts(spelling); });
    editor->Menus.mnuSpellingOptions->trigger();
    Dialogs.ExpectModal([&](QDialog& thesaurus) { texts << WindowTexts(thesaurus); });
    editor->memEditor->moveCursor(QTextCursor::Start);
    editor->Menus.mnuThesaurus->trigger(); // on "one"
    Dialogs.ExpectModal([&](QDialog& properties) { texts << WindowTexts(properties); });
    Main().Selection().CurrentCard = Card("B");
    menus.pmnuProperties->trigger();
    for (int i = 0; i < MessageTable::Count; ++i)
        texts << Main().Messages().Text(MessageKey(i));
    for (int i = 0; i < ReasonCount(); ++i)
        texts << ReasonText(Reason(i));

    EXPECT_GT(texts.size(), 240);
    EXPECT_EQ(Unmarked(texts).join(" | ").toStdString(), "");
}

TEST_F(LanguageTest, ChoosingALanguageTranslatesTheOpenEditorsAndTheirFindDialogsAtOnce)
{
    QFile german(NODEX_DATA_FOLDER "/Languages/German.ini");
    ASSERT_TRUE(german.open(QIODevice::ReadOnly));
    App.Write("Languages/German.ini", german.readAll());
    App.Write("Languages/English.ini", EnglishLanguageFile());
    Start("English.ini");
    TfmEditor* editor = OpenEditorOfA();
    EXPECT_EQ(editor->Menus.mmnuFile->title(), "&File");
    EXPECT_EQ(SharedAccessKeys(Main()).join(", ").toStdString(), "") << "the editor's menus too";
    editor->Menus.mnuSpellCheck->trigger(); // its check dialog is made in English
    ASSERT_TRUE(editor->dlgSpeller->Dialog());
    Main().Menus().pmnuState[1]->trigger(); // a step named in English
    ASSERT_EQ(Main().Menus().mnuUndo->text(), "&Undo Revision State");
    Main().Outline().Show(true);

    Dialogs.ExpectModal([](QDialog& dialog) {
        auto& options = static_cast<TfmOptions&>(dialog);
        EXPECT_EQ(options.cmbLanguage->count(), 2);
        options.cmbLanguage->setCurrentIndex(options.cmbLanguage->findText("German"));
        QTest::mouseClick(options.btnOK, Qt::LeftButton);
    });
    Main().Menus().mnuOptions->trigger();

    EXPECT_EQ(Main().Menus().mmnuFile->title(), "&Datei");
    EXPECT_EQ(Main().Menus().mnuUndo->text(), QString::fromUtf8("&Rückgängig: Bearbeitungsstand"))
        << "a step made before";
    EXPECT_EQ(Main().Menus().pmnuStateTitle->title(), "Bearbeitungs&stand")
        << "the theme keeps the built-in English title";
    EXPECT_EQ(Main().Menus().pmnuState[0]->text(), "&Entwurf");
    EXPECT_EQ(
        Main().Outline().Model().headerData(OutlineModel::WordsColumn, Qt::Horizontal).toString(),
        QString::fromUtf8("Wörter"))
        << "the outline shown";
    EXPECT_EQ(editor->Menus.mmnuFile->title(), "&Datei") << "an open editor";
    EXPECT_EQ(editor->windowTitle(), "Nodex bearbeiten: 'A'");
    auto* find = editor->findChild<TfmFindReplace*>();
    ASSERT_TRUE(find);
    EXPECT_EQ(find->btnFind->text(), "&Suchen") << "its open find dialog";
    editor->activateWindow();
    editor->Menus.mnuSpellCheck->trigger();
    ASSERT_TRUE(editor->dlgSpeller->Dialog());
    EXPECT_EQ(editor->dlgSpeller->Dialog()->btnIgnore->text(), "&Ignorieren") << "its spell check";
    EXPECT_EQ(Main().Messages().Text(MessageKey::SAVE_PROJECT), QString::fromUtf8("Änderungen am aktuellen Projekt speichern?"));
    EXPECT_EQ(SharedAccessKeys(Main()).join(", ").toStdString(), "");
    EXPECT_TRUE(App.Read("Nodex.ini").contains("Language=German.ini"));
}
