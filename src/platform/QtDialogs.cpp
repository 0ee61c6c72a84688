#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace {
/// A box asked during a long operation shows the ordinary pointer, not the hourglass.
class ArrowWhileAsking {
public:
    ArrowWhileAsking()
        : Pushed(QApplication::overrideCursor() != nullptr)
    {
        if (Pushed)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking()
    {
        if (Pushed)
            QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool Pushed;
};
} // namespace

QtDialogs::QtDialogs(QWidget* parent, QString title)
    : FParent(parent)
    , FTitle(std::move(title))
{
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &FWatch, [this](QWindow* focus) {
        if (!focus)
            return;
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto found = std::find_if(windows.begin(), windows.end(),
                                        [focus](QWidget* window) { return window->windowHandle() == focus; });
        if (found != windows.end())
            FLastActive = *found;
    });
}

QWidget* QtDialogs::AskingWindow() const
{
    QWidget* window = QApplication::activeModalWidget();
    if (!window)
        window = QApplication::activeWindow();
    if (!window)
        window = FLastActive;
    // A dialog that closed as it asked (a finished spell check) hands the question to its window.
    while (window && !window->isVisible())
        window = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    return window ? window : FParent.data();
}

std::unique_ptr<QMessageBox> QtDialogs::MakeBox(QMessageBox::Icon icon, const QString& text,
                                                const QString& reason,
                                                QMessageBox::StandardButtons buttons) const
{
    auto box = std::make_unique<QMessageBox>(icon, FTitle, text, buttons, AskingWindow());
    box->setTextFormat(Qt::PlainText);
    if (!reason.isEmpty()) {
        box->setInformativeText(reason);
        // The reason names files too; its label guesses the format unless told.
        if (auto* label = box->findChild<QLabel*>("qt_msgbox_informativelabel"))
            label->setTextFormat(Qt::PlainText);
    }
    return box;
}

int QtDialogs::Run(QMessageBox::Icon icon, const QString& text, const QString& reason,
                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    ArrowWhileAsking arrow;
    const auto box = MakeBox(icon, text, reason, buttons);
    box->setDefaultButton(defaultButton);
    return box->exec();
}

void QtDialogs::ShowInformation(const QString& text)
{
    Run(QMessageBox::Information, text, {}, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::ShowWarning(const QString& text, const QString& reason)
{
    Run(QMessageBox::Warning, text, reason, QMessageBox::Ok, QMessageBox::Ok);
}

Answer QtDialogs::AskYesNoCancel(const QString& text)
{
    switch (Run(QMessageBox::Question, text, {},
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtDialogs::AskOkCancel(const QString& text)
{
    return Run(QMessageBox::Question, text, {}, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Ok)
        == QMessageBox::Ok;
}

int QtDialogs::AskChoice(const QString& text, const QStringList& choices)
{
    ArrowWhileAsking arrow;
    const auto box = MakeBox(QMessageBox::Question, text, {}, QMessageBox::NoButton);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons.append(box->addButton(choice, QMessageBox::AcceptRole));
    if (!buttons.isEmpty())
        box->setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
    // Esc answers with no choice, which changes nothing: a box of the caller's own buttons has no
    // Cancel for Esc to press, so a hidden one stands in.
    QAbstractButton* escape = box->addButton(QMessageBox::Cancel);
    escape->hide();
    box->setEscapeButton(escape);
    box->exec();
    return int(buttons.indexOf(box->clickedButton()));
}

std::unique_ptr<QFileDialog> QtDialogs::MakeFileDialog(QFileDialog::AcceptMode mode, const QString& title,
                                                       const QString& folder, const QString& filter,
                                                       const QString& defaultSuffix, const QString& hint) const
{
    auto dialog = std::make_unique<QFileDialog>(AskingWindow(), title, folder, filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(defaultSuffix);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    // Qt's own dialog lays its controls out in a grid: the hint takes a row of its own below.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()); grid && !hint.isEmpty()) {
        auto* label = new QLabel(hint, dialog.get());
        label->setObjectName("hint");
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    }
    return dialog;
}

QString QtDialogs::RunFileDialog(QFileDialog::AcceptMode mode, const QString& title, const QString& folder,
                                 const QString& filter, const QString& defaultSuffix, const QString& hint)
{
    ArrowWhileAsking arrow;
    const auto dialog = MakeFileDialog(mode, title, folder, filter, defaultSuffix, hint);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

QString QtDialogs::AskOpenFileName(const QString& title, const QString& folder, const QString& filter,
                                   const QString& defaultSuffix)
{
    return RunFileDialog(QFileDialog::AcceptOpen, title, folder, filter, defaultSuffix);
}

QString QtDialogs::AskSaveFileName(const QString& title, const QString& folder, const QString& filter,
                                   const QString& defaultSuffix, const QString& hint)
{
    return RunFileDialog(QFileDialog::AcceptSave, title, folder, filter, defaultSuffix, hint);
}

QString QtDialogs::AskSaveFileOfType(const QString& title, const QString& folder, const QStringList& filters,
                                     QString& chosenFilter)
{
    ArrowWhileAsking arrow;
    const auto dialog = MakeFileDialog(QFileDialog::AcceptSave, title, folder, QString(), QString());
    dialog->setNameFilters(filters);
    if (filters.contains(chosenFilter))
        dialog->selectNameFilter(chosenFilter);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    chosenFilter = dialog->selectedNameFilter();
    return dialog->selectedFiles().first();
}

bool QtDialogs::RunModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

bool QtDialogs::AskPrinter(QPrinter& printer)
{
    ArrowWhileAsking arrow;
    // Printing to a PDF file stays on offer: many desktops have no printer set up at all.
    QPrintDialog dialog(&printer, AskingWindow());
    return dialog.exec() == QDialog::Accepted;
}
