#pragma once

#include "common/ProgramDir.h"
#include "common/RunAndWait.h"

#include <QStringList>

// The four converter programs that lie in the program directory and turn
// receiver images into the intermediate text files and back. The TP converters
// take the program directory first, the channel converters last.
class Converters {
public:
    explicit Converters(ProgramDir dir);

    // The parse converters first remove the files they write, so no stale file
    // from an earlier image survives a failed conversion.
    RunOutcome tpParse(const QString &mdaFile) const;
    RunOutcome tpCombine(const QString &mdaFile) const;
    RunOutcome channelParse(const QString &binFile) const;
    RunOutcome channelCombine(const QString &sourceBin, const QString &targetBin) const;

    static QStringList tpParseArguments(const QString &dir, const QString &mdaFile);
    static QStringList tpCombineArguments(const QString &dir, const QString &mdaFile);
    static QStringList channelParseArguments(const QString &dir, const QString &binFile);
    static QStringList channelCombineArguments(const QString &dir, const QString &sourceBin, const QString &targetBin);

    // The intermediate files each parse converter writes, as the callers name them.
    static const QStringList &tpFiles();
    static const QStringList &channelFiles();
    // Removes those of `names` that are in the program directory.
    void removeFiles(const QStringList &names) const;

private:
    RunOutcome run(const QString &baseName, const QStringList &arguments) const;
    ProgramDir m_dir;
};
