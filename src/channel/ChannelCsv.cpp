#include "channel/ChannelCsv.h"

#include "channel/ChannelArrange.h"
#include "channel/ChannelEditing.h"
#include "channel/CsvText.h"

#include <QHash>

#include <algorithm>

namespace {

const QStringList kHeader{QStringLiteral("type"),     QStringLiteral("position"),  QStringLiteral("name"),
                          QStringLiteral("lock"),     QStringLiteral("F1"),        QStringLiteral("F2"),
                          QStringLiteral("F3"),       QStringLiteral("F4"),        QStringLiteral("F5"),
                          QStringLiteral("F6"),       QStringLiteral("orig_type"), QStringLiteral("orig_position"),
                          QStringLiteral("orig_name")};
constexpr int kMaxNameLength = 16;

enum Column { Type, Position, Name, Lock, F1, OrigType = F1 + FavoriteGroupCount, OrigPosition, OrigName };

QString typeWord(int type)
{
    return type == ChannelRadio ? QStringLiteral("Radio") : QStringLiteral("TV");
}

int typeOf(const QString &text)
{
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("TV"), Qt::CaseInsensitive) == 0)
        return ChannelTV;
    if (word.compare(QLatin1String("Radio"), Qt::CaseInsensitive) == 0)
        return ChannelRadio;
    return -1;
}

