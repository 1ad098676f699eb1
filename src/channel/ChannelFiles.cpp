#include "channel/ChannelFiles.h"

namespace {

const char *const TypeNames[ChannelTypeCount] = {"TV", "radio"};

// A read position in a whole file, counting lines for error texts.
class TextCursor {
public:
    explicit TextCursor(const QByteArray &text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text.at(m_pos); }
    bool atLineEnd() const { return peek() == '\r' || peek() == '\n'; }
    int line() const { return m_line; }

    void skipSpaces()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t'))
            ++m_pos;
    }
    // CR LF, or a lone CR or LF.
    void takeLineEnd()
    {
        if (peek() == '\r')
            ++m_pos;
        if (peek() == '\n')
            ++m_pos;
        ++m_line;
    }
    void skipBlank()
    {
        for (skipSpaces(); atLineEnd(); skipSpaces())
            takeLineEnd();
    }
    // Text from `from` up to the next separator, for an error message.
    QString tokenFrom(qsizetype from) const
    {
        qsizetype end = from;
        while (end < m_text.size() && end - from < 24 && m_text.at(end) != ',' && m_text.at(end) != '\r' &&
               m_text.at(end) != '\n')
            ++end;
        return QString::fromLatin1(m_text.mid(from, end - from)).trimmed();
    }
    qsizetype pos() const { return m_pos; }
    void advance() { ++m_pos; }

private:
    const QByteArray &m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

QString where(const QString &fileName, const TextCursor &cursor)
{
    return QStringLiteral("%1, line %2: ").arg(fileName).arg(cursor.line());
}

// A 16-bit number with spaces around it, then its separator (a comma, a line
// end or the end of the file), which is consumed.
Result<qint16> readNumber(TextCursor &cursor, const QString &fileName)
{
    cursor.skipSpaces();
    if (cursor.atEnd())
        return Status::failure(where(fileName, cursor) + QStringLiteral("the file ends where a number is expected"));
    const qsizetype start = cursor.pos();
    const bool negative = cursor.peek() == '-';
    if (negative)
        cursor.advance();
    int digits = 0;
    qint64 value = 0;
    while (cursor.peek() >= '0' && cursor.peek() <= '9') {
        if (value < 1000000)
            value = value * 10 + (cursor.peek() - '0');
        ++digits;
        cursor.advance();
    }
    cursor.skipSpaces();
    const bool separated = cursor.atEnd() || cursor.peek() == ',' || cursor.atLineEnd();
    if (digits == 0 || !separated) {
        const QString token = cursor.tokenFrom(start);
        if (token.isEmpty())
            return Status::failure(where(fileName, cursor) + QStringLiteral("a number is missing"));
        return Status::failure(where(fileName, cursor) + QStringLiteral("\"%1\" is not a number").arg(token));
    }
    const qint64 signedValue = negative ? -value : value;
    if (signedValue < -32768 || signedValue > 32767)
        return Status::failure(where(fileName, cursor) +
                               QStringLiteral("%1 is out of range (-32768 to 32767)").arg(cursor.tokenFrom(start)));
    if (cursor.peek() == ',')
        cursor.advance();
    else if (cursor.atLineEnd())
        cursor.takeLineEnd();
    return qint16(signedValue);
}

}  // namespace

QByteArray plainNumber(int value)
{
    return QByteArray::number(value);
}

QByteArray paddedNumber(int value)
{
    return value < 0 ? QByteArray::number(value) + ' ' : ' ' + QByteArray::number(value) + ' ';
}

QByteArray hexName(const QByteArray &bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 16)
            text.append(digits[byte >> 4]);
        text.append(digits[byte & 15]);
    }
    return text;
}

Result<QList<RomChannel>> readRomFile(QIODevice &device, const QString &fileName)
{
    const QByteArray text = device.readAll();
    QList<RomChannel> rom;
    rom.reserve(qMin(text.count('\n'), qsizetype(MaxRecordsOf16Bit)));
    QByteArray buffer;  // reused: resize(0) keeps its capacity
    buffer.reserve(256);
    qsizetype pos = 0;
    while (pos < text.size()) {
        if (rom.size() == MaxRecordsOf16Bit)
            return Status::failure(QStringLiteral("%1: more than %2 records").arg(fileName).arg(MaxRecordsOf16Bit));
        RomChannel record;
        buffer.resize(0);
        int counter = 0;
        char previous = '\0';
        bool complete = false;
        while (pos < text.size() && !complete) {
            // Ordinary bytes go into the field as one run.
            qsizetype run = pos;
            while (run < text.size() && text.at(run) != '|' && text.at(run) != '\r' && text.at(run) != '\n')
                ++run;
            if (run > pos) {
                buffer.append(text.constData() + pos, run - pos);
                previous = text.at(run - 1);
                pos = run;
                continue;
            }
            const char byte = text.at(pos++);
            if (byte == '|') {
                if (counter == 0) {
                    record.NameBytes = QByteArray(buffer.constData(), buffer.size());
                    record.Name = QString::fromLatin1(buffer);
                    record.NameLast = qint16(buffer.size() - 1);
                    buffer.resize(0);
                } else if (counter <= 10) {
                    record.Fields[counter - 1] = QString::fromLatin1(buffer);
                    buffer.resize(0);
                }
                // From the eleventh "|" on the last field runs to the line end.
                if (counter < 11)
                    ++counter;
            } else if (byte == '\n' && previous == '\r') {
                record.Fields[10] = QString::fromLatin1(buffer);
                complete = true;
            } else if (byte != '\r') {
                buffer.append(byte);
            }
            previous = byte;
        }
        record.MyIndex = qint16(rom.size());
        rom.append(std::move(record));
    }
    return rom;
}

