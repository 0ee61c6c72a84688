#include "AppFixture.h"
#include "app/Main.h"
#include "canvas/Nodex.h"
#include "editor/CompareWindow.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/RecoveryWindow.h"
#include "editor/RecoveryWriter.h"
#include "platform/FileSteps.h"
#include "project/RecoveryStore.h"

#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const QByteArray LampText = "The lamp is lit.\r\n";
const QByteArray SeaText = "The sea is calm.\r\n";
const QString Typed
    = QStringLiteral("Twenty words: the keeper climbed the stair at dusk,\n"
                     "trimmed the wick in the caf\u00e9 and watched the storm come in ");

/// Types a text key by key, as a keyboard with a key for each of its characters would.
void Type(QWidget* memo, const QString& text)
{
    for (const QChar character : text) {
        if (character == '\n')
            QTest::keyClick(memo, Qt::Key_Return);
        else
            QTest::sendKeyEvent(
                QTest::Click, memo, Qt::Key(character.toUpper().unicode()), QString(character), {});
    }
}
} // namespace

/// A project of three cards, one of them with a text of 10 MB, run from a program folder that
/// has its recovery folder, as the staged program has.
class RecoveryTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        App.MakeFolder("Recovery");
        ASSERT_TRUE(Program->Start({}));
        WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("Lamp", 0, 0, 100, 100);
        WriteCard("Long", 0, 0, 250, 100);
        WriteCard("Sea", 0, 0, 400, 100);
        Projects.Write("Text Files/Lamp.txt", LampText);
        Projects.Write("Text Files/Sea.txt", SeaText);
        const QByteArray line
            = "The keeper climbed the spiral stair at dusk and trimmed the wick.\r\n";
        LongText.reserve(10 * 1024 * 1024 + line.size());
        while (LongText.size() < 10 * 1024 * 1024)
            LongText += line;
        Projects.Write("Text Files/Long.txt", LongText);
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    }

    TfmEditor* OpenEditor(const char* name)
    {
        Main().Selection().CurrentCard = Card(name);
        Main().Selection().SelectedCards = { Card(name) };
        Main().OpenCardEditor(Card(name));
        return Editor(name);
    }
    TfmEditor* Editor(const char* name) { return Main().CardEditors().Of(Card(name)->Id()); }

    /// Types into the open project's editors in a child process that is killed (SIGKILL) 2.5 s
    /// after the last key, as a crash or a power cut would stop the program. The timers that
    /// run out before then fire first, however busy the machine.
    void KilledWhileTyping(const std::function<void()>& typing)
    {
        // The pool's threads stay behind in a fork: a child that paints with the ones the
        // parent started would wait for them for ever.
        QThreadPool::globalInstance()->waitForDone();
        RecoveryWriter::WaitForAll();
        const pid_t child = ::fork();
        if (child == 0) {
            typing();
            // The writes the timers started are given the time a busy machine takes.
            QTimer::singleShot(2500, [] {
                RecoveryWriter::WaitForAll();
                ::raise(SIGKILL);
            });
            QEventLoop().exec();
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    }

    /// What the editor's recovery timer does, up to the report of its write.
    static void KeepNow(TfmEditor* editor)
    {
        editor->KeepForRecovery();
        RecoveryWriter::WaitForAll();
        QCoreApplication::sendPostedEvents(editor, QEvent::MetaCall);
    }

    QList<RecoveredText> Kept()
    {
        return RecoveryStore(
            RecoveryStore::FolderOf(App.Path("Recovery/"), Projects.Path() + "/", "Book.nodex"))
            .List();
    }
    static QStringList Captions(const RecoveryWindow& window)
    {
        QStringList captions;
        for (int row = 0; row < window.lstCards->count(); ++row)
            captions << window.lstCards->item(row)->text();
        return captions;
    }

    QByteArray LongText;
};

