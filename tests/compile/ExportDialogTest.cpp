#include "compile/ExportDialog.h"

#include "ProseFixture.h"
#include "RealKeys.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "compile/Compile.h"
#include "messages/MessageTable.h"
#include "platform/IniFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

namespace {
/// Keys as a writer types them, to whatever control has the focus.
void Type(const QString& text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}
void Press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}
/// Ctrl+V as the keyboard sends it: with its control character as the text.
void Paste()
{
    PressKey(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
}

void ShowActive(QDialog& dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}
} // namespace

TEST(ExportDialog, EveryChoiceTypedInTheDialogReachesTheManuscriptsOptions)
{
    MessageTable messages;
    ManuscriptSettings start;
    start.Folder = QStringLiteral("/home/ada/Submissions");
    ExportDialog dialog(start, false, messages);
    ShowActive(dialog);
    QApplication::clipboard()->setText(QStringLiteral("Ada\u00A0Quill"));

    // Down from ODT passes over DOCX, which needs pandoc, to PDF.
    Press(Qt::Key_Down);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Space); // titles only
    Press(Qt::Key_Tab);
    Press(Qt::Key_Space); // standard form
    Press(Qt::Key_Tab);
    Press(Qt::Key_Space); // scene titles, now that they can be chosen
    Press(Qt::Key_Tab);
    Press(Qt::Key_Space); // no curly quotes
    Press(Qt::Key_Tab);
    Press(Qt::Key_Down); // Courier
    Press(Qt::Key_Tab);
    Press(dialog.cmbPaper->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
    const ManuscriptPaper paper = ManuscriptPaper(dialog.cmbPaper->currentData().toInt());
    Press(Qt::Key_Tab);
    Type(QStringLiteral("A. Quill"));
    Press(Qt::Key_Tab);
    Paste();
    Press(Qt::Key_Tab);
    // Enter in the address starts its next line and leaves the dialog open.
    Type(QStringLiteral("12 Quay Street"));
    Press(Qt::Key_Return);
    Type(QStringLiteral("Portsmouth PO1 2AB"));
    ASSERT_TRUE(dialog.isVisible());
    Press(Qt::Key_Tab);
    Type(QStringLiteral("ada@example.org"));
    Press(Qt::Key_Tab);
    Type(QStringLiteral("+44 23 9200 0000"));
    Press(Qt::Key_Return);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ManuscriptOptions options;
    options.Title = QStringLiteral("Lighthouse");
    dialog.Settings().ApplyTo(options);
    EXPECT_EQ(dialog.Settings().Format, ManuscriptFormat::Pdf);
    EXPECT_EQ(dialog.Settings().Folder, start.Folder)
        << "the folder is the save dialog's to change";
    EXPECT_TRUE(options.TitlesOnly);
    EXPECT_TRUE(options.StandardManuscript);
    EXPECT_TRUE(options.SceneTitles);
    EXPECT_FALSE(options.CurlyQuotes);
    EXPECT_EQ(options.Font, ManuscriptFont::CourierNew);
    EXPECT_NE(paper, start.Paper);
    EXPECT_EQ(options.Paper, paper);
    EXPECT_EQ(options.Author, "A. Quill");
    EXPECT_EQ(options.Contact.Name, QStringLiteral("Ada\u00A0Quill")) << "pasted as it was copied";
    EXPECT_EQ(options.Contact.Address, "12 Quay Street\nPortsmouth PO1 2AB");
    EXPECT_EQ(options.Contact.Email, "ada@example.org");
    EXPECT_EQ(options.Contact.Phone, "+44 23 9200 0000");
    EXPECT_EQ(options.Title, "Lighthouse") << "the dialog does not name the manuscript";
    EXPECT_TRUE(options.Descriptions && options.Content) << "the compile window's own choices";
}

