// Build tool: writes the application icon as PNG files in the freedesktop icon-theme layout,
// <folder>/hicolor/<n>x<n>/apps/kalmorvaty.png, for each size given.
#include "artwork.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
        if (size <= 0 || !QDir().mkpath(dir) ||
            !kv::app::iconImage(size).save(dir + QLatin1String("/kalmorvaty.png"))) {
            std::fprintf(stderr, "cannot write the %s px icon into %s\n", argv[i], qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
