// tp_image_seeds <directory>: writes a few TP images for the image harness to
// start from, without their trailing zeros (the harness pads them again).
#include "TPImage.h"
#include "common/WholeFile.h"

#include <QDir>

#include <memory>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    for (int kind = 0; kind < 3; ++kind) {
        auto sats = std::make_unique<SatTable>();
        auto tps = std::make_unique<TPTable>();
        for (int r = 0; r < RegionCount; ++r) {
            for (int s = 0; s < MaxSat; ++s) {
                const int count = kind == 0 ? 0 : (kind == 1 ? (s == 3 ? 2 : 0) : (s % 16 == 5 ? MaxTP : s % 4));
                (*sats)(r, s) = {QString::number(s % 4), QStringLiteral("Sat %1 (0%2)").arg(s).arg(100 + s),
                                 QString::number(count), QString::number(s % 5), QString::number(100 + s)};
                for (int t = 0; t < count; ++t)
                    (*tps)(r, s, t) = {QString::number(10700 + t * 17), QString::number(t % 2),
                                       t % 5 == 0 ? QStringLiteral("S R") : QStringLiteral("27500"),
                                       t % 7 == 0 ? QStringLiteral("_") : QString::number(t % 9)};
            }
        }
        const Result<QByteArray> image = combineTPImage(*sats, *tps);
        if (!image)
            return 1;
        QByteArray prefix = image.value();
        while (prefix.endsWith('\0'))
            prefix.chop(1);
        if (!writeWholeFile(dir.filePath(QStringLiteral("generated-%1.MDA").arg(kind)), prefix))
            return 1;
    }
    return 0;
}
