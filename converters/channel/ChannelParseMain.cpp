#include "ChannelConvert.h"
#include "ConverterMain.h"

// ChannelParse <file.bin> <program directory>
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    constexpr const char *kName = "ChannelParse";
    const auto arguments =
        converterArguments(kName, {QStringLiteral("<channel image>"), QStringLiteral("<program directory>")});
    if (!arguments)
        return ConverterExit::Usage;
    if (const Status done = channelParse(arguments->at(0), ProgramDir(arguments->at(1))); !done)
        return failWith(kName, done.error());
    return 0;
}