TEST(ExportDialog, WhatCannotBeChosenIsShownAndSaysWhy)
{
    MessageTable messages;
    ManuscriptSettings start;
    start.Format = ManuscriptFormat::Docx; // exported on a machine that had pandoc
    start.SceneTitles = true;
    ExportDialog dialog(start, false, messages);
    ShowActive(dialog);

    // Without pandoc its types are marked and cannot be chosen; the note says why.
    const auto* formats = qobject_cast<QStandardItemModel*>(dialog.cmbFormat->model());
    QStringList shut;
    for (int row = 0; row < formats->rowCount(); ++row)
        if (!formats->item(row)->isEnabled())
            shut << formats->item(row)->text();
    EXPECT_EQ(shut, (QStringList { "Word Document (needs pandoc)", "EPUB E-book (needs pandoc)" }));
    EXPECT_EQ(dialog.cmbFormat->currentText(), "OpenDocument Text");
    EXPECT_TRUE(dialog.lblNoPandoc->isVisible());
    EXPECT_TRUE(dialog.lblNoPandoc->text().contains("pandoc"));

    // Scene titles and the face belong to the standard form; a remembered choice waits there.
    EXPECT_TRUE(dialog.cbSceneTitles->isChecked());
    EXPECT_FALSE(dialog.cbSceneTitles->isEnabled());
    EXPECT_FALSE(dialog.cmbFont->isEnabled());
    QTest::mouseClick(dialog.cbStandardManuscript, Qt::LeftButton);
    EXPECT_TRUE(dialog.cbSceneTitles->isEnabled());
    EXPECT_TRUE(dialog.cmbFont->isEnabled());
    QTest::mouseClick(dialog.cbStandardManuscript, Qt::LeftButton);
    EXPECT_FALSE(dialog.cbSceneTitles->isEnabled());

    ExportDialog withPandoc(start, true, messages);
    EXPECT_EQ(withPandoc.cmbFormat->currentText(), "Word Document");
    EXPECT_TRUE(withPandoc.lblNoPandoc->isHidden());
}

TEST(ExportDialog, EveryAccessKeyLeadsToOneControlInEnglishAndGerman)
{
    MessageTable english;
    MessageTable german;
    IniFile file(QStringLiteral(NODEX_DATA_FOLDER "/Languages/German.ini"));
    QString error;
    ASSERT_TRUE(file.Load(error)) << error.toStdString();
    // Only the table's texts: applying the whole file would leave the reasons German for the
    // tests after this one.
    for (const QString& key : file.Keys("Nodex.Messages"))
        if (const std::optional<MessageKey> known = MessageTable::KeyFromName(key))
            german.Replace(*known, file.ReadString("Nodex.Messages", key, {}));
    ASSERT_NE(german.Text(MessageKey::EXPORT_TITLE), english.Text(MessageKey::EXPORT_TITLE));

    for (const MessageTable* messages : { &english, &german }) {
        const ExportDialog dialog(ManuscriptSettings(), true, *messages);
        QStringList captions;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            if (label->buddy())
                captions << label->text();
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            captions << button->text();
        QMap<QChar, QString> keys;
        for (const QString& caption : captions) {
            const qsizetype mark = caption.indexOf(u'&');
            if (mark < 0 || mark + 1 >= caption.size())
                continue;
            const QChar key = caption[mark + 1].toLower();
            EXPECT_FALSE(keys.contains(key))
                << caption.toStdString() << " and " << keys.value(key).toStdString();
            keys.insert(key, caption);
        }
        EXPECT_GE(keys.size(), 12) << "every control but OK and Cancel has its key";
    }
}

TEST(ManuscriptSettings, ReadBackAsWrittenWhateverTheProjectOrAddressHolds)
{
    TempFolder settingsFolder;
    const QString path = settingsFolder.Write("Nodex.ini", "[Compilation]\nLeft=20\n");
    ManuscriptSettings draft;
    draft.Format = ManuscriptFormat::Epub;
    draft.Folder = QStringLiteral("/home/ada/Agents [2026]");
    draft.CurlyQuotes = false;
    draft.Font = ManuscriptFont::CourierNew;
    draft.Paper = ManuscriptPaper::Letter;
    draft.Author = QStringLiteral(" A. Quill ");
    draft.Contact = { QStringLiteral("Ada\u00A0Quill"),
        QStringLiteral("12 Quay Street\n\nFlat 3\nPortsmouth"), QStringLiteral("ada@example.org"),
        QStringLiteral("0") };
    // A name that would end a section's header early, or split it over two lines.
    const QString folder = QStringLiteral("/home/ada/Books/");
    const QString odd = QStringLiteral("Draft [old]\nv2.nodex");
    IniFile file(path);
    QString error;
    ASSERT_TRUE(file.Load(error));
    draft.Write(file, folder, odd);
    ASSERT_TRUE(file.Save(error)) << error.toStdString();

    IniFile read(path);
    ASSERT_TRUE(read.Load(error));
    EXPECT_EQ(ManuscriptSettings::Read(read, folder, odd, ManuscriptPaper::A4), draft);
    EXPECT_EQ(read.ReadInteger("Compilation", "Left", 0), 20) << "the window's keys stay";

    // A shorter address leaves none of the longer one's lines behind; values that are not
    // ours give way to the defaults.
    ManuscriptSettings shorter = draft;
    shorter.Contact.Address = QStringLiteral("Portsmouth\r\n");
    shorter.Write(read, folder, odd);
    read.WriteString(ManuscriptSettings::SectionOf(folder, odd), "Font", "Comic Sans");
    read.WriteString(ManuscriptSettings::SectionOf(folder, odd), "Format", "rtf");
    read.WriteString(ManuscriptSettings::SectionOf(folder, odd), "Paper", "A5");
    ASSERT_TRUE(read.Save(error));
    IniFile again(path);
    ASSERT_TRUE(again.Load(error));
    const ManuscriptSettings back
        = ManuscriptSettings::Read(again, folder, odd, ManuscriptPaper::Letter);
    EXPECT_EQ(back.Contact.Address, "Portsmouth");
    EXPECT_EQ(back.Font, ManuscriptFont::TimesNewRoman);
    EXPECT_EQ(back.Format, ManuscriptFormat::Odt);
    EXPECT_EQ(back.Paper, ManuscriptPaper::Letter) << "the locale's";
}

