#include "tp/TPClipboard.h"

#include "tp/TPFieldText.h"
#include "tp/TPListModel.h"
#include "tp/TPListOps.h"

#include <algorithm>

namespace {

QList<int> topToBottom(QList<int> rows, int rowCount)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [rowCount](int r) { return r < 0 || r >= rowCount; }),
               rows.end());
    return rows;
}

int satRows(const TPTables &t, int region)
{
    return std::clamp<int>(t.SatCount[region], 0, SatSlots);
}

}  // namespace

SatClipboard copySatellites(const TPTables &t, const ValueLists &lists, int region, const QList<int> &rows)
{
    SatClipboard clip;
    for (const int row : topToBottom(rows, satRows(t, region))) {
        const SatRecord &sat = t.SatData(region, row);
        SatClipEntry entry;
        entry.columns = {QString::number(row + 1), sat.Deg, sat.SatName,
                         lists.parseOptions.value(decimalValue(sat.ParseSort).value_or(-1)), sat.Diseqc};
        const int n = tpCountOf(sat);
        for (int k = 0; k < n; ++k)
            entry.tps.append(t.TPData(region, row, k));
        clip.append(entry);
    }
    return clip;
}

TPClipboard copyTPs(const TPTables &t, const ValueLists &lists, int region, int sat, const QList<int> &rows)
{
    TPClipboard clip;
    const QStringList polar = TPListModel::polarItems();
    for (const int row : topToBottom(rows, tpCountOf(t.SatData(region, sat)))) {
        const TPRecord &tp = t.TPData(region, sat, row);
        clip.append({tp.Freq, polar.value(decimalValue(tp.Polar).value_or(-1)), tp.SR,
                     lists.fecList.value(decimalValue(tp.FEC).value_or(-1))});
    }
    return clip;
}

QString parseSortOfText(const QString &text, const ValueLists &lists)
{
    const qsizetype at = lists.parseOptions.mid(0, 5).indexOf(text);
    return text.isEmpty() || at < 0 ? QString() : QString::number(at);
}

QString polarOfText(const QString &text)
{
    if (text == QLatin1String("H"))
        return QStringLiteral("0");
    if (text == QLatin1String("V"))
        return QStringLiteral("1");
    return {};
}

QString fecOfText(const QString &text)
{
    return text == QLatin1String("Auto") ? QStringLiteral("0") : text.left(1);
}

ListEdit pasteSatellites(TPTables &t, const ValueLists &lists, int region, const SatClipboard &clip, int row)
{
    const int n = satRows(t, region);
    if (n + clip.size() > MaxSat)
        return {-1, satLimitMessage()};
    if (clip.isEmpty())
        return {};
    const int p = n > 0 ? std::clamp(row, 0, n) : 0;
    for (qsizetype i = 0; i < clip.size(); ++i) {
        const SatClipEntry &entry = clip[i];
        const int at = p + int(i);
        insertSatellite(t, lists, region, at);  // moves the records and TP blocks below down
        SatRecord &sat = t.SatData(region, at);
        sat.Deg = entry.columns.value(1);
        sat.SatName = entry.columns.value(2);
        sat.ParseSort = parseSortOfText(entry.columns.value(3), lists);
        sat.Diseqc = entry.columns.value(4);
        const int count = std::min<int>(int(entry.tps.size()), TPSlots);
        sat.TPCount = QString::number(count);
        for (int k = 0; k < count; ++k)
            t.TPData(region, at, k) = entry.tps[k];
    }
    return {p, {}};
}

ListEdit pasteTPs(TPTables &t, int region, int sat, const TPClipboard &clip, int row)
{
    SatRecord &rec = t.SatData(region, sat);
    const int n = tpCountOf(rec);
    if (n + clip.size() > MaxTP)
        return {-1, tpLimitMessage()};
    if (clip.isEmpty())
        return {};
    const int p = n > 0 ? std::clamp(row, 0, n) : 0;
    const int added = int(clip.size());
    const int count = n + added;
    rec.TPCount = QString::number(count);
    for (int i = count - 1; i >= p + added; --i)
        t.TPData(region, sat, i) = t.TPData(region, sat, i - added);
    for (int i = 0; i < added; ++i) {
        const QStringList &texts = clip[i];
        t.TPData(region, sat, p + i) = {texts.value(0), polarOfText(texts.value(1)), texts.value(2),
                                        fecOfText(texts.value(3))};
    }
    return {p, {}};
}

int dropTarget(int rowUnderPointer, int rowCount, const QList<int> &dragged)
{
    int target = rowUnderPointer >= 0 && rowUnderPointer < rowCount ? rowUnderPointer : rowCount;
    const int start = target;
    for (const int row : topToBottom(dragged, rowCount))
        if (row < start)
            --target;
    return target;
}

ListEdit dropSatellites(TPTables &t, const ValueLists &lists, int region, const SatClipboard &clip,
                        const QList<int> &dragged, int rowUnderPointer)
{
    const int n = satRows(t, region);
    const QList<int> rows = topToBottom(dragged, n);
    // Never half a drop: the paste must fit once the rows are gone.
    if (n - rows.size() + clip.size() > MaxSat)
        return {-1, satLimitMessage()};
    const int target = dropTarget(rowUnderPointer, n, rows);
    for (const int row : rowsFromLast(rows))
        deleteSatellite(t, region, row);
    return pasteSatellites(t, lists, region, clip, target);
}

ListEdit dropTPs(TPTables &t, int region, int sat, const TPClipboard &clip, const QList<int> &dragged,
                 int rowUnderPointer)
{
    const int n = tpCountOf(t.SatData(region, sat));
    const QList<int> rows = topToBottom(dragged, n);
    if (n - rows.size() + clip.size() > MaxTP)
        return {-1, tpLimitMessage()};
    const int target = dropTarget(rowUnderPointer, n, rows);
    for (const int row : rowsFromLast(rows))
        deleteTP(t, region, sat, row);
    return pasteTPs(t, region, sat, clip, target);
}
