// Load and save of the four channel files with 4,000 channels.
#include "BenchTiming.h"
#include "channel/ChannelModel.h"
#include "channel/SampleTables.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    ChannelModel model{ProgramDir(dir.path())};
    model.tables() = sampleTables(3000, 1000);
    std::printf("4,000 channels (3,000 TV, 1,000 radio), 4,000 master records\n");
    measure("SaveChannelFiles", 30, [&model] { return model.SaveChannelFiles().ok(); });
    measure("LoadChannelFiles", 30, [&model] { return model.LoadChannelFiles().ok(); });
    measure("ChannelDataUnchanged", 30, [&model] { return model.ChannelDataUnchanged(); });
    return 0;
}
