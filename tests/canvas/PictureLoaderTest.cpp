#include "canvas/PictureLoader.h"

#include "MetafileFixtures.h"
#include "TempFolder.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

using MetafileFixtures::Shape;

// A picture with a transparent border and an opaque centre of the given colour.
QImage Framed(QSize size, const QColor& colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 4; y < size.height() - 4; ++y)
        for (int x = 4; x < size.width() - 4; ++x)
            image.setPixelColor(x, y, colour);
    return image;
}

QByteArray Encoded(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality))
        ADD_FAILURE() << "Qt could not write the " << format << " fixture";
    return bytes;
}

// Joins single-image .ico files, as Qt writes them, into one icon with several images.
QByteArray JoinedIcon(const QList<QByteArray>& icons)
{
    const int entrySize = 16;
    QByteArray directory(6 + entrySize * icons.size(), '\0');
    qToLittleEndian<quint16>(1, directory.data() + 2);
    qToLittleEndian<quint16>(quint16(icons.size()), directory.data() + 4);
    QByteArray images;
    for (int index = 0; index < icons.size(); ++index) {
        const QByteArray& icon = icons[index];
        char* entry = directory.data() + 6 + entrySize * index;
        std::memcpy(entry, icon.constData() + 6, entrySize);
        const quint32 offset = qFromLittleEndian<quint32>(icon.constData() + 6 + 12);
        qToLittleEndian<quint32>(quint32(directory.size() + images.size()), entry + 12);
        images.append(icon.mid(offset));
    }
    return directory + images;
}

// A CMYK JPEG the way Adobe's programs write it: inverted samples and the Adobe marker.
QByteArray AdobeCmykJpeg(QSize size, const quint8 (&inkCmyk)[4])
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &buffer, &length);
    info.image_width = JDIMENSION(size.width());
    info.image_height = JDIMENSION(size.height());
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    QByteArray row;
    for (int x = 0; x < size.width(); ++x)
        for (const quint8 ink : inkCmyk)
            row.append(char(255 - ink));
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(length));
    std::free(buffer);
    return bytes;
}

// Bytes that are no picture of any kind; the same every run.
QByteArray Noise(int length)
{
    QByteArray bytes;
    quint32 state = 12345;
    for (int i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        bytes.append(char(state >> 16));
    }
    return bytes;
}

bool Near(const QColor& actual, const QColor& expected, int tolerance = 24)
{
    return qAbs(actual.red() - expected.red()) <= tolerance
        && qAbs(actual.green() - expected.green()) <= tolerance
        && qAbs(actual.blue() - expected.blue()) <= tolerance
        && qAbs(actual.alpha() - expected.alpha()) <= tolerance;
}