/// The compile window's Export on the prose chain, with the settings file of its own, as two
/// and three projects share it.
class ExportSettingsFlow : public ProseFixture {
protected:
    ExportSettingsFlow()
        : Compile(Dialogs, Messages)
    {
        Compile.SettingsFile = Settings.Path("Nodex.ini");
        Compile.PandocProgram.clear();
        Compile.SetNames({ Chapter, SceneA, SceneB });
        // Every project here prints the same chain.
        Compile.FilesOf = [this](const QStringList& names) {
            QList<CompileFiles> files;
            for (const QString& name : names)
                files << CompileFilesOf(Project.Path(), name);
            return files;
        };
        Open(Project.Path() + "/");
    }

    void Open(const QString& folder)
    {
        Compile.ProjectFolder = folder;
        Compile.ProjectFileName = QStringLiteral("Lighthouse.nodex");
        Compile.ProjectName = QStringLiteral("Lighthouse");
    }

    /// Runs the export; `writer` works in the dialog, then presses Enter and types `path` in
    /// the save dialog (none cancels it), or presses Esc.
    void Export(std::function<void(ExportDialog&)> writer, const QString& path = {},
        Qt::Key key = Qt::Key_Return)
    {
        Dialogs.ExpectModal([writer, key](QDialog& dialog) {
            auto& export_ = dynamic_cast<ExportDialog&>(dialog);
            if (writer)
                writer(export_);
            Press(key);
        });
        if (key == Qt::Key_Return)
            Dialogs.ExpectSaveFileOfType(path, 0);
        Compile.ExportManuscript();
    }

    /// The save dialog last asked: the folder it opened in and the filter chosen.
    std::pair<QString, QString> SaveDialog() const
    {
        for (auto shown = Dialogs.History().crbegin(); shown != Dialogs.History().crend(); ++shown)
            if (shown->kind == ScriptedDialogs::Kind::SaveFileOfType)
                return { QDir::cleanPath(shown->folder), shown->filter };
        ADD_FAILURE() << "no save dialog was asked";
        return {};
    }

    ScriptedDialogs Dialogs;
    MessageTable Messages;
    TempFolder Settings;
    TempFolder Out;
    TfmCompile Compile;
};

TEST_F(ExportSettingsFlow, EscapeKeepsTheSettingsAsTheyWereAndOkKeepsTheChoices)
{
    // Before the dialog, the window kept a byline and the form.
    const QByteArray before = "[Compilation]\nAuthor=Ada Quill\nStandardManuscript=1\n";
    Settings.Write("Nodex.ini", before);
    QString shownAuthor;
    bool shownStandard = false;
    Export(
        [&](ExportDialog& dialog) {
            shownAuthor = dialog.edtAuthor->text();
            shownStandard = dialog.cbStandardManuscript->isChecked();
            dialog.edtAuthor->setFocus();
            Type(QStringLiteral(" and friends"));
        },
        {}, Qt::Key_Escape);
    EXPECT_EQ(shownAuthor, "Ada Quill");
    EXPECT_TRUE(shownStandard);
    EXPECT_EQ(Dialogs.History().size(), 1) << "Esc asks for no file";
    EXPECT_EQ(Settings.Read("Nodex.ini"), before);

    // OK keeps what the writer chose, though no file is chosen after it.
    Export([](ExportDialog& dialog) { QTest::mouseClick(dialog.cbTitlesOnly, Qt::LeftButton); });
    bool titlesOnly = false;
    Export([&titlesOnly](ExportDialog& dialog) { titlesOnly = dialog.cbTitlesOnly->isChecked(); },
        {}, Qt::Key_Escape);
    EXPECT_TRUE(titlesOnly);
    EXPECT_TRUE(Settings.Read("Nodex.ini").startsWith(before)) << "the window's keys stay";
}

