#include "picture/PictureLoader.h"

#include "MetafileFixtures.h"
#include "TempFolder.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRandomGenerator>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <tuple>

namespace {

using namespace MetafileFixtures;

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

// An icon of PNG images, each with the side its directory states (256 is written as 0).
QByteArray PngIcon(const QList<QPair<QByteArray, int>>& images)
{
    QByteArray directory(6, '\0');
    qToLittleEndian<quint16>(1, directory.data() + 2);
    qToLittleEndian<quint16>(quint16(images.size()), directory.data() + 4);
    QByteArray data;
    for (const auto& [png, side] : images) {
        QByteArray entry(16, '\0');
        entry[0] = entry[1] = char(side & 0xFF);
        qToLittleEndian<quint16>(1, entry.data() + 4);
        qToLittleEndian<quint16>(32, entry.data() + 6);
        qToLittleEndian<quint32>(quint32(png.size()), entry.data() + 8);
        qToLittleEndian<quint32>(quint32(6 + 16 * images.size() + data.size()), entry.data() + 12);
        directory += entry;
        data += png;
    }
    return directory + data;
}

// A JPEG of one repeated pixel written by libjpeg: grey for one byte, CMYK for four, which
// libjpeg stores inverted with the Adobe marker as Adobe's programs do. With `acCoefficients` it
// is progressive: a DC scan, then two scans of successive approximation for each of the first
// AC coefficients.
QByteArray LibjpegFile(QSize size, const QByteArray& pixel, int acCoefficients = 0)
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
    info.input_components = int(pixel.size());
    info.in_color_space = pixel.size() == 4 ? JCS_CMYK : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    QList<jpeg_scan_info> script { { 1, { 0 }, 0, 0, 0, 0 } };
    for (int k = 1; k <= acCoefficients; ++k) {
        script.append({ 1, { 0 }, k, k, 0, 1 });
        script.append({ 1, { 0 }, k, k, 1, 0 });
    }
    if (acCoefficients > 0) {
        info.scan_info = script.constData();
        info.num_scans = int(script.size());
    }
    jpeg_start_compress(&info, TRUE);
    QByteArray row = pixel.repeated(size.width());
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

// A transparent expectation compares only the alpha: the colour of an invisible pixel is free.
bool Near(const QColor& actual, const QColor& expected, int tolerance = 24)
{
    const auto near = [&](int value, int wanted) { return qAbs(value - wanted) <= tolerance; };
    return near(actual.alpha(), expected.alpha())
        && (expected.alpha() == 0
            || (near(actual.red(), expected.red()) && near(actual.green(), expected.green())
                && near(actual.blue(), expected.blue())));
}

// Expects a failure that names the file and, when given, says why.
void ExpectFailure(const QString& path, const QString& reason = {})
{
    QImage image;
    QString error;
    EXPECT_FALSE(LoadPictureImage(path, image, error)) << path.toStdString();
    EXPECT_TRUE(image.isNull()) << path.toStdString();
    EXPECT_TRUE(error.contains(path) && error.contains(reason)) << error.toStdString();
}

} // namespace

TEST(PictureLoader, OnlyTheSixTypesAreReadEachByItsOwnReader)
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

    // Bytes are read as the type their suffix names, in any case; the reason names no file.
    const QByteArray bitmap = Encoded(Framed({ 8, 8 }, Qt::red), "BMP");
    QImage image;
    QString error;
    EXPECT_TRUE(DecodePictureBytes(bitmap, "BMP", image, error));
    EXPECT_FALSE(DecodePictureBytes(bitmap, "jpg", image, error));
    EXPECT_TRUE(error.startsWith("the JPEG")) << error.toStdString();
}