// Loads a file of the folder, expecting success.
QImage Loaded(const QString& path)
{
    QImage image;
    QString error;
    EXPECT_TRUE(LoadPictureImage(path, image, error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    return image;
}

// Loads a file of the folder, expecting a failure that names the file.
void ExpectFailure(const QString& path)
{
    QImage image;
    QString error;
    EXPECT_FALSE(LoadPictureImage(path, image, error)) << path.toStdString();
    EXPECT_TRUE(image.isNull()) << path.toStdString();
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
}

} // namespace

TEST(PictureLoader, ExtensionChoosesTheReaderInAnyCase)
{
    for (const char* suffix : { "ico", "bmp", "wmf", "emf", "jpg", "jpeg", "ICO", "Jpeg" })
        EXPECT_TRUE(IsPictureExtension(suffix)) << suffix;
    for (const char* suffix : { "gif", "png", "svg", "", ".ico", "icon" })
        EXPECT_FALSE(IsPictureExtension(suffix)) << suffix;

    TempFolder folder;
    // A valid GIF stays refused: only the six types are theme pictures.
    const QByteArray gif = QByteArray::fromHex(
        "47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");
    const QString gifPath = folder.Write("icon.gif", gif);
    ASSERT_FALSE(QImage(gifPath).isNull());
    ExpectFailure(gifPath);
    // Bitmap content under another picture extension is read as that type, and fails.
    ExpectFailure(folder.Write("bitmap.jpg", Encoded(Framed({ 8, 8 }, Qt::red), "BMP")));

    const QImage upper
        = Loaded(folder.Write("UPPER.ICO", Encoded(Framed({ 32, 32 }, Qt::red), "ICO")));
    EXPECT_EQ(upper.size(), QSize(32, 32));
    const QImage mixed
        = Loaded(folder.Write("Photo.JpEg", Encoded(Framed({ 20, 10 }, Qt::red), "JPG")));
    EXPECT_EQ(mixed.size(), QSize(20, 10));
}

TEST(PictureLoader, IconsAndBitmapsKeepTheirSizeAndTransparency)
{
    TempFolder folder;
    const QString icoPath = folder.Write("icon.ico", Encoded(Framed({ 64, 64 }, Qt::red), "ICO"));
    QPixmap picture;
    QString error;
    ASSERT_TRUE(LoadPicture(icoPath, picture, error)) << error.toStdString();
    EXPECT_EQ(picture.size(), QSize(64, 64));
    const QImage icon = picture.toImage();
    EXPECT_TRUE(Near(icon.pixelColor(32, 32), Qt::red));
    EXPECT_EQ(icon.pixelColor(1, 1).alpha(), 0);

    // Of several images the largest is shown, wherever it stands in the file.
    const QByteArray joined = JoinedIcon(
        { Encoded(Framed({ 16, 16 }, Qt::blue), "ICO"), Encoded(Framed({ 48, 48 }, Qt::red), "ICO"),
            Encoded(Framed({ 32, 32 }, Qt::green), "ICO") });
    const QImage largest = Loaded(folder.Write("sizes.ico", joined));
    EXPECT_EQ(largest.size(), QSize(48, 48));
    EXPECT_TRUE(Near(largest.pixelColor(24, 24), Qt::red));

    const QImage bitmap
        = Loaded(folder.Write("card.bmp", Encoded(Framed({ 40, 30 }, Qt::blue), "BMP")));
    EXPECT_EQ(bitmap.size(), QSize(40, 30));
    EXPECT_TRUE(Near(bitmap.pixelColor(20, 15), Qt::blue));
}

TEST(PictureLoader, JpegsAreDecodedInColourGreyAndCmyk)
{
    TempFolder folder;
    QImage halves(64, 48, QImage::Format_RGB32);
    halves.fill(QColor(200, 30, 30));
    for (int y = 0; y < 48; ++y)
        for (int x = 32; x < 64; ++x)
            halves.setPixelColor(x, y, QColor(20, 40, 220));
    const QImage colour = Loaded(folder.Write("photo.jpg", Encoded(halves, "JPG", 95)));
    EXPECT_EQ(colour.size(), QSize(64, 48));
    EXPECT_TRUE(Near(colour.pixelColor(10, 24), QColor(200, 30, 30)))
        << colour.pixelColor(10, 24).name().toStdString();
    EXPECT_TRUE(Near(colour.pixelColor(54, 24), QColor(20, 40, 220)))
        << colour.pixelColor(54, 24).name().toStdString();

    QImage grey(16, 16, QImage::Format_Grayscale8);
    grey.fill(QColor(90, 90, 90));
    const QImage decodedGrey = Loaded(folder.Write("grey.jpeg", Encoded(grey, "JPG", 95)));
    EXPECT_EQ(decodedGrey.size(), QSize(16, 16));
    EXPECT_TRUE(Near(decodedGrey.pixelColor(8, 8), QColor(90, 90, 90)));

    // Magenta and yellow ink make red.
    const quint8 redInk[4] = { 0, 255, 255, 0 };
    const QImage cmyk = Loaded(folder.Write("print.jpg", AdobeCmykJpeg({ 24, 16 }, redInk)));
    EXPECT_EQ(cmyk.size(), QSize(24, 16));
    EXPECT_TRUE(Near(cmyk.pixelColor(12, 8), Qt::red))
        << cmyk.pixelColor(12, 8).name().toStdString();
}

TEST(PictureLoader, MetafilesAreDrawnAtTheirOwnSize)
{
    TempFolder folder;
    using namespace MetafileFixtures;
    const QSize size(64, 48);
    const QImage wmf
        = Loaded(folder.Write("shape.wmf", Wmf(size, Shape::Ellipse, InsetBox(size), Qt::red)));
    const QImage emf
        = Loaded(folder.Write("shape.emf", Emf(size, Shape::Ellipse, InsetBox(size), Qt::red)));
    for (const QImage& drawn : { wmf, emf }) {
        EXPECT_EQ(drawn.size(), size);
        // The ellipse is filled, and the picture around it stays transparent.
        EXPECT_TRUE(Near(drawn.pixelColor(32, 24), Qt::red));
        EXPECT_TRUE(Near(drawn.pixelColor(10, 24), Qt::red));
        EXPECT_EQ(drawn.pixelColor(1, 1).alpha(), 0);
        EXPECT_EQ(drawn.pixelColor(62, 46).alpha(), 0);
    }
}

TEST(PictureLoader, MetafilesKeepTheirExactColours)
{
    TempFolder folder;
    using namespace MetafileFixtures;
    // A colour without an SVG name, filled with a transparent background mode: fully opaque.
    const QColor orange(200, 100, 0);
    const QRect box(10, 10, 20, 20);
    const QImage wmf
        = Loaded(folder.Write("square.wmf", Wmf({ 40, 40 }, Shape::Rectangle, box, orange)));
    const QImage emf
        = Loaded(folder.Write("square.emf", Emf({ 40, 40 }, Shape::Rectangle, box, orange)));
    for (const QImage& drawn : { wmf, emf }) {
        EXPECT_EQ(drawn.size(), QSize(40, 40));
        EXPECT_EQ(drawn.pixelColor(12, 12), orange)
            << drawn.pixelColor(12, 12).name().toStdString();
        EXPECT_EQ(drawn.pixelColor(5, 20).alpha(), 0);
        EXPECT_EQ(drawn.pixelColor(35, 20).alpha(), 0);
    }
}

TEST(PictureLoader, MissingEmptyOrDamagedFilesFailCleanly)
{
    TempFolder folder;
    using namespace MetafileFixtures;
    ExpectFailure(folder.Path("missing.ico"));
    ExpectFailure(folder.MakeFolder("folder.bmp").chopped(1));

    const QByteArray jpeg = Encoded(Framed({ 64, 64 }, Qt::red), "JPG", 90);
    const QByteArray wmf = Wmf({ 64, 64 }, Shape::Ellipse, InsetBox({ 64, 64 }), Qt::red);
    const QByteArray emf = Emf({ 64, 64 }, Shape::Ellipse, InsetBox({ 64, 64 }), Qt::red);
    const QByteArray ico = Encoded(Framed({ 64, 64 }, Qt::red), "ICO");
    const QByteArray bmp = Encoded(Framed({ 64, 64 }, Qt::red), "BMP");
    const QList<QPair<QString, QByteArray>> valid
        = { { "jpg", jpeg }, { "wmf", wmf }, { "emf", emf }, { "ico", ico }, { "bmp", bmp } };
    for (const auto& [suffix, bytes] : valid) {
        ExpectFailure(folder.Write("empty." + suffix, {}));
        ExpectFailure(folder.Write("noise." + suffix, Noise(3000)));
        ExpectFailure(folder.Write("half." + suffix, bytes.left(bytes.size() / 2)));
        ExpectFailure(folder.Write("header." + suffix, bytes.left(30)));
    }

    // Claimed sizes beyond the limit are refused before anything that large is made.
    QByteArray hugeJpeg = jpeg;
    const qsizetype frame = hugeJpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    qToBigEndian<quint16>(60000, hugeJpeg.data() + frame + 5);
    qToBigEndian<quint16>(60000, hugeJpeg.data() + frame + 7);
    ExpectFailure(folder.Write("huge.jpg", hugeJpeg));
    QByteArray hugeBmp = bmp;
    qToLittleEndian<qint32>(20000, hugeBmp.data() + 18);
    qToLittleEndian<qint32>(20000, hugeBmp.data() + 22);
    ExpectFailure(folder.Write("huge.bmp", hugeBmp));
    ExpectFailure(folder.Write(
        "huge.wmf", Wmf({ 20000, 20000 }, Shape::Ellipse, InsetBox({ 64, 64 }), Qt::red)));
    ExpectFailure(folder.Write(
        "huge.emf", Emf({ 20000, 20000 }, Shape::Ellipse, InsetBox({ 64, 64 }), Qt::red)));
    ExpectFailure(
        folder.Write("flat.emf", Emf({ 64, 0 }, Shape::Ellipse, InsetBox({ 64, 64 }), Qt::red)));
}
