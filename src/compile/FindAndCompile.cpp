#include "compile/FindAndCompile.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfmFindAndCompile::TfmFindAndCompile(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint
                          | Qt::WindowCloseButtonHint)
    , gbFind(new QGroupBox(QStringLiteral(" Find ")))
    , edtFind(new QLineEdit)
    , cbMatchCase(new QCheckBox(QStringLiteral("&Match Case")))
    , cbClearCompiler(new QCheckBox(QStringLiteral("&Clear Compilation")))
    , btnFind(new QPushButton(QStringLiteral("&Find")))
    , btnClose(new QPushButton(QStringLiteral("&Close")))
{
    setObjectName("fmFindAndCompile");
    setWindowTitle(QStringLiteral("Find & Compile"));
    const std::pair<QObject*, const char*> names[] = {{gbFind, "gbFind"}, {edtFind, "edtFind"},
        {cbMatchCase, "cbMatchCase"}, {cbClearCompiler, "cbClearCompiler"}, {btnFind, "btnFind"},
        {btnClose, "btnClose"}};
    for (const auto& [object, name] : names)
        object->setObjectName(name);
    edtFind->setMaxLength(60);
    // The Tab key goes from the text to the buttons.
    cbMatchCase->setFocusPolicy(Qt::ClickFocus);
    cbClearCompiler->setFocusPolicy(Qt::ClickFocus);
    cbClearCompiler->setChecked(true);
    btnFind->setDefault(true);
    btnClose->setShortcut(Qt::Key_Escape);

    auto* find = new QGridLayout(gbFind);
    find->addWidget(edtFind, 0, 0, 1, 2);
    find->addWidget(cbMatchCase, 1, 0);
    find->addWidget(cbClearCompiler, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnFind);
    buttons->addWidget(btnClose);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(gbFind);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnFind, &QPushButton::clicked, this, [this] {
        if (!edtFind->text().isEmpty() && FindAndCompile)
            FindAndCompile(edtFind->text(), cbMatchCase->isChecked(), cbClearCompiler->isChecked());
    });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::hide);
    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.center() - rect().center());
}

void TfmFindAndCompile::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    edtFind->setFocus();
    edtFind->selectAll();
}