TEST(PictureLoader, EachTypeKeepsItsSizeColoursAndTransparency)
{
    struct Probe {
        QPoint At;
        QColor Colour;
    };
    struct Case {
        QString Name;
        QByteArray Bytes;
        QSize Size;
        QList<Probe> Probes;
        int Tolerance = 24;
    };
    QImage halves(64, 48, QImage::Format_RGB32);
    halves.fill(QColor(200, 30, 30));
    for (int y = 0; y < 48; ++y)
        for (int x = 32; x < 64; ++x)
            halves.setPixelColor(x, y, QColor(20, 40, 220));
    const QColor transparent(Qt::transparent);
    const QColor orange(200, 100, 0);
    const QSize shape(64, 48);
    const QList<Probe> ellipse { { { 32, 24 }, Qt::red }, { { 10, 24 }, Qt::red },
        { { 1, 1 }, transparent }, { { 62, 46 }, transparent } };
    // A colour without an SVG name, filled with a transparent background mode: fully opaque.
    const QList<Probe> square { { { 12, 12 }, orange }, { { 5, 20 }, transparent },
        { { 35, 20 }, transparent } };
    const QRect box(10, 10, 20, 20);
    const QList<Case> cases {
        { "UPPER.ICO", Encoded(Framed({ 32, 32 }, Qt::red), "ICO"), { 32, 32 },
            { { { 16, 16 }, Qt::red }, { { 1, 1 }, transparent } } },
        { "card.bmp", Encoded(Framed({ 40, 30 }, Qt::blue), "BMP"), { 40, 30 },
            { { { 20, 15 }, Qt::blue } } },
        { "Photo.JpEg", Encoded(halves, "JPG", 95), halves.size(),
            { { { 10, 24 }, QColor(200, 30, 30) }, { { 54, 24 }, QColor(20, 40, 220) } } },
        { "progressive grey.jpg", LibjpegFile({ 16, 16 }, QByteArray(1, char(90)), 4), { 16, 16 },
            { { { 8, 8 }, QColor(90, 90, 90) } } },
        // Magenta and yellow ink make red.
        { "print.jpg", LibjpegFile({ 24, 16 }, QByteArray("\xff\x00\x00\xff", 4)), { 24, 16 },
            { { { 12, 8 }, Qt::red } } },
        { "shape.wmf", Wmf(shape, Shape::Ellipse, InsetBox(shape), Qt::red), shape, ellipse },
        { "shape.emf", Emf(shape, Shape::Ellipse, InsetBox(shape), Qt::red), shape, ellipse },
        { "square.wmf", Wmf({ 40, 40 }, Shape::Rectangle, box, orange), { 40, 40 }, square, 0 },
        { "square.emf", Emf({ 40, 40 }, Shape::Rectangle, box, orange), { 40, 40 }, square, 0 },
    };
    TempFolder folder;
    for (const Case& test : cases) {
        QPixmap picture;
        QString error;
        ASSERT_TRUE(LoadPicture(folder.Write(test.Name, test.Bytes), picture, error))
            << error.toStdString();
        EXPECT_EQ(picture.size(), test.Size) << test.Name.toStdString();
        const QImage image = picture.toImage();
        for (const Probe& probe : test.Probes)
            EXPECT_TRUE(Near(image.pixelColor(probe.At), probe.Colour, test.Tolerance))
                << test.Name.toStdString() << " at " << probe.At.x() << "," << probe.At.y() << ": "
                << image.pixelColor(probe.At).name(QColor::HexArgb).toStdString();
    }
}

TEST(PictureLoader, OfAnIconOnlyItsLargestImageIsDecoded)
{
    // The directory can state no side above 256, so the images from 256 up all state 256 (0):
    // only their PNG headers tell them apart. Of equal images the first wins.
    QList<QPair<QByteArray, int>> images(
        500, { Encoded(Framed({ 16, 16 }, Qt::green), "PNG"), 16 });
    images[200] = { Encoded(Framed({ 256, 256 }, Qt::blue), "PNG"), 256 };
    QImage texted = Framed({ 300, 300 }, Qt::red);
    texted.setText("Comment", QString(100, 'x'));
    images[250] = { Encoded(texted, "PNG"), 256 };
    images[251] = { Encoded(Framed({ 300, 300 }, Qt::blue), "PNG"), 256 };
    TempFolder folder;
    QImage largest;
    QString error;
    ASSERT_TRUE(LoadPictureImage(folder.Write("many.ico", PngIcon(images)), largest, error));
    EXPECT_EQ(largest.size(), QSize(300, 300));
    EXPECT_TRUE(Near(largest.pixelColor(150, 150), Qt::red));
    // Text never reaches Qt's reader, which would expand compressed text of any length.
    EXPECT_TRUE(largest.text("Comment").isEmpty());
}

