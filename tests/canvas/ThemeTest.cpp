#include "canvas/ThemeApplier.h"

#include "MetafileFixtures.h"
#include "TempFolder.h"
#include "canvas/Canvas.h"
#include "canvas/Links.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/NodexObject.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using MetafileFixtures::Shape;

const QColor DefaultLine(0xDD, 0xDD, 0xDD);

// One solid colour, encoded by Qt's writer for `format`.
QByteArray SolidPicture(QSize size, const QColor& colour, const char* format)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, 100))
        ADD_FAILURE() << "Qt could not write the " << format << " fixture";
    return bytes;
}

/// A program folder for "Themes/", a canvas and the applier that themes it. The cards:
/// Chapter A -> Scene B -> Chapter C linked in a chain, and a lone Male Character D in state 3.
class ThemeTest : public testing::Test {
protected:
    void SetUp() override
    {
        Applier.StateCaptionsChanged = [this] { ++CaptionChanges; };
        A = MakeCard("A", 1, 100, 100);
        B = MakeCard("B", 2, 300, 100);
        C = MakeCard("C", 1, 300, 300);
        D = MakeCard("D", 3, 600, 100);
        D->SetState(3);
        for (auto [source, target] : {std::pair{A, B}, std::pair{B, C}}) {
            ASSERT_EQ(LinkCards(*source, *target).Result, LinkResult::Linked);
            source->UpdateLine();
        }
    }

    TNodex* MakeCard(const QString& name, int type, int left, int top)
    {
        TNodex* card = Canvas.CreateCard();
        card->MoveTo(left, top);
        card->SetName(name);
        card->SetType(type);
        card->setVisible(true);
        return card;
    }

    void WriteTheme(const QString& name, const QByteArray& text)
    {
        Folder.Write("Themes/" + name, text);
    }

    // What the canvas shows in a card's square, drawn by the scene as the view would.
    QImage Rendered(const TNodex* card)
    {
        QImage image(card->Width(), card->Height(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        Canvas.render(&painter, QRectF(image.rect()),
            QRectF(card->Left(), card->Top(), card->Width(), card->Height()));
        painter.end();
        return image;
    }

    static QString LabelText(const TNodex* card) { return card->NameLabel()->Text(); }

    TempFolder Folder;
    TCanvas Canvas;
    Theme Current;
    ThemeApplier Applier { Current, Canvas, Folder.Path() };
    int CaptionChanges = 0;
    TNodex* A = nullptr;
    TNodex* B = nullptr;
    TNodex* C = nullptr;
    TNodex* D = nullptr;
};

} // namespace

TEST_F(ThemeTest, BuiltInThemeUsesAcceleratorNamesAndTheProgramsIconsButKeepsTheCanvasColour)
{
    Canvas.setBackgroundBrush(QColor(10, 20, 30));
    Current.DefaultTheme = "Dark.ini";
    Current.NextCardType = 4;
    Applier.ApplyThemeDefaults();

    EXPECT_FALSE(Current.ThemeLoaded);
    EXPECT_EQ(Current.ThemeName, "Book.ini");
    EXPECT_EQ(Current.DefaultTheme, "Book.ini");
    EXPECT_EQ(Current.NextCardType, 1);
    EXPECT_EQ(CaptionChanges, 1);
    EXPECT_EQ(Current.TypeNames,
        QStringList({ "&Chapter", "&Scene", "&Male Character", "&Female Character", "&Dialogue",
            "&Plot Outline", "&Note", "&Project Notes", "", "", "", "" }));
    EXPECT_EQ(Current.StateTitle, "&Revision Status");
    EXPECT_EQ(Current.StateNames, QStringList({ "&Draft", "&Revised", "&Completed", "", "", "" }));
    EXPECT_EQ(Current.StateMarkers, QStringList({ "*", "(R)", "(C)", "*", "*", "*" }));
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(10, 20, 30));