TEST_F(ExportSettingsFlow, EachProjectKeepsItsOwnAndANewOneStartsFromTheLast)
{
    const QString projectFolder = QDir::cleanPath(Project.Path());
    // The first export: Markdown of the chain's titles only, into a folder of submissions.
    Export(
        [](ExportDialog& dialog) {
            QTest::mouseClick(dialog.cbTitlesOnly, Qt::LeftButton);
            dialog.edtName->setFocus();
            Type(QStringLiteral("Ada Quill"));
        },
        Out.Path("Lighthouse.md"));
    EXPECT_EQ(SaveDialog(), std::make_pair(projectFolder, QString("OpenDocument Text (*.odt)")));
    EXPECT_EQ(QString::fromUtf8(Out.Read("Lighthouse.md")),
        "# " + Chapter + "\n\n## " + SceneA + "\n\n## " + SceneB + "\n\n")
        << "titles only reached the manuscript";

    // The project's second export opens where the first went, with its type and choices.
    bool kept = false;
    Export([&kept](ExportDialog& dialog) {
        kept = dialog.cbTitlesOnly->isChecked() && dialog.edtName->text() == "Ada Quill"
            && dialog.cmbFormat->currentText() == "Markdown";
    });
    EXPECT_TRUE(kept);
    EXPECT_EQ(
        SaveDialog(), std::make_pair(QDir::cleanPath(Out.Path()), QString("Markdown (*.md)")));

    // A project never exported starts from the last export; it exports into a folder of its own.
    TempFolder second;
    const QString manuscripts = QDir::cleanPath(second.MakeFolder("Manuscripts"));
    Open(second.Path() + "/");
    bool inherited = false;
    Export(
        [&inherited](ExportDialog& dialog) {
            inherited = dialog.cbTitlesOnly->isChecked() && dialog.edtName->text() == "Ada Quill";
            QTest::mouseClick(dialog.cbTitlesOnly, Qt::LeftButton);
            dialog.edtName->setFocus();
            dialog.edtName->selectAll();
            Type(QStringLiteral("A. Quill"));
        },
        manuscripts + "/Lighthouse.html");
    EXPECT_TRUE(inherited);
    EXPECT_EQ(SaveDialog().first, QDir::cleanPath(Out.Path()));
    EXPECT_TRUE(second.Exists("Manuscripts/Lighthouse.html"));

    // Each keeps its own.
    Open(Project.Path() + "/");
    QString name;
    Export([&name](ExportDialog& dialog) { name = dialog.edtName->text(); });
    EXPECT_EQ(name, "Ada Quill");
    EXPECT_EQ(
        SaveDialog(), std::make_pair(QDir::cleanPath(Out.Path()), QString("Markdown (*.md)")));
    Open(second.Path() + "/");
    Export([&name](ExportDialog& dialog) { name = dialog.edtName->text(); });
    EXPECT_EQ(name, "A. Quill");
    EXPECT_EQ(SaveDialog(), std::make_pair(manuscripts, QString("Web Page (*.html)")));

    // The next new project starts from the second's export, but not in the second's folder.
    TempFolder third;
    Open(third.Path() + "/");
    Export([&name](ExportDialog& dialog) { name = dialog.edtName->text(); });
    EXPECT_EQ(name, "A. Quill");
    EXPECT_EQ(
        SaveDialog(), std::make_pair(QDir::cleanPath(third.Path()), QString("Web Page (*.html)")));

    // A folder since removed gives way to the project's own.
    Open(Project.Path() + "/");
    ASSERT_TRUE(QDir(Out.Path()).removeRecursively());
    Export({});
    EXPECT_EQ(SaveDialog().first, projectFolder);
}