TEST(PictureLoader, MissingEmptyOrDamagedFilesFailCleanly)
{
    TempFolder folder;
    ExpectFailure(folder.Path("missing.ico"));
    ExpectFailure(folder.MakeFolder("folder.bmp").chopped(1));
    ExpectFailure(
        folder.Write("flat.emf", Emf({ 64, 0 }, Shape::Ellipse, InsetBox({ 64, 64 }), Qt::red)));

    const QByteArray jpeg = Encoded(Framed({ 64, 64 }, Qt::red), "JPG", 90);
    const QByteArray wmf = Wmf({ 64, 64 }, Shape::Ellipse, InsetBox({ 64, 64 }), Qt::red);
    const QByteArray emf = Emf({ 64, 64 }, Shape::Ellipse, InsetBox({ 64, 64 }), Qt::red);
    const QByteArray ico = Encoded(Framed({ 64, 64 }, Qt::red), "ICO");
    const QByteArray bmp = Encoded(Framed({ 64, 64 }, Qt::red), "BMP");
    const QList<QPair<QString, QByteArray>> valid
        = { { "jpg", jpeg }, { "wmf", wmf }, { "emf", emf }, { "ico", ico }, { "bmp", bmp } };
    // Bytes that are no picture of any kind; the same every run.
    QByteArray noise(3000, '\0');
    QRandomGenerator(12345).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    for (const auto& [suffix, bytes] : valid) {
        ExpectFailure(folder.Write("empty." + suffix, {}));
        ExpectFailure(folder.Write("noise." + suffix, noise));
        ExpectFailure(folder.Write("half." + suffix, bytes.left(bytes.size() / 2)));
        ExpectFailure(folder.Write("header." + suffix, bytes.left(30)));
    }
}

TEST(PictureLoader, FilesBeyondTheLimitsAreRefusedBeforeTheyAreDecoded)
{
    const QByteArray jpeg = Encoded(Framed({ 64, 64 }, Qt::red), "JPG", 90);
    QByteArray hugeJpeg = jpeg;
    const qsizetype frame = hugeJpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    qToBigEndian<quint16>(60000, hugeJpeg.data() + frame + 5);
    qToBigEndian<quint16>(60000, hugeJpeg.data() + frame + 7);
    QByteArray hugeBmp = Encoded(Framed({ 64, 64 }, Qt::red), "BMP");
    qToLittleEndian<qint32>(20000, hugeBmp.data() + 18);
    qToLittleEndian<qint32>(20000, hugeBmp.data() + 22);
    QByteArray hugePng = Encoded(Framed({ 16, 16 }, Qt::red), "PNG");
    qToBigEndian<quint32>(5000, hugePng.data() + 16);
    const QRect box = InsetBox({ 64, 64 });
    const QByteArray padding(MaxMetafileBytes, '\0');

    const QList<std::tuple<QString, QByteArray, QString>> cases {
        { "huge.jpg", hugeJpeg, "pixels" },
        { "huge.bmp", hugeBmp, "pixels" },
        { "huge.ico", PngIcon({ { hugePng, 0 } }), "pixels" },
        { "huge.wmf", Wmf({ 20000, 20000 }, Shape::Ellipse, box, Qt::red), "pixels" },
        { "huge.emf", Emf({ 20000, 20000 }, Shape::Ellipse, box, Qt::red), "pixels" },
        { "long.jpg", jpeg + QByteArray(MaxBitmapFileBytes, '\0'), "KB" },
        { "long.wmf", Wmf({ 64, 64 }, Shape::Ellipse, box, Qt::red) + padding, "KB" },
        { "long.emf", Emf({ 64, 64 }, Shape::Ellipse, box, Qt::red) + padding, "KB" },
        { "records.wmf", Wmf({ 64, 64 }, Shape::Ellipse, box, Qt::red, MaxMetafileRecords),
            "records" },
        { "records.emf", Emf({ 64, 64 }, Shape::Ellipse, box, Qt::red, MaxMetafileRecords),
            "records" },
        { "costly.wmf", Wmf({ 1024, 1024 }, Shape::Ellipse, box, Qt::red, 200), "records (2" },
        { "costly.emf", Emf({ 1024, 1024 }, Shape::Ellipse, box, Qt::red, 200), "records (2" },
        { "scans.jpg", LibjpegFile({ 16, 16 }, QByteArray(1, char(90)), 63), "scans" },
    };
    TempFolder folder;
    for (const auto& [name, bytes, reason] : cases)
        ExpectFailure(folder.Write(name, bytes), reason);
}
