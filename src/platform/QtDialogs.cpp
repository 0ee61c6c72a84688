#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
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
    : Parent(parent)
    , Title(std::move(title))
{
}

void QtDialogs::ShowInformation(const QString& text)
{
    ArrowWhileAsking arrow;
    QMessageBox::information(Parent.data(), Title, text, QMessageBox::Ok);
}

void QtDialogs::ShowWarning(const QString& text)
{
    ArrowWhileAsking arrow;
    QMessageBox::warning(Parent.data(), Title, text, QMessageBox::Ok);
}

Answer QtDialogs::AskYesNoCancel(const QString& text)
{
    ArrowWhileAsking arrow;
    switch (QMessageBox::question(Parent.data(), Title, text,
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
    ArrowWhileAsking arrow;
    return QMessageBox::question(
               Parent.data(), Title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

QString QtDialogs::AskOpenFileName(
    const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(Parent.data(), title, folder, filter);
}

QString QtDialogs::AskSaveFileName(
    const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getSaveFileName(Parent.data(), title, folder, filter);
}
