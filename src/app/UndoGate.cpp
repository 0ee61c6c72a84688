#include "app/UndoGate.h"

#include "app/EditorWindows.h"
#include "app/MainMenus.h"
#include "editor/Editor.h"
#include "messages/MessageTable.h"
#include "platform/Dialogs.h"
#include "steps/ProjectStep.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMenu>
#include <QRegularExpression>
#include <QUndoStack>

UndoGate::UndoGate(QUndoStack& steps, EditorWindows& editors, MainMenus& menus, Dialogs& dialogs,
                   const MessageTable& messages)
    : FSteps(steps)
    , FEditors(editors)
    , FMenus(menus)
    , FDialogs(dialogs)
    , FMessages(messages)
{
}

void UndoGate::UpdateEditMenu()
{
    FMenus.mmnuEdit->setTitle(FMessages.Text(MessageKey::EDIT_MENU));
    // The captions name the step, as the writer would call it: "Undo Move 3 Cards".
    // A card name in the step ("Move 'Fish & Chips' Up") shows its "&" rather than marking a key.
    const auto caption = [this](MessageKey plain, MessageKey named, QString step) {
        return step.isEmpty() ? FMessages.Text(plain)
                              : FMessages.Text(named).arg(step.replace('&', QStringLiteral("&&")));
    };
    FMenus.mnuUndo->setText(caption(MessageKey::UNDO, MessageKey::UNDO_STEP, FSteps.undoText()));
    FMenus.mnuRedo->setText(caption(MessageKey::REDO, MessageKey::REDO_STEP, FSteps.redoText()));
    FMenus.mnuUndo->setEnabled(FSteps.canUndo());
    FMenus.mnuRedo->setEnabled(FSteps.canRedo());
}

void UndoGate::RetranslateSteps(QUndoStack& steps, const MessageTable& before, const MessageTable& now)
{
    static constexpr MessageKey stepKeys[] = {
        MessageKey::STEP_MOVE_CARD, MessageKey::STEP_MOVE_CARDS, MessageKey::STEP_LINK,
        MessageKey::STEP_UNLINK, MessageKey::STEP_REMOVE_LINKS, MessageKey::STEP_NEW_CARD,
        MessageKey::STEP_PROPERTIES, MessageKey::STEP_REVISION_STATE, MessageKey::STEP_DELETE_CARD,
        MessageKey::STEP_DELETE_CARDS, MessageKey::STEP_MERGE, MessageKey::STEP_PROJECT_OPTIONS,
        MessageKey::STEP_MOVE_UP, MessageKey::STEP_MOVE_DOWN, MessageKey::STEP_MOVE_IN_CHAIN,
        MessageKey::STEP_LINK_INTO_CHAIN, MessageKey::STEP_REMOVE_FROM_CHAIN,
        MessageKey::STEP_DUPLICATE_CARD, MessageKey::STEP_DUPLICATE_CARDS,
    };
    // A step keeps only its text: the key it came from is found by matching the old language's
    // texts, with "%1" standing for the number a text names.
    QList<std::pair<QRegularExpression, MessageKey>> patterns;
    for (const MessageKey key : stepKeys) {
        QString pattern = QRegularExpression::escape(before.Text(key));
        pattern.replace(QStringLiteral("\\%1"), QStringLiteral("(.+)"));
        patterns.append({QRegularExpression(QRegularExpression::anchoredPattern(pattern)), key});
    }
    for (int index = 0; index < steps.count(); ++index) {
        auto* step = const_cast<QUndoCommand*>(steps.command(index));
        for (const auto& [pattern, key] : std::as_const(patterns)) {
            const QRegularExpressionMatch match = pattern.match(step->text());
            if (!match.hasMatch())
                continue;
            const QString text = now.Text(key);
            step->setText(match.lastCapturedIndex() >= 1 ? text.arg(match.captured(1)) : text);
            break;
        }
    }
}

void UndoGate::Undo()
{
    RunStep(true);
}

void UndoGate::Redo()
{
    RunStep(false);
}

void UndoGate::RunStep(bool undo)
{
    if (!(undo ? FSteps.canUndo() : FSteps.canRedo()))
        return;
    // A step may take a card away, and its editor with it: what is typed there is saved first,
    // so that nothing is lost and the step's own checks see the text as it is on disk.
    QString reason;
    bool done = SaveEditorTexts(reason);
    if (done)
        RunStepKeepingEditorsCurrent([&] {
            done = undo ? ProjectStep::UndoTop(FSteps, reason)
                        : ProjectStep::RedoNext(FSteps, reason);
        });
    if (!done)
        FDialogs.ShowWarning(
            FMessages.Text(undo ? MessageKey::UNDO_NOT_DONE : MessageKey::REDO_NOT_DONE), reason);
}

void UndoGate::RunStepKeepingEditorsCurrent(const std::function<void()>& run)
{
    // A step that writes a card's text back (the undo of a merge) leaves that card's open
    // editor showing what the file no longer holds; such editors load their text again. The
    // editors were saved before, so nothing typed is lost.
    QHash<TfmEditor*, QPair<qint64, QDateTime>> before;
    for (TfmEditor* editor : FEditors.Open()) {
        const QFileInfo file(editor->TextFilePath());
        before.insert(editor, { file.size(), file.lastModified() });
    }
    run();
    for (TfmEditor* editor : FEditors.Open()) {
        const QFileInfo file(editor->TextFilePath());
        if (before.contains(editor) && before.value(editor) != qMakePair(file.size(), file.lastModified()))
            editor->ReloadText();
    }
}

bool UndoGate::SaveEditorTexts(QString& reason)
{
    for (TfmEditor* editor : FEditors.Open()) {
        if (editor->IsModified() && !editor->SaveText()) {
            reason = FMessages.Text(MessageKey::TEXT_NOT_SAVED).arg(editor->CardName);
            return false;
        }
    }
    return true;
}
