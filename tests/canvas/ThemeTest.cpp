#include "MetafileFixtures.h"
#include "TempFolder.h"
#include "canvas/CanvasScene.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/Nodex.h"
#include "canvas/ThemeApplier.h"

#include <QImage>
#include <cmath>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor DefaultLine(0xDD, 0xDD, 0xDD);

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
        for (auto [source, target] : { std::pair { A, B }, std::pair { B, C } }) {
            source->SetLinkTo(target);
            target->SetLinkedFrom(source);
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

    /// A 64-pixel blue icon, written by Qt.
    void WriteBigIcon(const QString& relative)
    {
        QImage image(64, 64, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        ASSERT_TRUE(image.save(Folder.Write(relative, {}), "ICO"));
    }

    static QString LabelText(const TNodex* card) { return card->NameLabel()->Text(); }

    TempFolder Folder;
    CanvasScene Canvas;
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
    EXPECT_EQ(Current.TypeNames.first(), "&Chapter");
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(10, 20, 30));

    EXPECT_EQ(A->Picture().toImage(), QPixmap(":/cards/Book00.png").toImage());
    EXPECT_EQ(A->Width(), 48);
    EXPECT_EQ(B->Width(), 32);
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
    EXPECT_EQ(A->Line()->Colour, QColor(Qt::red));
    EXPECT_EQ(QStringList({ Current.BackgroundColour, Current.TextColour, Current.SelectedColour,
                  Current.EditingColour, Current.LabelColour, Current.StateTitle }),
        QStringList({ "FFFFFF", "000000", "FF0000", "0000FF", "FFFFFF", "&Revision Status" }));
    EXPECT_TRUE(Current.LabelTransparent);
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(Qt::white));
    EXPECT_EQ(Current.TypeNames,
        QStringList({ "Chapter", "Scene", "Male Character", "Female Character", "Dialogue",
            "Plot Outline", "Note", "Project Notes", "", "", "", "" }));
    EXPECT_EQ(Current.StateNames, QStringList({ "&Draft", "&Revised", "&Completed", "", "", "" }));
    EXPECT_EQ(Current.StateMarkers, QStringList({ "*", "(R)", "(C)", "*", "*", "*" }));

    // A theme file that does not exist reads like an empty one: the red lines go.
    Applier.LoadTheme("Missing.ini");
    EXPECT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(Current.ThemeName, "Missing.ini");
    EXPECT_EQ(A->Line()->Colour, DefaultLine);
}

TEST_F(ThemeTest, AThemeIconSetsTheSizeOfItsTypesCardsAndTheirLinesAreLaidAgain)
{
    WriteBigIcon("Themes/Big Icons/chapter.ico");
    // The picture readers test their colours; here a type that Qt cannot read reaches the card.
    Folder.Write("Themes/Big Icons/outline.emf",
        MetafileFixtures::Emf(
            QSize(40, 40), MetafileFixtures::Shape::Rectangle, QRect(0, 0, 40, 40), Qt::red));
    WriteTheme("Big.ini",
        "[Theme]\nIconFolder=Big Icons\n"
        "[Icons]\nIcon_00=chapter.ico\nSize_00=64\nSize_01=64\nIcon_05=outline.emf\n");
    TNodex* outline = MakeCard("Plot", 6, 300, 500);
    Applier.LoadTheme("Big.ini");

    EXPECT_EQ(outline->Picture().size(), QSize(40, 40));
    EXPECT_EQ(A->Width(), 64);
    // Size_01 without Icon_01 is not read: Scene cards keep the program's 32-pixel icon.
    EXPECT_EQ(B->Width(), 32);
    // Out of Chapter A: from its new centre (132, 132) to B's (316, 116).
    EXPECT_EQ(A->Line()->Box(), QRect(132, 116, 184, 16));
    // Into Chapter C: to its new centre (332, 332), stopping 48 pixels short of it.
    EXPECT_EQ(B->Line()->Box(), QRect(316, 116, 16, 216));
    EXPECT_EQ(B->Line()->EndInset, 48);

    // What the canvas shows in the card's square, drawn by the scene as the view would.
    QImage shown(64, 64, QImage::Format_ARGB32);
    shown.fill(Qt::black);
    QPainter painter(&shown);
    Canvas.render(&painter, QRectF(shown.rect()), QRectF(A->Left(), A->Top(), 64, 64));
    painter.end();
    EXPECT_EQ(shown.pixelColor(32, 32), QColor(Qt::blue));

    // The next theme starts again from the program's icons.
    WriteTheme("Plain.ini", "");
    Applier.LoadTheme("Plain.ini");
    EXPECT_EQ(A->Width(), 48);
}