    const QImage chapterIcon(":/cards/Book00.png");
    const QImage sceneIcon(":/cards/Book01.png");
    ASSERT_EQ(chapterIcon.size(), QSize(48, 48));
    ASSERT_EQ(sceneIcon.size(), QSize(32, 32));
    EXPECT_EQ(A->Width(), 48);
    EXPECT_EQ(A->Height(), 48);
    EXPECT_EQ(B->Width(), 32);
    EXPECT_EQ(B->Height(), 32);
    EXPECT_EQ(D->Width(), 32);
    EXPECT_EQ(A->Picture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
        chapterIcon.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(B->Picture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
        sceneIcon.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    // The lines follow the new sizes: into the 32-pixel Scene and into the 48-pixel Chapter.
    EXPECT_EQ(A->Line()->EndInset, 22);
    EXPECT_EQ(B->Line()->EndInset, 36);
    EXPECT_EQ(A->Line()->Colour, DefaultLine);
}

TEST_F(ThemeTest, KeysMissingFromAThemeFileTakeTheirDefaults)
{
    WriteTheme("Red.ini", "[Theme]\nLine_Colour=0000FF\n");
    Current.NextCardType = 7;
    Applier.LoadTheme("Red.ini");

    EXPECT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(Current.ThemeName, "Red.ini");
    EXPECT_EQ(Current.NextCardType, 1);
    EXPECT_EQ(CaptionChanges, 1);
    EXPECT_EQ(Current.LineColour, "0000FF");
    EXPECT_EQ(A->Line()->Colour, QColor(Qt::red));
    EXPECT_EQ(B->Line()->Colour, QColor(Qt::red));
    EXPECT_EQ(Current.BackgroundColour, "FFFFFF");
    EXPECT_EQ(Current.TextColour, "000000");
    EXPECT_EQ(Current.SelectedColour, "FF0000");
    EXPECT_EQ(Current.EditingColour, "0000FF");
    EXPECT_EQ(Current.LabelColour, "FFFFFF");
    EXPECT_TRUE(Current.LabelTransparent);
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(Qt::white));
    EXPECT_EQ(Current.TypeNames,
        QStringList({ "Chapter", "Scene", "Male Character", "Female Character", "Dialogue",
            "Plot Outline", "Note", "Project Notes", "", "", "", "" }));
    EXPECT_EQ(Current.StateNames, QStringList({ "&Draft", "&Revised", "&Completed", "", "", "" }));
    EXPECT_EQ(Current.StateMarkers, QStringList({ "*", "(R)", "(C)", "*", "*", "*" }));
    EXPECT_EQ(A->Width(), 48);
    EXPECT_EQ(B->Width(), 32);
    EXPECT_FALSE(B->Picture().isNull());

    // A theme file that does not exist reads like an empty one: the red lines go.
    Applier.LoadTheme("Missing.ini");
    EXPECT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(Current.ThemeName, "Missing.ini");
    EXPECT_EQ(Current.LineColour, "DDDDDD");
    EXPECT_EQ(A->Line()->Colour, DefaultLine);
    EXPECT_EQ(Current.TypeNames.first(), "Chapter");
    EXPECT_EQ(B->Width(), 32);
    EXPECT_EQ(CaptionChanges, 2);
}

TEST_F(ThemeTest, AThemeIconSetsTheSizeOfItsTypesCardsAndTheirLinesAreLaidAgain)
{
    Folder.Write("Themes/Big Icons/chapter.ico", SolidPicture(QSize(64, 64), Qt::blue, "ICO"));
    WriteTheme("Big.ini",
        "[Theme]\nIconFolder=Big Icons\n"
        "[Icons]\nIcon_00=chapter.ico\nSize_00=64\nSize_01=64\n");
    Applier.ApplyThemeDefaults();
    ASSERT_EQ(A->Line()->Box(), QRect(124, 116, 192, 8));
    ASSERT_EQ(B->Line()->Box(), QRect(316, 116, 8, 208));

    Applier.LoadTheme("Big.ini");

    ASSERT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(A->Width(), 64);
    EXPECT_EQ(A->Height(), 64);
    EXPECT_EQ(C->Width(), 64);
    EXPECT_EQ(A->Picture().toImage().pixelColor(32, 32), QColor(Qt::blue));
    // Size_01 without Icon_01 is not read: Scene cards keep the program's 32-pixel icon.
    EXPECT_EQ(B->Width(), 32);
    EXPECT_EQ(B->Height(), 32);
    // Out of Chapter A: from its new centre (132, 132) to B's (316, 116).
    EXPECT_EQ(A->Line()->Box(), QRect(132, 116, 184, 16));
    EXPECT_EQ(A->Line()->EndInset, 22);
    // Into Chapter C: to its new centre (332, 332), stopping 48 pixels short of it.
    EXPECT_EQ(B->Line()->Box(), QRect(316, 116, 16, 216));
    EXPECT_EQ(B->Line()->EndInset, 48);
    EXPECT_EQ(Rendered(A).pixelColor(32, 32), QColor(Qt::blue));

    // The next theme starts again from the program's icons.
    WriteTheme("Plain.ini", "");
    Applier.LoadTheme("Plain.ini");
    EXPECT_EQ(A->Width(), 48);
    EXPECT_EQ(B->Line()->EndInset, 36);
}

TEST_F(ThemeTest, AMetafileIconReachesItsCards)
{
    // The picture readers test their colours; here a type that Qt cannot read reaches the card.
    Folder.Write("Themes/Book Icons/outline.emf",
        MetafileFixtures::Emf(QSize(40, 40), Shape::Rectangle, QRect(0, 0, 40, 40), Qt::red));
    WriteTheme("Pictures.ini", "[Icons]\nIcon_05=outline.emf\n");
    TNodex* outline = MakeCard("Plot", 6, 300, 500);

    Applier.LoadTheme("Pictures.ini");

    EXPECT_EQ(outline->Picture().size(), QSize(40, 40));
}

TEST_F(ThemeTest, AnIconThatCannotBeReadFallsBackToTheBuiltInTheme)
{
    Folder.Write("Themes/Book Icons/chapter.ico", SolidPicture(QSize(64, 64), Qt::blue, "ICO"));
    WriteTheme("Big.ini", "[Icons]\nIcon_00=chapter.ico\nSize_00=64\n");
    Applier.LoadTheme("Big.ini");
    ASSERT_EQ(A->Width(), 64);

    // A valid GIF, which Qt could read, but not a picture kind that themes may name.
    const QByteArray gif = QByteArray::fromHex("474946383961"
                                               "01000100"
                                               "800000"
                                               "000000ffffff"
                                               "21f9040100000000"
                                               "2c000000000100010000"
                                               "0202440100"
                                               "3b");
    if (QImageReader::supportedImageFormats().contains("gif")) {
        ASSERT_FALSE(QImage::fromData(gif, "GIF").isNull());
    }
    Folder.Write("Themes/Book Icons/female.gif", gif);
    WriteTheme("Gif.ini",
        "[Theme]\nBackground_Colour=00FF00\nLine_Colour=0000FF\n"
        "[Types]\nType_00=Kapitel\n[Icons]\nIcon_03=female.gif\n");
    Current.DefaultTheme = "Gif.ini";
    Current.NextCardType = 3;
    CaptionChanges = 0;

    Applier.LoadTheme("Gif.ini");

    EXPECT_FALSE(Current.ThemeLoaded);
    EXPECT_EQ(Current.ThemeName, "Book.ini");
    EXPECT_EQ(Current.DefaultTheme, "Book.ini");
    EXPECT_EQ(Current.NextCardType, 1);
    EXPECT_EQ(CaptionChanges, 1);
    EXPECT_EQ(Current.TypeNames.first(), "&Chapter");
    EXPECT_EQ(Current.LineColour, "DDDDDD");
    EXPECT_EQ(A->Line()->Colour, DefaultLine);
    // The canvas keeps the colour set before the icon failed.
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(Qt::green));
    // The Chapter cards are back to the program's icon, and so are their lines.
    EXPECT_EQ(A->Width(), 48);
    EXPECT_EQ(C->Width(), 48);
    EXPECT_EQ(B->Line()->EndInset, 36);

