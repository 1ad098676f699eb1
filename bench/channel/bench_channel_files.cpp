// Load and save of the four channel files with 4,000 channels.
#include "BenchTiming.h"
#include "channel/ChannelModel.h"
#include "support/SampleTables.h"

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
    // The texts alone: every file write ends in a sync, which a slow disk dominates.
    measure("the four file texts, in memory", 30, [&model] {
        const ChannelTables &t = model.tables();
        return !channelListText(t.Channels[ChannelTV]).isEmpty() &&
               !channelListText(t.Channels[ChannelRadio]).isEmpty() && !favoriteFileText(t).isEmpty() &&
               !romFileText(t.Rom, NameForm::Hex).isEmpty();
    });
    return 0;
}