TEST_F(RecoveryTest, TextsTypedBeforeAKillAreRestoredExactlyByEnterAndGoWhenSavedOrGivenUp)
{
    KilledWhileTyping([&] {
        Type(OpenEditor("Lamp")->memEditor, Typed);
        Type(OpenEditor("Long")->memEditor, Typed);
    });
    EXPECT_EQ(Projects.Read("Text Files/Lamp.txt"), LampText);
    EXPECT_EQ(Projects.Read("Text Files/Long.txt"), LongText);

    QStringList offered;
    Dialogs.ExpectModal([&](QDialog& dialog) {
        offered = Captions(static_cast<RecoveryWindow&>(dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    ASSERT_EQ(offered.size(), 2);
    EXPECT_TRUE(offered[0].startsWith("Lamp (typed until ")) << offered[0].toStdString();
    EXPECT_TRUE(offered[1].startsWith("Long (typed until ")) << offered[1].toStdString();

    TfmEditor* lamp = Editor("Lamp");
    TfmEditor* longer = Editor("Long");
    ASSERT_TRUE(lamp && longer);
    EXPECT_EQ(lamp->memEditor->Text(), Typed + "The lamp is lit.\n");
    EXPECT_TRUE(
        longer->memEditor->Text() == Typed + QString::fromLatin1(LongText).replace("\r\n", "\n"));
    EXPECT_TRUE(lamp->IsModified() && longer->IsModified());
    EXPECT_TRUE(lamp->windowTitle().endsWith(" *"));
    // Nothing is written until the writer saves.
    EXPECT_EQ(Projects.Read("Text Files/Lamp.txt"), LampText);
    EXPECT_EQ(Kept().size(), 2);

    ASSERT_TRUE(lamp->SaveText());
    EXPECT_EQ(
        Projects.Read("Text Files/Lamp.txt"), Typed.toUtf8().replace("\n", "\r\n") + LampText);
    Dialogs.ExpectYesNoCancel(Answer::No);
    longer->close();
    EXPECT_TRUE(Kept().isEmpty());
    EXPECT_EQ(Projects.Read("Text Files/Long.txt"), LongText);
}

TEST_F(
    RecoveryTest, EscKeepsTheTextsDiscardRemovesThemAndARenamedCardsTextIsComparedUnderItsOldName)
{
    KilledWhileTyping([&] {
        QTest::keyClicks(OpenEditor("Lamp")->memEditor, "lit ");
        QTest::keyClicks(OpenEditor("Sea")->memEditor, "calm ");
    });
    // Another copy of the program changed one card's text since, and renamed the other card.
    const QByteArray changed = "The lamp went out.\r\n";
    Projects.Write("Text Files/Lamp.txt", changed);
    QDir project(Projects.Path());
    ASSERT_TRUE(project.rename("Sea.ndx", "Shore.ndx")
        && project.rename("Text Files/Sea.txt", "Text Files/Shore.txt"));

    Dialogs.ExpectModal([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    EXPECT_EQ(Kept().size(), 2);
    EXPECT_TRUE(Main().CardEditors().Open().isEmpty());
    // What is typed now is kept beside the text left for later, not over it.
    TfmEditor* lamp = OpenEditor("Lamp");
    QTest::keyClicks(lamp->memEditor, "more ");
    KeepNow(lamp);
    EXPECT_EQ(Kept().size(), 3);

    QString compared;
    QStringList offered;
    Dialogs.ExpectModal([&](QDialog& dialog) {
        auto& window = static_cast<RecoveryWindow&>(dialog);
        offered = Captions(window);
        window.lstCards->setCurrentRow(2);
        EXPECT_FALSE(window.btnRestore->isEnabled());
        QTest::mouseClick(window.btnCompare, Qt::LeftButton);
        if (auto* compare = window.findChild<CompareWindow*>())
            compared = compare->memLeft->toPlainText().trimmed() + "|"
                + compare->memRight->toPlainText().trimmed();
        window.lstCards->selectAll();
        QTest::mouseClick(window.btnDiscard, Qt::LeftButton);
    });
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    ASSERT_EQ(offered.size(), 3);
    EXPECT_TRUE(offered[0].startsWith("Lamp (") && offered[1].startsWith("Lamp ("));
    // Only the text kept before the file changed is older than it.
    const QString older = ": its text file was changed since";
    EXPECT_NE(offered[0].endsWith(older), offered[1].endsWith(older));
    EXPECT_TRUE(offered[2].startsWith("Sea (typed until ")) << offered[2].toStdString();
    EXPECT_TRUE(offered[2].endsWith(": no nodex has this name now: compare to copy the text"));
    EXPECT_EQ(compared, "calm The sea is calm.|");
    EXPECT_TRUE(Kept().isEmpty());
    EXPECT_TRUE(Main().CardEditors().Open().isEmpty());
    EXPECT_EQ(Projects.Read("Text Files/Lamp.txt"), changed);
    // Nothing is left to offer.
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
}

TEST_F(RecoveryTest, AFullStateFolderIsSaidInTheStatusLineWhileTypingGoesOnAndNoOnLeavingDiscards)
{
    SetFileStepHook([](FileStep step, const QByteArray& path) {
        return StepOutcome { step == FileStep::Write && path.contains("/Recovery/") ? ENOSPC : 0 };
    });
    TfmEditor* lamp = OpenEditor("Lamp");
    const auto* status = lamp->findChild<QLabel*>("sbStatus");
    QTest::keyClicks(lamp->memEditor, "a");
    KeepNow(lamp);
    EXPECT_TRUE(
        status->text().startsWith(" Unsaved text is not kept for recovery: Cannot write '"));
    EXPECT_TRUE(status->text().endsWith("': No space left on device"))
        << status->text().toStdString();
    QTest::keyClicks(lamp->memEditor, "b");
    KeepNow(lamp);
    EXPECT_EQ(lamp->memEditor->Text(), "abThe lamp is lit.\n");
    EXPECT_TRUE(Kept().isEmpty());

    SetFileStepHook({});
    KeepNow(lamp);
    EXPECT_EQ(status->text(), " Auto-save is off");
    ASSERT_EQ(Kept().size(), 1);

    // Leaving the project without saving the editors gives their texts up.
    Dialogs.ExpectYesNoCancel(Answer::No);
    Main().Commands().New();
    EXPECT_TRUE(Kept().isEmpty());
}
