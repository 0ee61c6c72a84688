#include "platform/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <utility>

QtDialogs::QtDialogs(QWidget* parent, QString title)
    : Parent(parent)
    , Title(std::move(title))
{
}

void QtDialogs::ShowInformation(const QString& text)
{
    QMessageBox::information(Parent.data(), Title, text, QMessageBox::Ok);
}

void QtDialogs::ShowWarning(const QString& text)
{
    QMessageBox::warning(Parent.data(), Title, text, QMessageBox::Ok);
}

Answer QtDialogs::AskYesNoCancel(const QString& text)
{
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
