#include "AppFixture.h"
#include "app/Main.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "compile/Compile.h"
#include "compile/CompileList.h"
#include "compile/ExportDialog.h"
#include "platform/Processes.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

/// Export Manuscript from the Tools menu and from the compile window, on the chain A -> B -> C,
/// without pandoc so that the types offered do not depend on the machine.
class ExportManuscriptTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartWithChainProject();
        Compile = Main().findChild<TfmCompile*>("fmCompile");
        Compile->PandocProgram.clear();
    }

    /// The writer presses Enter in the Export Manuscript dialog, after `choose` if given.
    void AcceptExportDialog(std::function<void(ExportDialog&)> choose = {})
    {
        Dialogs.ExpectModal([choose](QDialog& dialog) {
            auto& export_ = dynamic_cast<ExportDialog&>(dialog);
            if (choose)
                choose(export_);
            QTest::keyClick(export_.focusWidget(), Qt::Key_Return);
        });
    }

    TfmCompile* Compile = nullptr;
};

TEST_F(ExportManuscriptTest, CtrlEFillsAnEmptyListAsCompileDoesAndWritesTheTypeChosen)
{
    const QPoint at
        = Main().View().mapFromScene(QPointF(Card("A")->Left() + 5, Card("A")->Top() + 5));
    QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, {}, at);
    // A name typed without an extension gets the chosen filter's: the third, Markdown.
    AcceptExportDialog();
    Dialogs.ExpectSaveFileOfType(Projects.Path("Book manuscript"), 2);
    QTest::keyClick(&Main(), Qt::Key_E, Qt::ControlModifier);

    EXPECT_EQ(Compile->Names(), (QStringList { "A", "B", "C" }));
    ASSERT_EQ(Dialogs.History().size(), 3);
    EXPECT_EQ(Dialogs.History()[0].text, "Export Manuscript");
    const ScriptedDialogs::Shown asked = Dialogs.History()[1];
    EXPECT_TRUE(asked.text.contains("pandoc")) << "the dialog says why DOCX and EPUB are missing";
    EXPECT_EQ(asked.reason,
        "OpenDocument Text (*.odt)\nPDF Document (*.pdf)\nMarkdown (*.md)\nWeb Page (*.html)");
    EXPECT_EQ(QString::fromUtf8(Projects.Read("Book manuscript.md")), "# A\n\nA text\n\n# B\n\n# C\n\nC text\n\n")
        << "every card of the chain is a chapter";
    EXPECT_EQ(Dialogs.LastText(), "Manuscript exported successfully.");

    // Without pandoc a typed ".docx" is refused with the reason; Ctrl+E works in the compile
    // window too.
    AcceptExportDialog();
    Dialogs.ExpectSaveFileOfType(Projects.Path("Book.docx"), 0);
    Compile->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Compile));
    QTest::keyClick(Compile, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(Dialogs.Last().reason,
        "DOCX and EPUB files are written by pandoc, which is not installed.");
    EXPECT_FALSE(QFileInfo::exists(Projects.Path("Book.docx")));
}

TEST_F(ExportManuscriptTest, TheWindowAsksBeforeReplacingAnExportAndKeepsItsOptions)
{
    Main().Menus().mnuCompile->trigger();
    Compile->SetNames({ "A", "C" });
    Projects.Write("Book.odt", "earlier export");

    AcceptExportDialog([](ExportDialog& dialog) {
        QTest::mouseClick(dialog.cbStandardManuscript, Qt::LeftButton);
        dialog.edtAuthor->setFocus();
        QTest::keyClicks(dialog.edtAuthor, "Ada Quill");
    });
    Dialogs.ExpectSaveFileOfType(Projects.Path("Book.odt"), 1);
    Dialogs.ExpectOkCancel(false);
    QTest::mouseClick(Compile->btnExport, Qt::LeftButton);
    EXPECT_EQ(Dialogs.LastText(), "'Book.odt' already exists. Do you want to replace it?");
    EXPECT_EQ(Projects.Read("Book.odt"), "earlier export");

    // The second time the dialog shows what the writer chose the first time.
    bool remembered = false;
    AcceptExportDialog([&remembered](ExportDialog& dialog) {
        remembered = dialog.cbStandardManuscript->isChecked() && dialog.edtAuthor->text() == "Ada Quill";
    });
    Dialogs.ExpectSaveFileOfType(Projects.Path("Book.odt"), 1);
    Dialogs.ExpectOkCancel(true);
    QTest::mouseClick(Compile->btnExport, Qt::LeftButton);
    EXPECT_TRUE(remembered);
    EXPECT_TRUE(Projects.Read("Book.odt").startsWith("PK"))
        << "an ODT file replaced the earlier export";
    EXPECT_EQ(Dialogs.LastText(), "Manuscript exported successfully.");
    const QByteArray settings = App.Read("Nodex.ini");
    EXPECT_TRUE(settings.contains("Author=Ada Quill\n")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("StandardManuscript=1\n")) << settings.toStdString();
}

TEST_F(ExportManuscriptTest, CancelEndsAPandocThatTakesLongAndWritesNothing)
{
    // A pandoc that tells its version and then works on and on.
    const QString pandoc = Projects.Write("bin/pandoc",
        "#!/bin/sh\n"
        "case \"$*\" in *'-t json'*) echo '{\"pandoc-api-version\":[1,23]}'; exit 0;; esac\n"
        "cd \"$(dirname \"$0\")\" && echo $$ > pid.new && mv pid.new pid\n"
        "exec sleep 60\n");
    QFile::setPermissions(pandoc, QFile::ReadOwner | QFile::ExeOwner);
    Compile->PandocProgram = pandoc;
    Main().Menus().mnuCompile->trigger();
    Compile->SetNames({ "A", "C" });

    // Once pandoc is at work, the writer presses Cancel in the progress window; not at the
    // first look, when the progress may just have moved on, but while the export only waits.
    int looks = 0;
    bool pressed = false;
    QTimer writer;
    QObject::connect(&writer, &QTimer::timeout, Compile, [&] {
        QProgressDialog* progress = Compile->findChild<QProgressDialog*>();
        if (pressed || !Projects.Exists("bin/pid") || !progress || !progress->isVisible()
            || ++looks < 2)
            return;
        pressed = true;
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    writer.start(10);
    AcceptExportDialog();
    const qsizetype shown = Dialogs.History().size();
    Dialogs.ExpectSaveFileOfType(Projects.Path("Book.docx"), 1);
    QTest::mouseClick(Compile->btnExport, Qt::LeftButton);

    EXPECT_TRUE(pressed);
    EXPECT_TRUE(ProcessIsGone(Projects.Read("bin/pid").trimmed().toLongLong()));
    EXPECT_FALSE(QFileInfo::exists(Projects.Path("Book.docx")));
    EXPECT_EQ(Dialogs.History().size(), shown + 2) << "past the save dialog, a cancel says nothing";
}
