#include "settings/HelpWindow.h"

#include "settings/HelpBrowser.h"
#include "messages/MessageTable.h"

#include <QAction>
#include <QStyle>
#include <QToolBar>

HelpWindow::HelpWindow(const QString& helpFolder, const MessageTable& messages, QWidget* parent)
    : QMainWindow(parent)
    , brwHelp(new HelpBrowser(HelpTopics(helpFolder), messages, this))
    , FMessages(messages)
{
    setObjectName("fmHelp");
    resize(720, 640);
    setCentralWidget(brwHelp);

    QToolBar* bar = addToolBar(QString());
    bar->setObjectName("tbHelp");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto addAction
        = [&](const char* name, QStyle::StandardPixmap icon, const QKeySequence& key) {
              QAction* action = bar->addAction(style()->standardIcon(icon), QString());
              action->setObjectName(name);
              action->setShortcut(key);
              return action;
          };
    actBack = addAction("actBack", QStyle::SP_ArrowBack, QKeySequence::Back);
    actForward = addAction("actForward", QStyle::SP_ArrowForward, QKeySequence::Forward);
    actContents
        = addAction("actContents", QStyle::SP_DirHomeIcon, QKeySequence(Qt::ALT | Qt::Key_Home));
    actBack->setEnabled(false);
    actForward->setEnabled(false);
    connect(actBack, &QAction::triggered, brwHelp, &QTextBrowser::backward);
    connect(actForward, &QAction::triggered, brwHelp, &QTextBrowser::forward);
    connect(actContents, &QAction::triggered, this, [this] { ShowTopic({}); });
    connect(brwHelp, &QTextBrowser::backwardAvailable, actBack, &QAction::setEnabled);
    connect(brwHelp, &QTextBrowser::forwardAvailable, actForward, &QAction::setEnabled);
    ApplyTexts();
}

void HelpWindow::ShowTopic(const QString& keyword)
{
    ApplyTexts();
    brwHelp->setSource(brwHelp->Topics().KeywordTopic(keyword));
    show();
    raise();
    activateWindow();
}

void HelpWindow::ApplyTexts()
{
    setWindowTitle(FMessages.Text(MessageKey::HELP_TITLE));
    actBack->setText(FMessages.Text(MessageKey::HELP_BACK));
    actForward->setText(FMessages.Text(MessageKey::HELP_FORWARD));
    actContents->setText(FMessages.Text(MessageKey::HELP_CONTENTS));
}
