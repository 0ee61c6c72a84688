#include "ScriptedDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPrinter>

#include <gtest/gtest.h>

namespace {
const char* KindName(ScriptedDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedDialogs::Kind::Information: return "information";
    case ScriptedDialogs::Kind::Warning: return "warning";
    case ScriptedDialogs::Kind::YesNoCancel: return "Yes/No/Cancel question";
    case ScriptedDialogs::Kind::OkCancel: return "OK/Cancel question";
    case ScriptedDialogs::Kind::Choice: return "choice";
    case ScriptedDialogs::Kind::OpenFile: return "open-file dialog";
    case ScriptedDialogs::Kind::SaveFile: return "save-file dialog";
    case ScriptedDialogs::Kind::SaveFileOfType: return "typed save-file dialog";
    case ScriptedDialogs::Kind::Modal: return "dialog";
    case ScriptedDialogs::Kind::Printer: return "print dialog";
    }
    return "dialog";
}
} // namespace

ScriptedDialogs::~ScriptedDialogs()
{
    EXPECT_TRUE(FQueue.isEmpty()) << FQueue.size() << " scripted answer(s) were never asked for";
}

void ScriptedDialogs::ExpectYesNoCancel(Answer answer) { FQueue.append({Kind::YesNoCancel, int(answer), {}}); }

void ScriptedDialogs::ExpectOkCancel(bool ok) { FQueue.append({Kind::OkCancel, ok, {}}); }

void ScriptedDialogs::ExpectChoice(int index) { FQueue.append({Kind::Choice, index, {}}); }

void ScriptedDialogs::ExpectOpenFileName(const QString& path) { FQueue.append({Kind::OpenFile, path, {}}); }

void ScriptedDialogs::ExpectSaveFileName(const QString& path) { FQueue.append({Kind::SaveFile, path, {}}); }

void ScriptedDialogs::ExpectSaveFileOfType(const QString& path, int filter)
{
    FQueue.append({Kind::SaveFileOfType, path, {}, filter});
}

void ScriptedDialogs::ExpectModal(DialogScript script) { FQueue.append({Kind::Modal, {}, std::move(script)}); }

void ScriptedDialogs::ExpectPrinter(const QString& pdfPath) { FQueue.append({Kind::Printer, pdfPath, {}}); }

ScriptedDialogs::Scripted ScriptedDialogs::Next(Kind kind, const QString& text)
{
    FLog.append({kind, text, {}});
    if (FQueue.isEmpty() || FQueue.first().kind != kind) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << ": " << text.toStdString();
        return {kind, {}, {}};
    }
    return FQueue.takeFirst();
}

void ScriptedDialogs::ShowInformation(const QString& text) { FLog.append({Kind::Information, text, {}}); }

void ScriptedDialogs::ShowWarning(const QString& text, const QString& reason)
{
    FLog.append({Kind::Warning, text, reason});
}

Answer ScriptedDialogs::AskYesNoCancel(const QString& text)
{
    const QVariant value = Next(Kind::YesNoCancel, text).value;
    return value.isValid() ? Answer(value.toInt()) : Answer::Cancel;
}

bool ScriptedDialogs::AskOkCancel(const QString& text)
{
    const QVariant value = Next(Kind::OkCancel, text).value;
    return value.isValid() && value.toBool();
}

int ScriptedDialogs::AskChoice(const QString& text, const QStringList& choices)
{
    const QVariant value = Next(Kind::Choice, text).value;
    const int index = value.isValid() ? value.toInt() : -1;
    EXPECT_LT(index, choices.size()) << "no such button: " << text.toStdString();
    return index;
}

QString ScriptedDialogs::AskOpenFileName(const QString& title, const QString& folder, const QString&, const QString&)
{
    const QString typed = Next(Kind::OpenFile, title).value.toString();
    FLog.last().reason = folder;
    return typed;
}

QString ScriptedDialogs::AskSaveFileName(const QString& title, const QString& folder, const QString&,
                                         const QString& defaultSuffix, const QString& hint)
{
    // As Qt's dialog does: a name typed without any extension gets the default one.
    QString typed = Next(Kind::SaveFile, title).value.toString();
    FLog.last().reason = folder;
    if (!hint.isEmpty())
        FLog.last().text += "\n" + hint;
    if (!typed.isEmpty() && !defaultSuffix.isEmpty() && QFileInfo(typed).suffix().isEmpty())
        typed += "." + defaultSuffix;
    return typed;
}

QString ScriptedDialogs::AskSaveFileOfType(const QString& title, const QString& folder, const QStringList& filters,
                                           QString& chosenFilter)
{
    const Scripted answer = Next(Kind::SaveFileOfType, title);
    FLog.last().reason = filters.join(u'\n');
    FLog.last().folder = folder;
    FLog.last().filter = filters.contains(chosenFilter) ? chosenFilter : filters.value(0);
    if (answer.filter >= 0 && answer.filter < filters.size())
        chosenFilter = filters[answer.filter];
    return answer.value.toString();
}

bool ScriptedDialogs::AskPrinter(QPrinter& printer)
{
    const QString pdf = Next(Kind::Printer, printer.docName()).value.toString();
    if (pdf.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
}

bool ScriptedDialogs::RunModal(QDialog& dialog)
{
    const Scripted scripted = Next(Kind::Modal, dialog.windowTitle());
    if (!scripted.script)
        return false;
    dialog.setResult(QDialog::Rejected);
    // As exec() does: the dialog is the window the keys go to.
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    scripted.script(dialog);
    // A dialog the script left open is closed as its close box would.
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result() == QDialog::Accepted;
}

const ScriptedDialogs::Shown& ScriptedDialogs::Last() const
{
    static const Shown none{Kind::Information, {}, {}};
    if (FLog.isEmpty()) {
        ADD_FAILURE() << "nothing was shown";
        return none;
    }
    return FLog.last();
}

QStringList ScriptedDialogs::Texts() const
{
    QStringList texts;
    for (const Shown& shown : FLog)
        texts << shown.text;
    return texts;
}
