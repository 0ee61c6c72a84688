#include "canvas/Theme.h"

#include "canvas/Canvas.h"
#include "canvas/ColourString.h"
#include "canvas/NodexObject.h"
#include "canvas/PictureLoader.h"
#include "platform/ConfinedName.h"
#include "platform/IniFile.h"

#include <QFileInfo>

namespace {
const QString BuiltInThemeName = QStringLiteral("Book.ini");
constexpr int DefaultIconSize = 48;
// A size outside this range would make cards vanish or swamp the canvas.
constexpr int LargestIconSize = 1024;

const QStringList FileTypeNames = {"Chapter", "Scene", "Male Character", "Female Character",
    "Dialogue", "Plot Outline", "Note", "Project Notes", "", "", "", ""};
const QStringList BuiltInTypeNames = {"&Chapter", "&Scene", "&Male Character",
    "&Female Character", "&Dialogue", "&Plot Outline", "&Note", "&Project Notes", "", "", "", ""};
const QStringList BuiltInStateNames = {"&Draft", "&Revised", "&Completed", "", "", ""};
const QStringList BuiltInMarkers = {"*", "(R)", "(C)", "*", "*", "*"};
const QString BuiltInStateTitle = QStringLiteral("&Revision Status");

QString Number(int index) { return QString::number(index).rightJustified(2, '0'); }

/// Key suffix of a type code's icon: "Compilation" for 0, then "00" to "11".
QString IconKeySuffix(int type) { return type == CompilationType ? "Compilation" : Number(type - 1); }

QString BuiltInResource(int type)
{
    return type == CompilationType ? ":/cards/Compilation.png"
                                   : QString(":/cards/Book%1.png").arg(Number(type - 1));
}
} // namespace

// The built-in icons are compiled into this static library, and nothing else refers to its
// resources: without registering them by name the linker leaves them out of the program.
static void RegisterBuiltInIcons()
{
    Q_INIT_RESOURCE(canvas);
}

ThemeApplier::ThemeApplier(Theme& theme, TCanvas& canvas, QString appFolder)
    : FTheme(theme)
    , FCanvas(canvas)
    , FAppFolder(std::move(appFolder))
{
    RegisterBuiltInIcons();
    for (int type = 0; type < TypeCount; ++type) {
        ThemePicture& image = FBuiltIn[type];
        image.Picture = QPixmap(BuiltInResource(type));
        const int designedWidth = type <= 1 ? 48 : 32;
        image.Width = image.Picture.isNull() ? designedWidth : image.Picture.width();
    }
    FTheme.ThemeImages = FBuiltIn;
    ApplyBuiltInValues();
}

void ThemeApplier::LoadTheme(const QString& themeName)
{
    FTheme.ThemeImages = FBuiltIn;
    if (!ReadThemeFile(themeName)) {
        ApplyThemeDefaults();
        return;
    }
    FTheme.ThemeLoaded = true;
    FTheme.ThemeName = themeName;
    FTheme.NextCardType = 1;
    for (TNodex* card : FCanvas.Cards()) {
        ApplyThemeToCard(*card);
        ApplyStateMarker(*card);
    }
}