    // Random bytes named .ico are a damaged icon.
    QByteArray noise(600, '\0');
    QRandomGenerator random(20240611);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    Folder.Write("Themes/Book Icons/noise.ico", noise);
    WriteTheme("Noise.ini", "[Theme]\nLine_Colour=0000FF\n[Icons]\nIcon_02=noise.ico\n");
    Applier.LoadTheme("Noise.ini");
    EXPECT_FALSE(Current.ThemeLoaded);
    EXPECT_EQ(Current.ThemeName, "Book.ini");
    EXPECT_EQ(A->Line()->Colour, DefaultLine);
}

TEST_F(ThemeTest, StateNamesAndMarkersComeFromTheTheme)
{
    B->SetState(1);
    Applier.ApplyStateMarker(*B);
    ASSERT_EQ(LabelText(B), "B (R)");
    WriteTheme("States.ini",
        "[States]\nDescription=&Progress\nState_03=&Polished\n"
        "[StateMarkers]\nMarker_01=*\nMarker_03=(P)\n");

    Applier.LoadTheme("States.ini");

    EXPECT_EQ(Current.StateTitle, "&Progress");
    EXPECT_EQ(Current.StateNames,
        QStringList({ "&Draft", "&Revised", "&Completed", "&Polished", "", "" }));
    EXPECT_EQ(Current.StateMarkers, QStringList({ "*", "*", "(C)", "(P)", "*", "*" }));
    // LoadTheme gives every card its state's marker.
    EXPECT_EQ(LabelText(D), "D (P)");
    EXPECT_EQ(LabelText(B), "B");
    EXPECT_EQ(LabelText(A), "A");

    C->SetState(2);
    Applier.ApplyStateMarker(*C);
    EXPECT_EQ(LabelText(C), "C (C)");
}

