#include "spelling/SpellChecker.h"

#include "platform/Dialogs.h"
#include "platform/WaitCursor.h"
#include "messages/MessageTable.h"
#include "spelling/SpellCheck.h"
#include "spelling/SpellCheckRun.h"
#include "spelling/SpellEngine.h"
#include "spelling/SpellTarget.h"
#include "spelling/SpellingOptions.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

TSpellChecker::TSpellChecker(
    SpellEngine& engine, Dialogs& dialogs, const MessageTable& messages, QWidget* window)
    : QObject(window)
    , FEngine(engine)
    , FDialogs(dialogs)
    , FMessages(messages)
    , FWindow(window)
{
}

TSpellChecker::~TSpellChecker() = default;

SpellCheck* TSpellChecker::Dialog() const
{
    return FRun ? FDialog.data() : nullptr;
}

void TSpellChecker::Check(SpellTarget& target, TCheckMode)
{
    if (FRun) {
        ShowDialog();
        return;
    }
    if (!FEngine.HasDictionary()) {
        const QString problem = FEngine.DictionaryProblem();
        if (problem.isEmpty())
            FDialogs.ShowInformation(FMessages.Text(MessageKey::SPELL_NO_DICTIONARY));
        else
            FDialogs.ShowWarning(FMessages.Text(MessageKey::SPELL_DICTIONARY_NOT_READ), problem);
        return;
    }
    FTarget = &target;
    FRun = std::make_unique<SpellCheckRun>(FEngine, target);
    Advance();
}

void TSpellChecker::Advance()
{
    bool found = false;
    {
        WaitCursor wait;
        found = FRun->Next().has_value();
    }
    if (!found) {
        Finish(false);
        return;
    }
    const SpellProblem& problem = *FRun->Current();
    FTarget->Select(problem.Word.Start, problem.Word.End());
    CheckDialog().ShowProblem(problem);
    ShowDialog();
}

void TSpellChecker::ShowDialog()
{
    SpellCheck& dialog = CheckDialog();
    dialog.show();
    KeepOutOfTheWay();
    dialog.raise();
    dialog.activateWindow();
}

void TSpellChecker::KeepOutOfTheWay()
{
    const QRect word = FTarget->SelectionOnScreen();
    QRect frame = FDialog->frameGeometry();
    if (word.isNull() || !frame.intersects(word))
        return;
    const QScreen* screen = FDialog->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    frame.moveTop(word.bottom() + 1);
    if (!room.isNull() && frame.bottom() > room.bottom())
        frame.moveBottom(word.top() - 1);
    FDialog->move(frame.topLeft());
}

void TSpellChecker::Finish(bool cancelled)
{
    if (!FRun)
        return;
    const qsizetype caret = FRun->OriginalCaret();
    // Gone before the dialog hides, so that its deactivation finds no check to stop.
    FRun.reset();
    // The writer answered in the dialog: the editor takes the keys again.
    const bool answering = FDialog && FDialog->isActiveWindow();
    if (FDialog)
        FDialog->hide();
    if (answering)
        FWindow->activateWindow();
    FTarget->Select(caret, caret);
    FTarget = nullptr;
    if (!cancelled)
        FDialogs.ShowInformation(FMessages.Text(MessageKey::SPELL_CHECK_COMPLETE));
}

void TSpellChecker::ApplyCaptions()
{
    if (FDialog)
        FDialog->ApplyCaptions();
}

void TSpellChecker::StopCheck()
{
    Finish(true);
}

SpellCheck& TSpellChecker::CheckDialog()
{
    if (FDialog)
        return *FDialog;
    FDialog = new SpellCheck(FMessages, FWindow);
    const auto answer = [this](auto act) {
        return [this, act](auto... replacement) {
            if (!FRun)
                return;
            act(*FRun, replacement...);
            Advance();
        };
    };
    connect(FDialog, &SpellCheck::IgnoreClicked, this,
        answer([](SpellCheckRun& run) { run.Ignore(); }));
    connect(FDialog, &SpellCheck::IgnoreAllClicked, this,
        answer([](SpellCheckRun& run) { run.IgnoreAll(); }));
    connect(FDialog, &SpellCheck::ChangeClicked, this,
        answer([](SpellCheckRun& run, const QString& text) { run.Change(text); }));
    connect(FDialog, &SpellCheck::ChangeAllClicked, this,
        answer([](SpellCheckRun& run, const QString& text) { run.ChangeAll(text); }));
    connect(FDialog, &SpellCheck::AddClicked, this, [this] {
        if (!FRun)
            return;
        QString error;
        const QString word = FRun->Current() ? FRun->Current()->Word.Text : QString();
        if (!FRun->Add(error)) {
            FDialogs.ShowWarning(FMessages.Text(MessageKey::SPELL_WORD_NOT_ADDED).arg(word), error);
            return;
        }
        Advance();
    });
    connect(FDialog, &SpellCheck::CancelClicked, this, &TSpellChecker::StopCheck);
    connect(FDialog, &SpellCheck::Deactivated, this, &TSpellChecker::DialogDeactivate);
    return *FDialog;
}

void TSpellChecker::ShowConfigDialog()
{
    SpellingOptions dialog(FEngine.Settings(), FEngine.Config.ConfigAvailableOptions,
        FEngine.InstalledDictionaries(), FMessages, FWindow);
    if (!FDialogs.RunModal(dialog))
        return;
    QString error;
    if (!FEngine.ApplySettings(dialog.Settings(), error))
        FDialogs.ShowWarning(FMessages.Text(MessageKey::SPELL_OPTIONS_NOT_SAVED), error);
}