bool ThemeApplier::ReadThemeFile(const QString& themeName)
{
    const QString themesFolder = FAppFolder + "Themes/";
    // A name that would leave the Themes folder is taken as a missing file: an empty theme.
    IniFile file(StaysInFolder(themeName) ? themesFolder + themeName : QString());
    QString error;
    if (!file.Path().isEmpty() && !file.Load(error))
        return false;

    const QString iconFolder = file.ReadString("Theme", "IconFolder", "Book Icons");
    FTheme.BackgroundColour = file.ReadString("Theme", "Background_Colour", "FFFFFF");
    FTheme.LabelColour = file.ReadString("Theme", "Label_Colour", "FFFFFF");
    FTheme.LabelTransparent = file.ReadBool("Theme", "Label_Transparent", true);
    FTheme.TextColour = file.ReadString("Theme", "Text_Colour", "000000");
    FTheme.SelectedColour = file.ReadString("Theme", "Selected_Colour", "FF0000");
    FTheme.EditingColour = file.ReadString("Theme", "Editing_Colour", "0000FF");
    FTheme.LineColour = file.ReadString("Theme", "Line_Colour", "DDDDDD");

    if (const auto background = ParseColourString(FTheme.BackgroundColour)) {
        FCanvas.setBackgroundBrush(*background);
    } else {
        FCanvas.setBackgroundBrush(Qt::white);
        FTheme.BackgroundColour = "FFFFFF";
    }

    FTheme.TypeNames.clear();
    for (int k = 0; k < TypeCount - 1; ++k)
        FTheme.TypeNames << file.ReadString("Types", "Type_" + Number(k), FileTypeNames[k]);

    if (!ReadIcons(file, StaysInFolder(iconFolder) ? themesFolder + iconFolder : QString()))
        return false;

    FTheme.StateTitle = file.ReadString("States", "Description", BuiltInStateTitle);
    FTheme.StateNames.clear();
    for (int k = 0; k < StateCount; ++k)
        FTheme.StateNames << file.ReadString("States", "State_" + Number(k), BuiltInStateNames[k]);
    if (StateCaptionsChanged)
        StateCaptionsChanged();

    FTheme.StateMarkers.clear();
    for (int k = 0; k < StateCount; ++k)
        FTheme.StateMarkers << file.ReadString("StateMarkers", "Marker_" + Number(k), BuiltInMarkers[k]);
    return true;
}

bool ThemeApplier::ReadIcons(const IniFile& file, const QString& iconFolder)
{
    for (int type = 0; type < TypeCount; ++type) {
        const QString suffix = IconKeySuffix(type);
        const QString iconName = file.ReadString("Icons", "Icon_" + suffix, QString());
        if (iconFolder.isEmpty() || !StaysInFolder(iconName))
            continue;
        const QString path = iconFolder + "/" + iconName;
        if (!QFileInfo(path).isFile())
            continue;
        ThemePicture& image = FTheme.ThemeImages[type];
        QString error;
        if (!LoadPicture(path, image.Picture, error))
            return false;
        const int size = file.ReadInteger("Icons", "Size_" + suffix, DefaultIconSize);
        image.Width = size >= 1 && size <= LargestIconSize ? size : DefaultIconSize;
    }
    return true;
}

void ThemeApplier::ApplyThemeDefaults()
{
    FTheme.DefaultTheme = BuiltInThemeName;
    FTheme.ThemeName = BuiltInThemeName;
    FTheme.ThemeLoaded = false;
    FTheme.NextCardType = 1;
    ApplyBuiltInValues();
    if (StateCaptionsChanged)
        StateCaptionsChanged();
    for (TNodex* card : FCanvas.Cards())
        ApplyThemeToCard(*card);
}

void ThemeApplier::ApplyBuiltInValues()
{
    FTheme.TextColour = "000000";
    FTheme.SelectedColour = "FF0000";
    FTheme.EditingColour = "0000FF";
    FTheme.LabelColour = "FFFFFF";
    FTheme.LineColour = "DDDDDD";
    FTheme.BackgroundColour = "FFFFFF";
    FTheme.LabelTransparent = true;
    FTheme.TypeNames = BuiltInTypeNames;
    FTheme.StateTitle = BuiltInStateTitle;
    FTheme.StateNames = BuiltInStateNames;
    FTheme.StateMarkers = BuiltInMarkers;
}

void ThemeApplier::ApplyThemeToCard(TNodex& card) const
{
    const int type = card.Type() >= 0 && card.Type() < TypeCount ? card.Type() : 1;
    const ThemePicture& source = FTheme.ThemeLoaded ? FTheme.ThemeImages[type] : FBuiltIn[type];
    card.SetPicture(source.Picture, source.Width);
    card.SetColours(FTheme.TextColour, FTheme.SelectedColour, FTheme.EditingColour,
                    FTheme.LabelColour, FTheme.LineColour, FTheme.LabelTransparent);
    // The icon size moves the centres and the line's end inset.
    card.UpdateLine();
    if (TNodex* predecessor = card.LinkedFrom())
        predecessor->UpdateLine();
}

void ThemeApplier::ApplyStateMarker(TNodex& card) const
{
    if (card.State() >= 0 && card.State() < FTheme.StateMarkers.size())
        card.SetMarker(FTheme.StateMarkers[card.State()]);
}
