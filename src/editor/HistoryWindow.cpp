#include "editor/HistoryWindow.h"

#include "editor/SideBySide.h"
#include "editor/WordCount.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/WindowPlacement.h"
#include "messages/MessageTable.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

namespace {
QStringList Lines(const QByteArray& bytes)
{
    return NormaliseLineEnds(DecodeText(bytes)).split('\n');
}
} // namespace

HistoryWindow::HistoryWindow(const QString& projectFolder, const QString& cardName, Dialogs& questions,
    const MessageTable& messages, HistoryHooks hooks, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowCloseButtonHint)
    , lstEntries(new QTreeWidget(this))
    , memEarlier(new QPlainTextEdit(this))
    , memCurrent(new QPlainTextEdit(this))
    , btnRestore(new QPushButton(messages.Text(MessageKey::HISTORY_RESTORE), this))
    , lblEmpty(new QLabel(messages.Text(MessageKey::HISTORY_EMPTY), this))
    , FHistory(projectFolder)
    , FCardName(cardName)
    , FTexts(projectFolder)
    , FTextPath(FTexts.Of(cardName).Path)
    , FQuestions(questions)
    , FMessages(messages)
    , FHooks(std::move(hooks))
{
    setObjectName("fmHistory");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(messages.Text(MessageKey::HISTORY_CAPTION).arg(cardName));
    lstEntries->setObjectName("lstEntries");
    lstEntries->setHeaderLabels(
        { messages.Text(MessageKey::HISTORY_TIME), messages.Text(MessageKey::HISTORY_WORDS) });
    lstEntries->setRootIsDecorated(false);
    lstEntries->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lstEntries->setMaximumHeight(160);
    lblEmpty->setObjectName("lblEmpty");
    lblEmpty->setTextFormat(Qt::PlainText);
    btnRestore->setObjectName("btnRestore");
    auto* close = new QPushButton(messages.Text(MessageKey::HISTORY_CLOSE), this);
    close->setObjectName("btnClose");

    auto* panes = new QHBoxLayout;
    for (auto [pane, caption, name] :
        { std::tuple(memEarlier, MessageKey::HISTORY_EARLIER, "memEarlier"),
            std::tuple(memCurrent, MessageKey::HISTORY_CURRENT, "memCurrent") }) {
        pane->setObjectName(name);
        pane->setReadOnly(true);
        pane->setLineWrapMode(QPlainTextEdit::NoWrap);
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(messages.Text(caption), this));
        column->addWidget(pane);
        panes->addLayout(column);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnRestore);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblEmpty);
    layout->addWidget(lstEntries);
    layout->addLayout(panes, 1);
    layout->addLayout(buttons);
    resize(900, 600);

    connect(lstEntries, &QTreeWidget::currentItemChanged, this, &HistoryWindow::ShowDifference);
    connect(btnRestore, &QPushButton::clicked, this, &HistoryWindow::RestoreClick);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    LoadEntries();
}

void HistoryWindow::showEvent(QShowEvent* event)
{
    // Placed once shown, when its frame is known and can be fitted too.
    if (!std::exchange(FPlaced, true))
        PlaceOverParent();
    QDialog::showEvent(event);
}

void HistoryWindow::PlaceOverParent()
{
    // Centred over the window it was asked from, as a dialog stands, but fitted to the screen as
    // every window of the program is: a small screen or an editor at its edge would leave it
    // partly off the screen.
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* shownOn = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    const QPoint centre = over && over->isVisible() ? over->frameGeometry().center()
                                                    : shownOn->availableGeometry().center();
    WindowPlacement placement;
    placement.HasBounds = true;
    placement.Width = width();
    placement.Height = height();
    placement.Left = centre.x() - width() / 2;
    placement.Top = centre.y() - height() / 2;
    PlaceWindow(*this, placement);
}

void HistoryWindow::LoadEntries()
{
    FEntries = FHistory.Entries(FCardName);
    lstEntries->clear();
    // Newest first, each one step from the one before, so that reading them all stays cheap.
    for (const CardHistoryEntry& entry : FEntries) {
        QByteArray bytes;
        QString error;
        const bool read = FHistory.Read(entry, bytes, error);
        auto* item = new QTreeWidgetItem(lstEntries,
            { QLocale::system().toString(entry.Time.toLocalTime(), QLocale::ShortFormat),
                read ? FormatCount(CountTextWords(NormaliseLineEnds(DecodeText(bytes)))) : "?" });
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        if (!read)
            item->setToolTip(1, error);
    }
    lblEmpty->setVisible(FEntries.isEmpty());
    btnRestore->setEnabled(!FEntries.isEmpty());
    if (!FEntries.isEmpty())
        lstEntries->setCurrentItem(lstEntries->topLevelItem(0));
    else
        ShowDifference();
}

void HistoryWindow::ShowDifference()
{
    const int index = lstEntries->indexOfTopLevelItem(lstEntries->currentItem());
    QByteArray earlier, current;
    QString error;
    if (index >= 0 && !FHistory.Read(FEntries[index], earlier, error)) {
        memEarlier->setPlainText(FMessages.Text(MessageKey::HISTORY_NOT_READ) + "\n" + error);
        memCurrent->clear();
        return;
    }
    // A card without a text file compares as an empty text.
    if (CardTexts::ReadIfPresent(FTextPath, current, error) == FileRead::Failed)
        current.clear();
    ShowSideBySide(
        *memEarlier, index >= 0 ? Lines(earlier) : QStringList(), *memCurrent, Lines(current));
}

void HistoryWindow::RestoreClick()
{
    const int index = lstEntries->indexOfTopLevelItem(lstEntries->currentItem());
    if (index < 0 || (FHooks.BeforeRestore && !FHooks.BeforeRestore()))
        return;
    QString error;
    if (!FTexts.Restore(FEntries[index], QDateTime::currentDateTimeUtc(), error))
        FQuestions.ShowWarning(FMessages.Text(MessageKey::HISTORY_NOT_RESTORED), error);
    else if (FHooks.AfterRestore)
        FHooks.AfterRestore();
    LoadEntries();
}
