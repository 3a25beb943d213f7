// wexlan_artwork: draws the program's bitmaps and icons, and the icons the
// desktop shows for it.
// Usage: wexlan_artwork OUTPUT_DIR [DESKTOP_ICON_DIR]. Runs without a display
// (offscreen).
#include "BoardImage.h"
#include "DesktopIcon.h"
#include "IconImages.h"
#include "ImageFiles.h"
#include "LabelText.h"
#include "StoneImages.h"
#include "ToolbarImage.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

using namespace artwork;

struct Output {
    const char* fileName;
    FileFormat format;
    QImage (*draw)();
};

const Output kOutputs[] = {
    {"board.png", FileFormat::Rgb24Png, DrawBoard},
    {"black.png", FileFormat::Rgb32Png, DrawBlackStone},
    {"white.png", FileFormat::Rgb32Png, DrawWhiteStone},
    {"flower.png", FileFormat::Rgb24Png, DrawFlowerStone},
    {"mask.png", FileFormat::MonoPng, DrawStoneMask},
    {"toolbar.png", FileFormat::Vga16Png, DrawToolbar},
    {"icon.png", FileFormat::Vga16Png, DrawMainIcon},
    {"icon.ico", FileFormat::Ico, DrawMainIcon},
    {"document-icon.png", FileFormat::Vga16Png, [] { return DrawDocumentIcon(32); }},
    {"document-icon-16.png", FileFormat::Vga16Png, [] { return DrawDocumentIcon(16); }},
};

int Fail(const QString& message)
{
    std::fprintf(stderr, "wexlan_artwork: %s\n", qPrintable(message));
    return 1;
}

// wexlan.svg and wexlan-<size>.png for each size of the hicolor theme.
int WriteDesktopIcons(const QDir& directory)
{
    if (!directory.mkpath("."))
        return Fail("cannot create " + directory.path());
    QString error;
    const QString svgPath = directory.filePath("wexlan.svg");
    if (!WriteBytes(DesktopIconSvg(), svgPath, &error))
        return Fail(svgPath + ": " + error);
    std::printf("%s\n", qPrintable(svgPath));
    for (const int size : kDesktopIconSizes) {
        const QString path = directory.filePath(QString("wexlan-%1.png").arg(size));
        if (!SaveImage(DrawDesktopIcon(size), FileFormat::ArgbPng, path, &error))
            return Fail(path + ": " + error);
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: wexlan_artwork OUTPUT_DIR [DESKTOP_ICON_DIR]\n");
        return 2;
    }
    if (!ArtworkFontInstalled())
        return Fail("the font \"WenQuanYi Micro Hei\" is not installed (fonts-wqy-microhei)");

    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.mkpath("."))
        return Fail("cannot create " + directory.path());

    for (const Output& output : kOutputs) {
        const QString path = directory.filePath(output.fileName);
        QString error;
        if (!SaveImage(output.draw(), output.format, path, &error))
            return Fail(path + ": " + error);
        std::printf("%s\n", qPrintable(path));
    }
    if (argc == 3)
        return WriteDesktopIcons(QDir(QString::fromLocal8Bit(argv[2])));
    return 0;
}
