#include "tp/TPHistory.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>

namespace {

void write(QDataStream &out, const SatRecord &s)
{
    out << s.Diseqc << s.SatName << s.TPCount << s.ParseSort << s.Deg;
}
void write(QDataStream &out, const TPRecord &tp)
{
    out << tp.Freq << tp.Polar << tp.SR << tp.FEC;
}
void read(QDataStream &in, SatRecord &s)
{
    in >> s.Diseqc >> s.SatName >> s.TPCount >> s.ParseSort >> s.Deg;
}
void read(QDataStream &in, TPRecord &tp)
{
    in >> tp.Freq >> tp.Polar >> tp.SR >> tp.FEC;
}

// Satellite slots first..last of one region; `sat` and `tp` give the records.
template <typename SatAt, typename TPAt>
QByteArray pack(int first, int last, SatAt sat, TPAt tp)
{
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        for (int s = first; s <= last; ++s) {
            write(out, sat(s));
            for (int k = 0; k < TPSlots; ++k)
                write(out, tp(s, k));
        }
    }
    return qCompress(bytes, 1);
}

}  // namespace

TableChange::Before::Before(const TPTables &t, const QList<int> &regions)
{
    for (const int r : regions) {
        Region copy{r, t.SatCount[r], {}, {}};
        copy.sats.reserve(SatSlots);
        copy.tps.reserve(std::size_t(SatSlots) * TPSlots);
        for (int s = 0; s < SatSlots; ++s) {
            copy.sats.push_back(t.SatData(r, s));
            for (int k = 0; k < TPSlots; ++k)
                copy.tps.push_back(t.TPData(r, s, k));
        }
        m_regions.push_back(std::move(copy));
    }
}

TableChange::TableChange(const Before &before, const TPTables &after)
{
    for (const Before::Region &old : before.m_regions) {
        const int r = old.region;
        const auto tpOld = [&old](int s, int k) -> const TPRecord & {
            return old.tps[std::size_t(s) * TPSlots + std::size_t(k)];
        };
        const auto same = [&](int s) {
            if (!(old.sats[std::size_t(s)] == after.SatData(r, s)))
                return false;
            for (int k = 0; k < TPSlots; ++k)
                if (!(tpOld(s, k) == after.TPData(r, s, k)))
                    return false;
            return true;
        };
        int first = 0, last = SatSlots - 1;
        while (first < SatSlots && same(first))
            ++first;
        if (first == SatSlots && old.satCount == after.SatCount[r])
            continue;
        while (last > first && same(last))
            --last;
        Part part{r, first, last, old.satCount, after.SatCount[r], {}, {}};
        if (first <= last) {
            part.before = pack(
                first, last, [&old](int s) -> const SatRecord & { return old.sats[std::size_t(s)]; }, tpOld);
            part.after = pack(
                first, last, [&after, r](int s) -> const SatRecord & { return after.SatData(r, s); },
                [&after, r](int s, int k) -> const TPRecord & { return after.TPData(r, s, k); });
        }
        m_parts.append(part);
    }
}

void TableChange::apply(TPTables &t, const Part &part, const QByteArray &packed, qint16 count)
{
    t.SatCount[part.region] = count;
    if (part.first > part.last)
        return;
    const QByteArray bytes = qUncompress(packed);
    QDataStream in(bytes);
    for (int s = part.first; s <= part.last; ++s) {
        read(in, t.SatData(part.region, s));
        for (int k = 0; k < TPSlots; ++k)
            read(in, t.TPData(part.region, s, k));
    }
}

void TableChange::undo(TPTables &t) const
{
    for (const Part &part : m_parts)
        apply(t, part, part.before, part.countBefore);
}

void TableChange::redo(TPTables &t) const
{
    for (const Part &part : m_parts)
        apply(t, part, part.after, part.countAfter);
}

bool TableChange::absorb(const TableChange &later)
{
    if (later.isEmpty())
        return true;
    if (later.m_parts.size() != m_parts.size())
        return false;
    for (qsizetype i = 0; i < m_parts.size(); ++i) {
        const Part &a = m_parts[i], &b = later.m_parts[i];
        if (a.region != b.region || a.first != b.first || a.last != b.last)
            return false;
    }
    for (qsizetype i = 0; i < m_parts.size(); ++i) {
        m_parts[i].after = later.m_parts[i].after;
        m_parts[i].countAfter = later.m_parts[i].countAfter;
    }
    return true;
}

bool TableChange::restoresItself() const
{
    return std::all_of(m_parts.begin(), m_parts.end(),
                       [](const Part &p) { return p.countBefore == p.countAfter && p.before == p.after; });
}

qsizetype TableChange::byteSize() const
{
    qsizetype size = sizeof(*this);
    for (const Part &part : m_parts)
        size += qsizetype(sizeof(Part)) + part.before.capacity() + part.after.capacity();
    return size;
}
