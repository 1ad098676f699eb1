#include "channel/ChannelImageLoad.h"

ChannelImageLoad loadChannelImage(const Converters &converters, ChannelModel &model, const QString &binFile)
{
    ChannelImageLoad result;
    const RunOutcome parsed = converters.channelParse(binFile);
    if (!parsed.succeeded()) {
        result.status = Status::failure(parsed.describe(QStringLiteral("ChannelParse")));
        return result;
    }
    result.converted = true;
    result.status = model.LoadChannelFiles();
    return result;
}
