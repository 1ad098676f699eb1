// tp_sample_files <directory> [scan table folder]: writes a full set of
// intermediate TP files, from which the build makes the sample TP image. With a
// folder of DVB-S scan tables the satellites are real ones, else made up.
#include "GeneratedSample.h"
#include "ScanSample.h"
#include "common/ProgramDir.h"
#include "tp/TPFiles.h"

#include <QCoreApplication>
#include <QTextStream>

#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && args.size() != 3) {
        QTextStream(stderr) << "usage: tp_sample_files <directory> [scan table folder]\n";
        return 2;
    }
    auto tables = std::make_unique<TPTables>();
    if (args.size() == 3) {
        const QList<SampleSatellite> satellites = ScanSatellites(args[2]);
        if (satellites.isEmpty()) {
            QTextStream(stderr) << "tp_sample_files: no DVB-S transponders in " << args[2] << '\n';
            return 1;
        }
        PlaceSatellites(satellites, *tables);
    } else {
        FillGeneratedSample(*tables);
    }
    if (const Status saved = TPSaveAll(ProgramDir(args[1]), *tables); !saved) {
        QTextStream(stderr) << "tp_sample_files: " << saved.error() << '\n';
        return 1;
    }
    return 0;
}
