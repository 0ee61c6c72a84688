#include "settings/About.h"

#include "messages/MessageTable.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {
constexpr int BoxWidth = 280;
constexpr int BoxHeight = 160;
// The labels stand over the clear band that the picture leaves at its bottom right.
constexpr int LabelRight = 270;
constexpr int LabelWidth = 240;
constexpr int DateTop = 110;
constexpr int NoticeTop = 130;
constexpr int LabelHeight = 18;
// Below the picture's lowest card the band is clear across the box: a notice too long for one
// line (German, say) wraps onto a second there.
constexpr int NoticeLeft = 10;
constexpr int NoticeBottomMargin = 2;
} // namespace

// The picture is compiled into a static library: registering it by name keeps the linker from
// leaving it out of the program.
static void RegisterAboutPicture()
{
    Q_INIT_RESOURCE(settings);
}

TfmAbout::TfmAbout(const MessageTable& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , imgAbout(new QLabel(this))
    , lblDate(new QLabel(this))
    , lblCopyright(new QLabel(this))
    , tmrAbout(new QTimer(this))
    , FMessages(messages)
{
    RegisterAboutPicture();
    setObjectName("fmAbout");
    setFixedSize(BoxWidth, BoxHeight);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    imgAbout->setObjectName("imgAbout");
    imgAbout->setGeometry(0, 0, BoxWidth, BoxHeight);
    imgAbout->setAlignment(Qt::AlignCenter);
    imgAbout->setPixmap(QPixmap(":/settings/About.png"));

    QFont italic("Arial", 8);
    italic.setItalic(true);
    const auto placeLabel = [&](QLabel* label, const char* name, int top) {
        label->setObjectName(name);
        label->setFont(italic);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(LabelRight - LabelWidth, top, LabelWidth, LabelHeight);
    };
    placeLabel(lblDate, "lblDate", DateTop);
    placeLabel(lblCopyright, "lblCopyright", NoticeTop);
    lblCopyright->setWordWrap(true);
    lblCopyright->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblCopyright->setGeometry(
        NoticeLeft, NoticeTop, LabelRight - NoticeLeft, BoxHeight - NoticeBottomMargin - NoticeTop);

    tmrAbout->setObjectName("tmrAbout");
    tmrAbout->setInterval(CloseAfterMs);
    connect(tmrAbout, &QTimer::timeout, this, &QDialog::close);

    for (QLabel* label : { imgAbout, lblDate, lblCopyright })
        label->installEventFilter(this);
    ApplyTexts();
}

void TfmAbout::ApplyTexts()
{
    setWindowTitle(FMessages.Text(MessageKey::ABOUT_TITLE));
    lblDate->setText(Version);
    lblCopyright->setText(FMessages.Text(MessageKey::ABOUT_NOTICE));
}

void TfmAbout::showEvent(QShowEvent* event)
{
    ApplyTexts();
    // Centred across the screen and a little above its middle, where a splash picture stands.
    const QScreen* shownOn
        = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect area = shownOn->geometry();
    move(area.left() + area.width() / 2 - width() / 2,
        area.top() + area.height() / 2 - height() / 2 - 30);
    tmrAbout->start();
    QDialog::showEvent(event);
}

void TfmAbout::hideEvent(QHideEvent* event)
{
    tmrAbout->stop();
    QDialog::hideEvent(event);
}

bool TfmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
