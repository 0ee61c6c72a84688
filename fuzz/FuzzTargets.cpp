#include "FuzzTargets.h"

#include "MetafileFixtures.h"
#include "project/ProjectStore.h"
#include "project/ProjectState.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasFollower.h"
#include "canvas/Nodex.h"
#include "canvas/ThemeApplier.h"
#include "editor/RtfReader.h"
#include "picture/PictureLoader.h"
#include "platform/IniFile.h"
#include "messages/MessageTable.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void Require(bool promise, const char* what)
{
    if (!promise) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

QList<QByteArray> FilesUnder(const QString& folder, const QStringList& patterns)
{
    QList<QByteArray> files;
    QDirIterator it(folder, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files << file.readAll();
    }
    return files;
}

QByteArray Encoded(const char* format)
{
    QImage image(24, 16, QImage::Format_ARGB32);
    image.fill(QColor(200, 40, 90, 180));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

/// Every read of the layer, then a write and a second round that must change nothing.
void RunIni(const QByteArray& bytes)
{
    IniFile file;
    file.LoadFromBytes(bytes);
    for (const QString& section : file.Sections())
        for (const QString& key : file.Keys(section)) {
            file.ReadString(section, key, {});
            file.ReadUntrimmed(section, key, {});
            file.ReadInteger(section, key, 0);
        }
    file.WriteString("LinkTo", "Name", " Lead");
    file.WriteInteger("Position", "Left", -2147483647 - 1);
    const QByteArray written = file.ToBytes();
    IniFile again;
    again.LoadFromBytes(written);
    Require(again.ReadUntrimmed("LinkTo", "Name", {}) == " Lead", "a written value reads back");
    Require(again.ToBytes() == written, "a file written unchanged keeps every byte");
}

/// A project folder whose project file and one card file are the fuzzed bytes, opened and saved
/// as the program does.
class ProjectRunner {
public:
    explicit ProjectRunner(const QString& appFolder)
        : Themes(CurrentTheme, Canvas, appFolder)
        , Follower(new CanvasFollower(Model, Canvas, Themes))
        , Store(Project, Model, Messages)
    {
        Steps.OpenLocked = [](const QString&, const LockOwner&) { return true; };
        Steps.ProjectRead = [this](const ProjectFileData& data) { Themes.LoadTheme(data.ThemeName); };
        Steps.CardsRead = [this](QPoint farthest) { Canvas.MakeRoomForPlacing(farthest); };
        Steps.StateNamed = [](int state) { return state >= 0 && state <= 5; };
    }

    void Run(const QByteArray& bytes)
    {
        QTemporaryDir folder;
        const QString path = folder.path() + "/Fuzz.nodex";
        Write(path, bytes);
        Write(folder.path() + "/Card.ndx", bytes);
        Write(folder.path() + "/Other.ndx", "[LinkTo]\nName=Card\n");
        if (Store.OpenProject(path, Steps).Result == ProjectStore::OpenResult::Opened) {
            for (const TNodex* card : Canvas.Cards())
                Require(Canvas.sceneRect().contains(QPointF(card->x(), card->y())), "cards lie on the canvas");
            Store.SaveProject({}, CurrentTheme.ThemeName, [](const QStringList&) { return true; });
        }
        Model.Clear();
        Store.CloseProject();
    }

private:
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), "the input is written");
    }

    ProjectState Project;
    ProjectModel Model;
    CanvasScene Canvas;
    Theme CurrentTheme;
    ThemeApplier Themes;
    CanvasFollower* Follower;
    MessageTable Messages;
    ProjectStore Store;
    ProjectStore::OpenSteps Steps;
};

} // namespace

QList<FuzzTarget> FuzzTargets(const QString& dataFolder)
{
    using namespace MetafileFixtures;
    const QList<QByteArray> iniFiles = FilesUnder(dataFolder, {"*.ini", "*.nodex", "*.ndx"});
    auto projects = std::make_shared<ProjectRunner>(dataFolder + "/");

    QList<QByteArray> pictures = FilesUnder(dataFolder, {"*.ico"});
    pictures << Encoded("BMP") << Encoded("JPG")
             << Wmf({48, 48}, Shape::Ellipse, InsetBox({48, 48}), Qt::red, 3)
             << Emf({48, 48}, Shape::Rectangle, InsetBox({48, 48}), Qt::blue, 3);

    const QList<QByteArray> documents = FilesUnder(dataFolder + "/../tests/editor/data", {"*.rtf"});

    return {
        {"ini", iniFiles, RunIni},
        {"rtf", documents,
         [](const QByteArray& bytes) {
             QString text;
             QString error;
             if (RtfToPlainText(bytes, text, error))
                 Require(std::none_of(text.begin(), text.end(), [](QChar c) { return c < u' ' && c != u'\t' && c != u'\n'; }),
                         "plain text holds no control characters but tabs and line breaks");
         }},
        {"project", iniFiles, [projects](const QByteArray& bytes) { projects->Run(bytes); }},
        {"picture", pictures,
         [](const QByteArray& bytes) {
             QImage image;
             QString error;
             for (const char* suffix : {"ico", "bmp", "jpg", "wmf", "emf"}) {
                 if (DecodePictureBytes(bytes, suffix, image, error))
                     Require(image.width() <= MaxPictureSide && image.height() <= MaxPictureSide,
                             "no picture beyond the size limit");
             }
         }},
    };
}
