// A 2 MB upload through the transfer window and a real serial port to the
// receiver simulator: the program's turnaround from the receiver's checksum
// reply to the next packet number, and the peak resident memory.
#include "BenchSupport.h"

#include <QTextStream>

#include <algorithm>
#include <sys/resource.h>
#include <vector>

namespace {

long peakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto index = size_t(std::clamp(p * double(values.size() - 1) + 0.5, 0.0, double(values.size() - 1)));
    return values[index];
}

}  // namespace

int main(int argc, char *argv[])
{
    useOffscreenUnlessSet();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TarvikBench"));
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("2mb.bin"));
    const QString timing = dir.filePath(QStringLiteral("timing.txt"));
    if (!writeBenchFile(image, 2097152))
        return 1;
    const long before = peakResidentKb();

    double ms = 0;
    {
        BenchSim sim(dir.path(), {QStringLiteral("--out"), dir.filePath(QStringLiteral("received.bin")),
                                  QStringLiteral("--timing"), timing});
        ReceiverLink link{ProgramDir(dir.path())};
        ms = timedUpload(link, image, QStringLiteral("2MB"));
    }
    if (ms < 0) {
        std::fprintf(stderr, "bench_link_upload: the upload did not complete\n");
        return 1;
    }

    std::vector<double> turnaround;
    QFile f(timing);
    if (f.open(QIODevice::ReadOnly)) {
        QTextStream in(&f);
        for (QString line = in.readLine(); !line.isNull(); line = in.readLine())
            turnaround.push_back(line.toDouble() - 20.0);  // above the 20 ms message gap
    }
    if (turnaround.empty())
        return 1;
    std::printf("2 MB upload: 600 packets in %.0f ms\n", ms);
    std::printf("turnaround above the 20 ms gap: median %.3f ms, p99 %.3f ms, max %.3f ms (%zu replies)\n",
                percentile(turnaround, 0.5), percentile(turnaround, 0.99), percentile(turnaround, 1.0),
                turnaround.size());
    std::printf("peak resident memory: %.1f MB (%.1f MB before the upload)\n", peakResidentKb() / 1024.0,
                before / 1024.0);
    return 0;
}