bool isHeader(const QStringList &fields)
{
    if (fields.size() != kHeader.size())
        return false;
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].trimmed().compare(kHeader[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// Bad lines with the reason, in any order.
using LineErrors = QList<std::pair<int, QString>>;

QString describe(LineErrors errors)
{
    std::stable_sort(errors.begin(), errors.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList lines;
    for (const auto &[line, why] : std::as_const(errors))
        lines.append(QStringLiteral("line %1: %2").arg(line).arg(why));
    return lines.join(QLatin1Char('\n'));
}

// The rows that can be read; the others go to `errors`.
QList<ChannelCsvRow> readRows(const QByteArray &csv, LineErrors &errors);

// Why the row cannot be read, or empty.
QString readRow(const CsvRow &csv, ChannelCsvRow &row)
{
    if (!csv.error.isEmpty())
        return QStringLiteral("malformed: %1").arg(csv.error);
    if (csv.fields.size() != kHeader.size())
        return QStringLiteral("malformed: %1 fields, %2 expected").arg(csv.fields.size()).arg(kHeader.size());
    const QStringList &f = csv.fields;
    row.line = csv.line;
    row.type = typeOf(f[Type]);
    row.origType = typeOf(f[OrigType]);
    if (row.type < 0 || row.origType < 0)
        return QStringLiteral("malformed: the type is neither TV nor Radio");
    const QString lock = f[Lock].trimmed();
    if (lock != QLatin1String("0") && lock != QLatin1String("1") && !lock.isEmpty())
        return QStringLiteral("malformed: lock \"%1\" is neither 1 nor 0").arg(f[Lock]);
    row.locked = lock == QLatin1String("1");
    for (int g = 0; g < FavoriteGroupCount; ++g) {
        const QString text = f[F1 + g].trimmed();
        bool ok = true;
        row.favoriteRank[g] = text.isEmpty() ? 0 : text.toInt(&ok);
        if (!ok || row.favoriteRank[g] < 0)
            return QStringLiteral("malformed: F%1 \"%2\" is not a place in the group").arg(g + 1).arg(f[F1 + g]);
    }
    bool ok = false;
    row.origPosition = f[OrigPosition].trimmed().toInt(&ok);
    if (!ok || row.origPosition < 1)
        return QStringLiteral("malformed: orig_position \"%1\" is not a row number").arg(f[OrigPosition]);
    row.name = f[Name];
    row.origName = f[OrigName];
    return {};
}

QString nameProblem(const QString &name)
{
    if (name.size() > kMaxNameLength)
        return QStringLiteral("the name \"%1\" is over 16 characters").arg(name);
    if (!ChannelEditing::isStorableName(name))
        return QStringLiteral("the name \"%1\" holds a character outside ISO-8859-1, \"|\" or a control character")
            .arg(name);
    return {};
}

// A row's channel: the one at orig_position if it still bears orig_name, else
// the only one of the type that does; -1 for none.
class ChannelKey {
public:
    explicit ChannelKey(const ChannelTables &tables) : m_tables(tables)
    {
        for (int type = 0; type < ChannelTypeCount; ++type) {
            for (int p = 0; p < tables.Channels[type].size(); ++p)
                m_byName[type].insert(nameAt(type, p), p);
        }
    }
    QString nameAt(int type, int position) const
    {
        return m_tables.Rom.value(m_tables.Channels[type][position].ChannelIndex).Name;
    }
    int find(const ChannelCsvRow &row) const
    {
        const int p = row.origPosition - 1;
        if (p < m_tables.Channels[row.origType].size() && nameAt(row.origType, p) == row.origName)
            return p;
        const QList<int> named = m_byName[row.origType].values(row.origName);
        return named.size() == 1 ? named.first() : -1;
    }

private:
    const ChannelTables &m_tables;
    std::array<QMultiHash<QString, int>, ChannelTypeCount> m_byName;
};

}  // namespace

QByteArray exportChannelCsv(const ChannelTables &tables)
{
    QString text = csvRecord(kHeader);
    for (int type = 0; type < ChannelTypeCount; ++type) {
        const FavoriteRanks ranks = favoriteRanks(tables, type);
        const QList<ChannelEntry> &list = tables.Channels[type];
        for (int p = 0; p < list.size(); ++p) {
            const QString name = tables.Rom.value(list[p].ChannelIndex).Name;
            QStringList fields{typeWord(type), QString::number(p + 1), name,
                               (list[p].Attribute & LockBit) ? QStringLiteral("1") : QStringLiteral("0")};
            for (int g = 0; g < FavoriteGroupCount; ++g)
                fields.append(ranks[p][g] > 0 ? QString::number(ranks[p][g]) : QString());
            fields << typeWord(type) << QString::number(p + 1) << name;
            text += csvRecord(fields);
        }
    }
    return text.toUtf8();
}

namespace {

QList<ChannelCsvRow> readRows(const QByteArray &csv, LineErrors &errors)
{
    const QList<CsvRow> records = readCsv(csv);
    if (records.isEmpty() || !isHeader(records.first().fields)) {
        errors.append({records.isEmpty() ? 1 : records.first().line,
                       QStringLiteral("the header \"%1\" is missing").arg(kHeader.join(QLatin1Char(',')))});
        return {};
    }
    QList<ChannelCsvRow> rows;
    for (qsizetype i = 1; i < records.size(); ++i) {
        ChannelCsvRow row;
        if (const QString why = readRow(records[i], row); !why.isEmpty())
            errors.append({records[i].line, why});
        else
            rows.append(row);
    }
    return rows;
}

}  // namespace

Result<QList<ChannelCsvRow>> readChannelCsvRows(const QByteArray &csv)
{
    LineErrors errors;
    QList<ChannelCsvRow> rows = readRows(csv, errors);
    if (!errors.isEmpty())
        return Result<QList<ChannelCsvRow>>::failure(describe(errors));
    return rows;
}

Result<ChannelTables> importChannelCsv(const ChannelTables &tables, const QByteArray &csv)
{
    LineErrors errors;
    const QList<ChannelCsvRow> rows = readRows(csv, errors);
    if (!errors.isEmpty() && rows.isEmpty())
        return Result<ChannelTables>::failure(describe(errors));
    const ChannelKey key(tables);
    std::array<QHash<int, int>, ChannelTypeCount> lineOf;  // position to the row's line
    QHash<int, int> renamedOn;                             // master record to the line renaming it
    std::array<QList<const ChannelCsvRow *>, ChannelTypeCount> listed;
    for (const ChannelCsvRow &row : rows) {
        const int p = key.find(row);
        QString why;
        if (p < 0)
            why = QStringLiteral("unknown channel: %1 %2 \"%3\"")
                      .arg(typeWord(row.origType))
                      .arg(row.origPosition)
                      .arg(row.origName);
        else if (lineOf[row.origType].contains(p))
            why = QStringLiteral("the channel is given twice (also on line %1)").arg(lineOf[row.origType][p]);
        else if (row.type != row.origType)
            why = QStringLiteral("a channel cannot move between TV and Radio");
        else if (row.name != key.nameAt(row.origType, p))
            why = nameProblem(row.name);
        if (p >= 0 && !lineOf[row.origType].contains(p))
            lineOf[row.origType].insert(p, row.line);
        if (why.isEmpty() && row.name != key.nameAt(row.origType, p)) {
            const int record = tables.Channels[row.origType][p].ChannelIndex;
            if (renamedOn.contains(record))
                why = QStringLiteral("the channel is renamed on line %1 too").arg(renamedOn[record]);
            renamedOn.insert(record, row.line);
        }
        if (!why.isEmpty())
            errors.append({row.line, why});
        else
            listed[row.type].append(&row);
    }
    if (!errors.isEmpty())
        return Result<ChannelTables>::failure(describe(errors));

    ChannelTables renamed = tables;
    std::array<QList<ChannelPlacement>, ChannelTypeCount> placements;
    for (int type = 0; type < ChannelTypeCount; ++type) {
        const FavoriteRanks ranks = favoriteRanks(tables, type);
        std::array<int, FavoriteGroupCount> kept{};
        for (int p = 0; p < tables.Channels[type].size(); ++p) {
            if (lineOf[type].contains(p))
                continue;
            placements[type].append({p, std::nullopt, std::nullopt});
            for (int g = 0; g < FavoriteGroupCount; ++g)
                kept[g] += ranks[p][g] > 0 ? 1 : 0;
        }
        QList<ChannelPlacement> first;
        std::array<QList<std::pair<int, int>>, FavoriteGroupCount> members;  // (place, line)
        for (const ChannelCsvRow *row : std::as_const(listed[type])) {
            const int p = key.find(*row);
            // An unchanged name keeps its bytes, whatever they are.
            if (row->name != key.nameAt(type, p))
                setChannelName(renamed.Rom[tables.Channels[type][p].ChannelIndex], row->name);
            first.append({p, row->locked, row->favoriteRank});
            for (int g = 0; g < FavoriteGroupCount; ++g) {
                if (row->favoriteRank[g] > 0)
                    members[g].append({row->favoriteRank[g], row->line});
            }
        }
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            std::stable_sort(members[g].begin(), members[g].end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
            for (qsizetype k = qMax(0, MaxFavorites - kept[g]); k < members[g].size(); ++k)
                errors.append({members[g][k].second,
                               QStringLiteral("favourite group F%1 of %2 is over 50").arg(g + 1).arg(typeWord(type))});
        }
        placements[type] = first + placements[type];
    }
    if (!errors.isEmpty())
        return Result<ChannelTables>::failure(describe(errors));
    return arrangeChannels(renamed, placements);
}
