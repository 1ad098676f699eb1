// A 262,144-byte "Transponder" upload with the simulator paced like a real
// 115200-baud wire (10 bits a byte): wall time against the line-rate bound.
#include "BenchSupport.h"

int main(int argc, char *argv[])
{
    useOffscreenUnlessSet();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TarvikBench"));
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("tp.MDA"));
    if (!writeBenchFile(image, 262144))
        return 1;

    double ms = 0;
    {
        BenchSim sim(dir.path(), {QStringLiteral("--out"), dir.filePath(QStringLiteral("received.bin")),
                                  QStringLiteral("--baud"), QStringLiteral("115200")});
        ReceiverLink link{ProgramDir(dir.path())};
        ms = timedUpload(link, image, QStringLiteral("Transponder"));
    }
    if (ms < 0) {
        std::fprintf(stderr, "bench_link_line_rate: the upload did not complete\n");
        return 1;
    }
    const double boundMs = 262144.0 / 11520.0 * 1000.0;
    std::printf(
        "Transponder upload at 115200 baud: %.0f ms to \"SUCCESS\"; line-rate bound %.0f ms; %.1f %% of line rate\n",
        ms, boundMs, boundMs / ms * 100.0);
    return 0;
}
