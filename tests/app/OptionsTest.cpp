#include "AppFixture.h"
#include "RealKeys.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "settings/Options.h"
#include "statistics/Statistics.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {
TfmOptions& Options(QDialog& dialog) { return static_cast<TfmOptions&>(dialog); }

} // namespace

/// A saved project with one card; the program folder has two themes and one language.
class OptionsTest : public AppFixture {
protected:
    void SetUp() override
    {
        App.Write("Themes/Book.ini", "[Theme]\n");
        // A theme written on a system that ignores case: listed and kept as it is spelt.
        App.Write("Themes/Night.INI", "[Theme]\nBackground_Colour=000000\n");
        App.Write("Languages/English.ini", "[Buttons]\nBN00=&OK\n");
        App.Write("Nodex.ini", "[Editor]\nFontName=No Such Font\n");
        WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("A", 0, 0, 100, 100);
        StartProgram();
        ASSERT_TRUE(Program->Start({Projects.Path("Book.nodex")}));
    }
    void RunOptions(const ScriptedDialogs::DialogScript& script)
    {
        Dialogs.ExpectModal(script);
        Main().Menus().mnuOptions->trigger();
    }
};

TEST_F(OptionsTest, OkWithoutChangesChangesNothingButTheSettingsFile)
{
    App.Write("Nodex.ini", "");
    RunOptions([](QDialog& dialog) {
        TfmOptions& options = Options(dialog);
        EXPECT_EQ(options.cmbThemes->currentText(), "Book");
        EXPECT_EQ(options.cmbDefaultTheme->count(), 2);
        EXPECT_EQ(options.cmbLanguage->currentText(), "English");
        EXPECT_EQ(options.cmbFontName->currentIndex(), -1) << "a font that is not installed";
        EXPECT_TRUE(options.rbSingle->isChecked());
        QTest::mouseClick(options.btnOK, Qt::LeftButton);
    });
    EXPECT_FALSE(Main().ProjectModified());
    EXPECT_EQ(Main().Settings().EditorFontName, "") << "no font chosen, none stored";
    EXPECT_TRUE(App.Read("Nodex.ini").contains("[Editor]\nStayOnTop=0\nFontName=\nFontSize=11\n"));
}

TEST_F(OptionsTest, TheTargetTakesOnlyDigitsAndTheKeysStillWork)
{
    const int before = Main().Project().TargetWordCount;
    RunOptions([](QDialog& dialog) {
        QLineEdit* target = Options(dialog).edtTargetWordCount;
        target->selectAll();
        QTest::keyClicks(target, "12a-b34567890");
        EXPECT_EQ(target->text(), "1234567") << "seven digits at most, nothing else";
        PressKey(target, Qt::Key_Backspace, {}, "\x08");
        EXPECT_EQ(target->text(), "123456");
        PressKey(target, Qt::Key_Return, {}, "\r");
    });
    EXPECT_EQ(Main().Project().TargetWordCount, 123456);
    EXPECT_TRUE(Main().ProjectModified());
    // What the project file keeps is undone like any change to the project.
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Project Options");
    Main().Menus().mnuUndo->trigger();
    EXPECT_EQ(Main().Project().TargetWordCount, before);
    EXPECT_FALSE(Main().ProjectModified());
    Main().Menus().mnuRedo->trigger();
    EXPECT_EQ(Main().Project().TargetWordCount, 123456);

    // Only a paste brings anything else: that is no number.
    QApplication::clipboard()->setText("lots");
    RunOptions([](QDialog& dialog) {
        QLineEdit* target = Options(dialog).edtTargetWordCount;
        target->selectAll();
        PressKey(target, Qt::Key_V, Qt::ControlModifier, "\x16");
        QTest::mouseClick(Options(dialog).btnOK, Qt::LeftButton);
    });
    EXPECT_EQ(Main().Project().TargetWordCount, 0);
}