QByteArray romFileText(const QList<RomChannel> &rom, NameForm form)
{
    QByteArray text;
    text.reserve(rom.size() * 64);
    for (const RomChannel &record : rom) {
        // The file holds exactly NameLast+1 name bytes; an empty name has none.
        QByteArray name = record.NameBytes;
        name.resize(qMax(0, record.NameLast + 1), '\0');
        text.append(form == NameForm::Hex ? hexName(name) : name);
        for (const QString &field : record.Fields) {
            text.append('|');
            text.append(field.toLatin1());
        }
        text.append("\r\n");
    }
    return text;
}

Result<QList<ChannelEntry>> readChannelListFile(QIODevice &device, const QString &fileName, qsizetype romCount)
{
    const QByteArray text = device.readAll();
    TextCursor cursor(text);
    QList<ChannelEntry> entries;
    for (cursor.skipBlank(); !cursor.atEnd(); cursor.skipBlank()) {
        if (entries.size() == MaxRecordsOf16Bit)
            return Status::failure(QStringLiteral("%1: more than %2 channels").arg(fileName).arg(MaxRecordsOf16Bit));
        const int line = cursor.line();
        qint16 numbers[3];
        for (qint16 &number : numbers) {
            Result<qint16> read = readNumber(cursor, fileName);
            if (!read)
                return read.status();
            number = read.value();
        }
        if (numbers[0] < 0 || numbers[0] >= romCount)
            return Status::failure(
                QStringLiteral("%1, line %2: channel record %3 does not exist (ROM_GetCH.dll holds %4)")
                    .arg(fileName)
                    .arg(line)
                    .arg(numbers[0])
                    .arg(romCount));
        ChannelEntry entry;
        entry.ChannelIndex = numbers[0];
        entry.Attribute = numbers[1];
        entry.Extra = numbers[2];
        entries.append(entry);
    }
    return entries;
}

QByteArray channelListText(const QList<ChannelEntry> &entries)
{
    QByteArray text;
    text.reserve(entries.size() * 16);
    for (const ChannelEntry &entry : entries) {
        text.append(plainNumber(entry.ChannelIndex));
        text.append(',');
        text.append(plainNumber(entry.Attribute));
        text.append(',');
        text.append(paddedNumber(entry.Extra));
        text.append("\r\n");
    }
    return text;
}

Status readFavoriteFile(QIODevice &device, const QString &fileName, ChannelTables &tables)
{
    const QByteArray text = device.readAll();
    TextCursor cursor(text);
    for (int type = 0; type < ChannelTypeCount; ++type) {
        QList<ChannelEntry> &list = tables.Channels[type];
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            FavoriteGroup &group = tables.Favorites[type][g];
            const int countLine = cursor.line();
            Result<qint16> count = readNumber(cursor, fileName);
            if (!count)
                return count.status();
            if (count.value() < 0 || count.value() > MaxFavorites)
                return Status::failure(
                    QStringLiteral(
                        "%1, line %2: favourite group F%3 of the %4 list holds %5 entries; at most %6 are allowed")
                        .arg(fileName)
                        .arg(countLine)
                        .arg(g + 1)
                        .arg(QLatin1String(TypeNames[type]))
                        .arg(count.value())
                        .arg(MaxFavorites));
            group.Count = count.value();
            for (int k = 0; k < group.Count; ++k) {
                const int line = cursor.line();
                Result<qint16> position = readNumber(cursor, fileName);
                if (!position)
                    return position.status();
                const qint16 p = position.value();
                if (p < 0 || p >= list.size())
                    return Status::failure(
                        QStringLiteral("%1, line %2: favourite position %3 is not in the %4 list (%5 channels)")
                            .arg(fileName)
                            .arg(line)
                            .arg(p)
                            .arg(QLatin1String(TypeNames[type]))
                            .arg(list.size()));
                ChannelEntry &entry = list[p];
                if (entry.FavoriteFlag[g] == 1)
                    return Status::failure(
                        QStringLiteral("%1, line %2: favourite position %3 appears twice in group F%4 of the %5 list")
                            .arg(fileName)
                            .arg(line)
                            .arg(p)
                            .arg(g + 1)
                            .arg(QLatin1String(TypeNames[type])));
                entry.FavoriteFlag[g] = 1;
                group.CHIndex[k] = p;
                group.MyIndex[k] = tables.Rom.at(entry.ChannelIndex).MyIndex;
            }
        }
    }
    cursor.skipBlank();
    if (!cursor.atEnd())
        return Status::failure(where(fileName, cursor) + QStringLiteral("unexpected text after the twelfth group"));
    return Status::success();
}

QByteArray favoriteFileText(const ChannelTables &tables)
{
    QByteArray text;
    for (const auto &groups : tables.Favorites) {
        for (const FavoriteGroup &group : groups) {
            text.append(paddedNumber(group.Count)).append("\r\n");
            for (int k = 0; k < qBound(0, int(group.Count), MaxFavorites); ++k)
                text.append(paddedNumber(group.CHIndex[k])).append("\r\n");
        }
    }
    return text;
}
