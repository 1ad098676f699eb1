// The channel sorts on 4,000 TV channels, on the model alone: A to Z of
// names in random order and of names in reverse order (the most exchanges),
// and the lock and favourite sorts; then what 100 undo steps of renames keep.
#include "BenchTiming.h"
#include "channel/ChannelEditing.h"
#include "channel/ChannelHistory.h"
#include "support/SampleTables.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {
// The peak resident size so far, in MB.
double peakMegabytes()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
#else
    return 0;
#endif
}
}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    ChannelModel model{ProgramDir(dir.path())};
    ChannelTables tables = sampleTables(4000, 0);
    QRandomGenerator random(4000);
    for (RomChannel &record : tables.Rom) {
        QByteArray name;
        for (int c = 0; c < 12; ++c)
            name.append(char(random.bounded(2) ? 'A' + random.bounded(26) : 'a' + random.bounded(26)));
        record.Name = QString::fromLatin1(name);
        record.NameBytes = name;
        record.NameLast = qint16(name.size() - 1);
    }
    model.tables() = tables;
    model.setDataLoaded(true);
    ChannelEditing editing(model);
    editing.switchType(ChannelTV);
    const ChannelSnapshot shuffled = editing.snapshot();
    editing.sortByName(-1);
    const ChannelSnapshot reversed = editing.snapshot();
    std::printf("4,000 TV channels, 12-letter names, every third locked, 6 groups of favourites\n");
    auto sorted = [&editing] { return editing.rowCount() == 4000; };
    measure(
        "A to Z of 4,000 names in random order", 15,
        [&] {
            editing.sortByName(1);
            return sorted();
        },
        [&] { editing.restore(shuffled); });
    measure(
        "A to Z of 4,000 names in reverse order", 15,
        [&] {
            editing.sortByName(1);
            return sorted();
        },
        [&] { editing.restore(reversed); });
    measure(
        "lock sort of 4,000 channels", 15,
        [&] {
            editing.sortByLock();
            return sorted();
        },
        [&] { editing.restore(shuffled); });
    measure(
        "favourite sort of 4,000 channels", 15,
        [&] {
            editing.sortByFavorite();
            return sorted();
        },
        [&] { editing.restore(shuffled); });

    // The editor's history keeps one step per change.
    editing.restore(shuffled);
    QList<ChannelHistoryStep> history;
    QObject::connect(&editing, &ChannelEditing::edited, &editing,
                     [&history](const ChannelSnapshot &before, const ChannelSnapshot &after) {
                         history.append(ChannelHistoryStep(before, after));
                     });
    const double before = peakMegabytes();
    for (int step = 0; step < 100; ++step)
        editing.rename(step * 40, QStringLiteral("RENAMED %1").arg(step));
    for (int step = 0; step < 100; ++step)
        editing.setLocked({step * 40}, step % 2 == 0);
    std::printf("%-42s %6.1f MB more at the peak (%lld steps)\n", "100 renames and 100 locks kept for undo",
                peakMegabytes() - before, static_cast<long long>(history.size()));
    return 0;
}