TEST_F(OptionsTest, ProjectOptionsMarkTheProjectAndCancelKeepsEverything)
{
    const int width = Main().Canvas().CanvasWidth();
    RunOptions([](QDialog& dialog) {
        TfmOptions& options = Options(dialog);
        options.rbDouble->setChecked(true);
        options.cmbThemes->setCurrentIndex(options.cmbThemes->findText("Night"));
        options.cbAutoSave->setChecked(false);
        EXPECT_FALSE(options.cmbInterval->isEnabled());
        options.cbAutoSave->setChecked(true);
        EXPECT_TRUE(options.cmbInterval->isEnabled());
        options.cmbInterval->setCurrentIndex(options.cmbInterval->findText("5"));
        options.edtKeepBackups->setValue(0);
        PressKey(&dialog, Qt::Key_Escape, {}, "\x1b");
    });
    EXPECT_EQ(Main().Canvas().CanvasWidth(), width);
    EXPECT_FALSE(Main().ProjectModified());
    EXPECT_EQ(Main().CurrentTheme().ThemeName, "Book.ini");
    EXPECT_EQ(Main().Settings().AutoSaveInterval, 15);
    EXPECT_EQ(Main().Settings().AutomaticBackups, 10);

    RunOptions([](QDialog& dialog) {
        TfmOptions& options = Options(dialog);
        options.rbDouble->setChecked(true);
        options.cmbThemes->setCurrentIndex(options.cmbThemes->findText("Night"));
        options.cbAutoSave->setChecked(true);
        options.cmbInterval->setCurrentIndex(options.cmbInterval->findText("5"));
        options.cbEditorsOnTop->setChecked(true);
        EXPECT_EQ(options.edtKeepBackups->value(), 10);
        options.edtKeepBackups->setValue(3);
        QTest::mouseClick(options.btnOK, Qt::LeftButton);
    });
    EXPECT_GT(Main().Canvas().CanvasWidth(), width) << "the canvas is twice the screen now";
    EXPECT_EQ(Main().CurrentTheme().ThemeName, "Night.INI");
    EXPECT_EQ(Main().Canvas().backgroundBrush().color(), QColor(Qt::black));
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_TRUE(App.Read("Nodex.ini").contains("AutoSave=1\nAutoSaveInterval=5\nAutomaticBackups=3\n"));

    // Editors opened from now on stay on top.
    Main().Selection().CurrentCard = Card("A");
    Main().Selection().SelectedCards = {Card("A")};
    Main().OpenCardEditor(Card("A"));
    EXPECT_TRUE(Card("A")->Editor()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(OptionsTest, GoalsAreTypedOnTheProjectPageUndoneAndShownInTheStatistics)
{
    RunOptions([](QDialog& dialog) {
        TfmOptions& options = Options(dialog);
        options.pcOptions->setCurrentWidget(options.tsProject);
        EXPECT_FALSE(options.cbDeadline->isChecked()) << "no deadline yet";
        EXPECT_FALSE(options.dtpDeadline->isEnabled());
        options.edtDailyTarget->setFocus();
        options.edtDailyTarget->selectAll();
        QTest::keyClicks(options.edtDailyTarget, "500");
        PressKey(options.edtDailyTarget, Qt::Key_Tab, {}, "\t");
        QTest::keyClicks(QApplication::focusWidget(), "250");
        PressKey(QApplication::focusWidget(), Qt::Key_Tab, {}, "\t");
        ASSERT_EQ(QApplication::focusWidget(), options.cbDeadline);
        PressKey(options.cbDeadline, Qt::Key_Space, {}, " ");
        EXPECT_TRUE(options.dtpDeadline->isEnabled());
        options.dtpDeadline->setDate(QDate(2027, 3, 1));
        PressKey(options.cbDeadline, Qt::Key_Return, {}, "\r");
    });
    EXPECT_EQ(Main().Project().DailyTarget, 500);
    EXPECT_EQ(Main().Project().SessionTarget, 250);
    EXPECT_EQ(Main().Project().Deadline, QDate(2027, 3, 1));
    EXPECT_TRUE(Main().ProjectModified());

    Main().Menus().mnuStatistics->trigger();
    auto* statistics = Main().findChild<TfmStatistics*>("fmStatistics");
    ASSERT_TRUE(statistics);
    EXPECT_TRUE(statistics->isVisible());
    EXPECT_EQ(statistics->pbToday->maximum(), 500);
    EXPECT_EQ(statistics->pbSession->maximum(), 250);

    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Project Options");
    Main().Menus().mnuUndo->trigger();
    EXPECT_EQ(Main().Project().DailyTarget, 0);
    EXPECT_EQ(Main().Project().SessionTarget, 0);
    EXPECT_FALSE(Main().Project().Deadline.isValid());
    EXPECT_FALSE(Main().ProjectModified());
    // What the window shows follows the goals while it is open.
    statistics->Refresh();
    EXPECT_FALSE(statistics->pbToday->isEnabled()) << "no daily target any more";
    RunOptions([](QDialog& dialog) {
        EXPECT_EQ(Options(dialog).edtDailyTarget->value(), 0);
        EXPECT_FALSE(Options(dialog).cbDeadline->isChecked());
    });
}
