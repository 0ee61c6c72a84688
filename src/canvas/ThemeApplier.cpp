#include "canvas/ThemeApplier.h"

#include "canvas/CanvasScene.h"
#include "canvas/ColourString.h"
#include "canvas/Nodex.h"
#include "picture/PictureLoader.h"
#include "platform/ConfinedName.h"
#include "platform/IniFile.h"

#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcTheme, "nodex.theme")

namespace {
constexpr int DefaultIconSize = 48;
// A size outside this range would make cards vanish or swamp the canvas.
constexpr int LargestIconSize = 1024;
const QString DefaultIconFolder = QStringLiteral("Book Icons");

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

ThemeApplier::ThemeApplier(Theme& theme, CanvasScene& canvas, QString appFolder)
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
    ApplyBuiltInValues();
}

void ThemeApplier::LoadTheme(const QString& themeName)
{
    FTheme.ThemeImages = FBuiltIn;
    QString error;
    if (!ReadThemeFile(themeName, error)) {
        qCInfo(lcTheme).noquote() << "Theme" << themeName << "falls back to the built-in theme:" << error;
        ApplyThemeDefaults();
        return;
    }
    FTheme.ThemeLoaded = true;
    FTheme.ThemeName = themeName;
    FTheme.NextCardType = 1;
    RethemeCards(true);
}

bool ThemeApplier::ReadThemeFile(const QString& themeName, QString& error)
{
    const Theme& builtIn = BuiltInTheme();
    const QString themesFolder = FAppFolder + ThemesFolder;
    // A name that would leave the Themes folder is taken as a missing file: an empty theme.
    IniFile file(StaysInFolder(themeName) ? themesFolder + themeName : QString());
    if (!file.Path().isEmpty() && !file.Load(error, IniFile::MaxSettingsBytes))
        return false;

    const QString iconFolder = file.ReadString("Theme", "IconFolder", DefaultIconFolder);
    FTheme.BackgroundColour = file.ReadString("Theme", "Background_Colour", builtIn.BackgroundColour);
    FTheme.LabelColour = file.ReadString("Theme", "Label_Colour", builtIn.LabelColour);
    FTheme.LabelTransparent = file.ReadBool("Theme", "Label_Transparent", builtIn.LabelTransparent);
    FTheme.TextColour = file.ReadString("Theme", "Text_Colour", builtIn.TextColour);
    FTheme.SelectedColour = file.ReadString("Theme", "Selected_Colour", builtIn.SelectedColour);
    FTheme.EditingColour = file.ReadString("Theme", "Editing_Colour", builtIn.EditingColour);
    FTheme.LineColour = file.ReadString("Theme", "Line_Colour", builtIn.LineColour);
    FTheme.Lines.PenWidth = std::clamp(file.ReadInteger("Theme", "Line_Width", builtIn.Lines.PenWidth), 1, LineStyle::MaxPenWidth);
    FTheme.Lines.DotSize = std::clamp(file.ReadInteger("Theme", "Line_Dot", builtIn.Lines.DotSize), LineStyle::MinDotSize,
                                      LineStyle::MaxDotSize);

    if (const auto background = ParseColourString(FTheme.BackgroundColour)) {
        FCanvas.setBackgroundBrush(*background);
    } else {
        FCanvas.setBackgroundBrush(Qt::white);
        FTheme.BackgroundColour = builtIn.BackgroundColour;
    }

    // A theme file names its types plainly; only the built-in names carry accelerators.
    FTheme.TypeNames.clear();
    for (int k = 0; k < TypeCount - 1; ++k)
        FTheme.TypeNames << file.ReadString("Types", "Type_" + Number(k), QString(builtIn.TypeNames[k]).remove('&'));

    if (!ReadIcons(file, StaysInFolder(iconFolder) ? themesFolder + iconFolder : QString(), error))
        return false;

    FTheme.StateTitle = file.ReadString("States", "Description", builtIn.StateTitle);
    FTheme.StateNames.clear();
    for (int k = 0; k < StateCount; ++k)
        FTheme.StateNames << file.ReadString("States", "State_" + Number(k), builtIn.StateNames[k]);
    if (StateCaptionsChanged)
        StateCaptionsChanged();

    FTheme.StateMarkers.clear();
    for (int k = 0; k < StateCount; ++k)
        FTheme.StateMarkers << file.ReadString("StateMarkers", "Marker_" + Number(k), builtIn.StateMarkers[k]);
    return true;
}

bool ThemeApplier::ReadIcons(const IniFile& file, const QString& iconFolder, QString& error)
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
        if (!LoadPicture(path, image.Picture, error))
            return false;
        const int size = file.ReadInteger("Icons", "Size_" + suffix, DefaultIconSize);
        image.Width = size >= 1 && size <= LargestIconSize ? size : DefaultIconSize;
    }
    return true;
}

void ThemeApplier::ApplyThemeDefaults()
{
    ApplyBuiltInValues();
    if (StateCaptionsChanged)
        StateCaptionsChanged();
    RethemeCards(false);
}

void ThemeApplier::ApplyBuiltInValues()
{
    FTheme = BuiltInTheme();
    FTheme.ThemeImages = FBuiltIn;
}

void ThemeApplier::RethemeCards(bool withMarkers)
{
    FCanvas.SetLineStyle(FTheme.Lines);
    for (TNodex* card : FCanvas.Cards()) {
        ApplyThemeToCard(*card);
        if (withMarkers)
            ApplyStateMarker(*card);
    }
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
