#include "ChannelConvert.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

// ChannelCombine <source.bin> <target.bin> <program directory>
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: ChannelCombine <source image> <target image> <program directory>\n", stderr);
        return 2;
    }
    const Status done = channelCombine(args[1], args[2], ProgramDir(args[3]));
    if (!done) {
        std::fprintf(stderr, "ChannelCombine: %s\n", qPrintable(done.error()));
        return 1;
    }
    return 0;
}
