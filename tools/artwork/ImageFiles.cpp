#include "ImageFiles.h"

#include "Palette.h"

#include <QImageWriter>
#include <QSaveFile>

#include <array>
#include <cassert>

namespace artwork {

namespace {

void AppendBigEndian(QByteArray& out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ ((crc & 1) ? 0xEDB88320u : 0u);
    }
    return ~crc;
}

QByteArray PngChunk(const char* type, const QByteArray& data)
{
    QByteArray body(type, 4);
    body += data;
    QByteArray chunk;
    AppendBigEndian(chunk, static_cast<quint32>(data.size()));
    chunk += body;
    AppendBigEndian(chunk, Crc32(body));
    return chunk;
}

// Rows packed most significant bits first, each row led by filter type 0.
QByteArray PackedRows(const QImage& indexed, int bitDepth)
{
    QByteArray raw;
    const int perByte = 8 / bitDepth;
    for (int y = 0; y < indexed.height(); ++y) {
        raw.append('\0');
        for (int x = 0; x < indexed.width(); x += perByte) {
            quint8 byte = 0;
            for (int i = 0; i < perByte; ++i) {
                const int index = x + i < indexed.width() ? indexed.pixelIndex(x + i, y) : 0;
                byte = static_cast<quint8>(byte | (index << (8 - bitDepth * (i + 1))));
            }
            raw.append(static_cast<char>(byte));
        }
    }
    return raw;
}

// Qt writes palette images with 8 bits per pixel; the resources want 1 and 4,
// so palette PNGs are put together here.
QByteArray PalettePng(const QImage& indexed, int bitDepth)
{
    assert(indexed.colorCount() <= (1 << bitDepth));
    QByteArray header;
    AppendBigEndian(header, static_cast<quint32>(indexed.width()));
    AppendBigEndian(header, static_cast<quint32>(indexed.height()));
    header.append(static_cast<char>(bitDepth));
    header.append(QByteArray("\x03\x00\x00\x00", 4));  // palette, deflate, no filter set, no interlace

    QByteArray palette;
    for (const QRgb colour : indexed.colorTable()) {
        palette.append(static_cast<char>(qRed(colour)));
        palette.append(static_cast<char>(qGreen(colour)));
        palette.append(static_cast<char>(qBlue(colour)));
    }

    // qCompress gives a zlib stream behind a 4-byte length of its own.
    const QByteArray deflated = qCompress(PackedRows(indexed, bitDepth), 9).mid(4);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png += PngChunk("IHDR", header);
    png += PngChunk("PLTE", palette);
    png += PngChunk("IDAT", deflated);
    png += PngChunk("IEND", {});
    return png;
}

bool WriteWithQt(const QImage& image, const char* format, const QString& path, QString* error)
{
    QImageWriter writer(path, format);
    if (writer.write(image))
        return true;
    *error = writer.errorString();
    return false;
}

}  // namespace

bool WriteBytes(const QByteArray& bytes, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

bool SaveImage(const QImage& image, FileFormat format, const QString& path, QString* error)
{
    switch (format) {
    case FileFormat::Rgb24Png:
        return WriteWithQt(image.convertToFormat(QImage::Format_RGB888), "png", path, error);
    case FileFormat::Rgb32Png:
        return WriteWithQt(image.convertToFormat(QImage::Format_RGB32)
                               .convertToFormat(QImage::Format_ARGB32),
                           "png", path, error);
    case FileFormat::MonoPng:
        return WriteBytes(PalettePng(image.convertToFormat(QImage::Format_Indexed8), 1), path,
                          error);
    case FileFormat::Vga16Png:
        return WriteBytes(PalettePng(ToVga16(image), 4), path, error);
    case FileFormat::Ico:
        return WriteWithQt(image.convertToFormat(QImage::Format_ARGB32), "ico", path, error);
    case FileFormat::ArgbPng:
        return WriteWithQt(image.convertToFormat(QImage::Format_ARGB32), "png", path, error);
    }
    return false;
}

}  // namespace artwork
