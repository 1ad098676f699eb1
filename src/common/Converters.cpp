#include "common/Converters.h"

#include <QDir>
#include <QFile>

Converters::Converters(ProgramDir dir) : m_dir(std::move(dir))
{
}

QStringList Converters::tpParseArguments(const QString &dir, const QString &mdaFile)
{
    return {dir, QDir::toNativeSeparators(mdaFile)};
}

QStringList Converters::tpCombineArguments(const QString &dir, const QString &mdaFile)
{
    return {dir, QDir::toNativeSeparators(mdaFile)};
}

QStringList Converters::channelParseArguments(const QString &dir, const QString &binFile)
{
    return {QDir::toNativeSeparators(binFile), dir};
}

QStringList Converters::channelCombineArguments(const QString &dir, const QString &sourceBin, const QString &targetBin)
{
    return {QDir::toNativeSeparators(sourceBin), QDir::toNativeSeparators(targetBin), dir};
}

const QStringList &Converters::tpFiles()
{
    static const QStringList names{QStringLiteral("Parse_AM.Dll"), QStringLiteral("Parse_AS.Dll"),
                                   QStringLiteral("Parse_AT.Dll"), QStringLiteral("Parse_EU.Dll"),
                                   QStringLiteral("PreDefine.Dll")};
    return names;
}

const QStringList &Converters::channelFiles()
{
    static const QStringList names{QStringLiteral("TV.dll"), QStringLiteral("Radio.dll"),
                                   QStringLiteral("Favorite.dll"), QStringLiteral("ROM_GetCH.dll")};
    return names;
}

void Converters::removeFiles(const QStringList &names) const
{
    for (const QString &name : names) {
        if (m_dir.exists(name))
            QFile::remove(m_dir.filePath(name));
    }
}

RunOutcome Converters::tpParse(const QString &mdaFile) const
{
    removeFiles(tpFiles());
    return run(QStringLiteral("TPParse"), tpParseArguments(m_dir.path(), mdaFile));
}

RunOutcome Converters::tpCombine(const QString &mdaFile) const
{
    return run(QStringLiteral("TPCombine"), tpCombineArguments(m_dir.path(), mdaFile));
}

RunOutcome Converters::channelParse(const QString &binFile) const
{
    removeFiles(channelFiles());
    return run(QStringLiteral("ChannelParse"), channelParseArguments(m_dir.path(), binFile));
}

RunOutcome Converters::channelCombine(const QString &sourceBin, const QString &targetBin) const
{
    return run(QStringLiteral("ChannelCombine"), channelCombineArguments(m_dir.path(), sourceBin, targetBin));
}

RunOutcome Converters::run(const QString &baseName, const QStringList &arguments) const
{
    return RunAndWait(m_dir.executable(baseName), arguments);
}
