#include "ChannelConvert.h"
#include "ConverterMain.h"

// ChannelCombine <source.bin> <target.bin> <program directory>
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    constexpr const char *kName = "ChannelCombine";
    const auto arguments =
        converterArguments(kName, {QStringLiteral("<source image>"), QStringLiteral("<target image>"),
                                   QStringLiteral("<program directory>")});
    if (!arguments)
        return ConverterExit::Usage;
    if (const Status done = channelCombine(arguments->at(0), arguments->at(1), ProgramDir(arguments->at(2))); !done)
        return failWith(kName, done.error());
    return 0;
}
