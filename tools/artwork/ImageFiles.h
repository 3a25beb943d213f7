// Writing the artwork in the pixel formats the program's resources use.
#pragma once

#include <QImage>
#include <QString>

namespace artwork {

enum class FileFormat {
    Rgb24Png,   // 24-bit colour
    Rgb32Png,   // 32-bit colour; the fourth byte carries no meaning (written opaque)
    MonoPng,    // 1 bit per pixel, the image's own two-entry palette in its order
    Vga16Png,   // 4 bits per pixel, the Vga16 palette
    Ico,        // Windows icon file holding the one image
    ArgbPng,    // 32-bit colour with transparency, for the desktop's icons
};

// Writes the image at path in the given format. Returns false and sets
// *error when the file cannot be written or the format is not available.
bool SaveImage(const QImage& image, FileFormat format, const QString& path, QString* error);

// Writes bytes (an SVG document, say) to path as they are.
bool WriteBytes(const QByteArray& bytes, const QString& path, QString* error);

}  // namespace artwork
