#include "ChannelConvert.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

// ChannelParse <file.bin> <program directory>
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: ChannelParse <channel image> <program directory>\n", stderr);
        return 2;
    }
    const Status done = channelParse(args[1], ProgramDir(args[2]));
    if (!done) {
        std::fprintf(stderr, "ChannelParse: %s\n", qPrintable(done.error()));
        return 1;
    }
    return 0;
}
