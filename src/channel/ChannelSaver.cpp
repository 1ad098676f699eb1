#include "channel/ChannelSaver.h"

ChannelSaver::ChannelSaver(Converters converters) : m_converters(std::move(converters))
{
}

Result<QString> ChannelSaver::save(ChannelModel &model, const QString &source, const QString &target)
{
    const ChannelTables before = model.savedCopy();
    if (const Status saved = model.SaveChannelFiles(); !saved)
        return saved;
    const ChannelTables written = model.savedCopy();
    model.setSavedCopy(before);
    const Result<QString> copy = m_backups.keep(target);
    if (!copy)
        return copy;
    const RunOutcome combined = m_converters.channelCombine(source, target);
    if (!combined.succeeded())
        return Result<QString>::failure(combined.describe(QStringLiteral("ChannelCombine")));
    model.setSavedCopy(written);
    m_backups.told(target);
    if (copy.value().isEmpty())
        return QString();
    return QStringLiteral("Kept the old channel data as %1\r\n").arg(copy.value());
}