TEST_F(ThemeTest, BackgroundColourIsReadInBlueGreenRedOrderAndFallsBackToWhite)
{
    WriteTheme("Blue.ini", "[Theme]\nBackground_Colour=FF0000\n");
    Applier.LoadTheme("Blue.ini");
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(Qt::blue));
    EXPECT_EQ(Current.BackgroundColour, "FF0000");

    WriteTheme("Bad.ini",
        "[Theme]\nBackground_Colour=GGGGGG\nLine_Colour=0000FF\n[Types]\nType_00=Kapitel\n");
    Applier.LoadTheme("Bad.ini");
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(Qt::white));
    EXPECT_EQ(Current.BackgroundColour, "FFFFFF");
    // The rest of the theme applies.
    EXPECT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(Current.ThemeName, "Bad.ini");
    EXPECT_EQ(Current.TypeNames.first(), "Kapitel");
    EXPECT_EQ(A->Line()->Colour, QColor(Qt::red));
}

TEST_F(ThemeTest, NamesThatLeaveTheThemesFolderAreMissingFiles)
{
    const QByteArray bigIcon = SolidPicture(QSize(64, 64), Qt::blue, "ICO");
    Folder.Write("evil.ini", "[Theme]\nLine_Colour=0000FF\n");
    Applier.LoadTheme("../evil.ini");
    EXPECT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(Current.LineColour, "DDDDDD");
    EXPECT_EQ(A->Line()->Colour, DefaultLine);

    Folder.Write("elsewhere/x.ico", bigIcon);
    WriteTheme("Away.ini",
        "[Theme]\nIconFolder=../elsewhere\nLine_Colour=0000FF\n"
        "[Icons]\nIcon_00=x.ico\nSize_00=64\n");
    Applier.LoadTheme("Away.ini");
    EXPECT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(A->Line()->Colour, QColor(Qt::red));
    EXPECT_EQ(A->Width(), 48);

    Folder.Write("Themes/x.ico", bigIcon);
    WriteTheme("Up.ini", "[Icons]\nIcon_00=../x.ico\nSize_00=64\n");
    Applier.LoadTheme("Up.ini");
    EXPECT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(Current.ThemeName, "Up.ini");
    EXPECT_EQ(A->Width(), 48);
}
