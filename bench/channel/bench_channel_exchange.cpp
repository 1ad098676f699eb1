// The spreadsheet exchange on 4,000 channels (3,000 TV, 1,000 radio): export,
// import of the file reversed, and an order from a 4,000-channel reference in
// another order, both as an image's tables and as an exported file.
#include "BenchTiming.h"
#include "channel/ChannelCsv.h"
#include "channel/ChannelOrder.h"
#include "support/SampleTables.h"

#include <QCoreApplication>

#include <algorithm>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const ChannelTables tables = sampleTables(3000, 1000);
    const QByteArray csv = exportChannelCsv(tables);
    // The data rows in reverse: every channel moves.
    QList<QByteArray> lines = csv.split('\n');
    lines.removeLast();
    std::reverse(lines.begin() + 1, lines.end());
    const QByteArray reversed = lines.join('\n') + '\n';
    ChannelTables reference = tables;
    for (auto &list : reference.Channels)
        std::reverse(list.begin(), list.end());
    const QList<ReferenceChannel> referenceList = referenceOf(reference);
    const QByteArray referenceCsv = exportChannelCsv(reference);

    std::printf("4,000 channels (3,000 TV, 1,000 radio), %lld bytes of CSV\n", static_cast<long long>(csv.size()));
    measure("export 4,000 channels", 15, [&] { return exportChannelCsv(tables).size() == csv.size(); });
    measure("import 4,000 rows, all moved", 15, [&] { return importChannelCsv(tables, reversed).ok(); });
    measure("order like a 4,000-channel image's tables", 15,
            [&] { return orderLike(tables, referenceList, true).matched == 4000; });
    measure("order like a 4,000-row exported file", 15, [&] {
        const Result<QList<ReferenceChannel>> parsed = referenceFromCsv(referenceCsv);
        return parsed.ok() && orderLike(tables, parsed.value(), false).matched == 4000;
    });
    return 0;
}