TEST_F(ThemeTest, AnIconThatCannotBeReadFallsBackToTheBuiltInTheme)
{
    WriteBigIcon("Themes/Book Icons/chapter.ico");
    WriteTheme("Big.ini", "[Icons]\nIcon_00=chapter.ico\nSize_00=64\n");
    Applier.LoadTheme("Big.ini");
    ASSERT_EQ(A->Width(), 64);

    Folder.Write("Themes/Book Icons/broken.ico", "not an icon");
    WriteTheme("Broken.ini",
        "[Theme]\nBackground_Colour=00FF00\nLine_Colour=0000FF\n"
        "[Types]\nType_00=Kapitel\n[Icons]\nIcon_03=broken.ico\n");
    Applier.LoadTheme("Broken.ini");

    EXPECT_FALSE(Current.ThemeLoaded);
    EXPECT_EQ(Current.TypeNames.first(), "&Chapter");
    EXPECT_EQ(A->Line()->Colour, DefaultLine);
    // The canvas keeps the colour set before the icon failed.
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(Qt::green));
    // The Chapter cards are back to the program's icon, and so are their lines.
    EXPECT_EQ(A->Width(), 48);
    EXPECT_EQ(B->Line()->EndInset, 36);
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
}

TEST_F(ThemeTest, BackgroundColourIsReadInBlueGreenRedOrderAndFallsBackToWhite)
{
    WriteTheme("Blue.ini", "[Theme]\nBackground_Colour=FF0000\n");
    Applier.LoadTheme("Blue.ini");
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(Qt::blue));

    WriteTheme("Bad.ini", "[Theme]\nBackground_Colour=GGGGGG\n[Types]\nType_00=Kapitel\n");
    Applier.LoadTheme("Bad.ini");
    EXPECT_EQ(Canvas.backgroundBrush().color(), QColor(Qt::white));
    EXPECT_EQ(Current.BackgroundColour, "FFFFFF");
    // The rest of the theme applies.
    EXPECT_TRUE(Current.ThemeLoaded);
    EXPECT_EQ(Current.TypeNames.first(), "Kapitel");
}

TEST_F(ThemeTest, NamesThatLeaveTheThemesFolderAreMissingFiles)
{
    Folder.Write("evil.ini", "[Theme]\nLine_Colour=0000FF\n");
    WriteBigIcon("elsewhere/x.ico");
    WriteTheme("Away.ini",
        "[Theme]\nIconFolder=../elsewhere\nLine_Colour=0000FF\n"
        "[Icons]\nIcon_00=x.ico\nSize_00=64\n");
    WriteBigIcon("Themes/x.ico");
    Folder.MakeFolder("Themes/Book Icons"); // so that "Book Icons/../x.ico" would resolve
    WriteTheme("Up.ini", "[Icons]\nIcon_00=../x.ico\nSize_00=64\n");

    // The rest of a theme whose icons are out of bounds applies.
    for (auto [name, line] : { std::pair { "../evil.ini", DefaultLine },
             { "Away.ini", QColor(Qt::red) }, { "Up.ini", DefaultLine } }) {
        Applier.LoadTheme(name);
        EXPECT_TRUE(Current.ThemeLoaded) << name;
        EXPECT_EQ(A->Line()->Colour, line) << name;
        EXPECT_EQ(A->Width(), 48) << name;
    }
}

namespace {
/// The contrast of two colours as readers perceive it: 1 for none, 21 for black on white.
double Contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}
} // namespace

TEST_F(ThemeTest, TheShippedThemesDrawLinksAWriterSeesAtAGlance)
{
    ThemeApplier shipped(Current, Canvas, NODEX_DATA_FOLDER "/");
    for (const char* theme : {"Book.ini", "Midnight.ini"}) {
        shipped.LoadTheme(theme);
        ASSERT_TRUE(Current.ThemeLoaded) << theme;
        A->UpdateLine();
        const QColor background = Canvas.backgroundBrush().color();
        EXPECT_GE(Contrast(A->Line()->Colour, background), 3.0) << theme;

        // The dot at the line's end is drawn as large as the theme says, beyond the thin box.
        QImage picture(Canvas.sceneRect().size().toSize(), QImage::Format_RGB32);
        picture.fill(background);
        QPainter painter(&picture);
        Canvas.render(&painter, picture.rect(), Canvas.sceneRect());
        painter.end();
        const TNodexLine& line = *A->Line();
        const QPoint end = line.pos().toPoint()
            + LineEndpoints(line.Direction, line.Width(), line.Height(), line.EndInset).End;
        const int reach = Current.Lines.DotSize / 2;
        EXPECT_GE(Current.Lines.DotSize, 7) << theme;
        for (const QPoint offset : {QPoint(0, -reach), QPoint(0, reach), QPoint(-reach, 0)})
            EXPECT_EQ(picture.pixelColor(end + offset), line.Colour) << theme << " " << offset.x() << "," << offset.y();
    }
}
