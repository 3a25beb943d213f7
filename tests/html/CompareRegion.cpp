// compare_region A.png B.png W H: whether the top-left W x H pixels of two
// pictures are the same, decoded by Qt as `wxl render` encodes them. Prints
// the number of pixels that differ and the first of them; exit 0 when none.
#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: compare_region A.png B.png W H\n");
        return 2;
    }
    const QImage a = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    const QImage b = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_ARGB32);
    const int nWidth = std::atoi(argv[3]);
    const int nHeight = std::atoi(argv[4]);
    if (a.width() < nWidth || a.height() < nHeight || b.width() < nWidth || b.height() < nHeight) {
        std::printf("too small: %dx%d and %dx%d\n", a.width(), a.height(), b.width(), b.height());
        return 1;
    }
    long nDiffering = 0;
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            if (nDiffering++ == 0)
                std::printf("first at %d,%d: %08x against %08x\n", x, y, a.pixel(x, y), b.pixel(x, y));
        }
    }
    std::printf("%ld pixels differ\n", nDiffering);
    return nDiffering == 0 ? 0 : 1;
}
