#include "tp/RegionFile.h"

#include "tp/TPFieldText.h"

#include <algorithm>
#include <cstring>

namespace {

// Reads values in the manner of a comma-delimited record reader: a value ends
// at a comma or a line end, and a value opened by a double quote runs to the
// next double quote and is taken without them.
class ValueReader {
public:
    enum Outcome { Value, End, OpenQuote };

    explicit ValueReader(const QByteArray &text) : m_text(text.constData()), m_size(text.size()) {}

    Outcome next(QString &value)
    {
        const qsizetype size = m_size;
        if (m_pos >= size && !m_commaPending)
            return End;
        m_commaPending = false;
        if (m_pos < size && m_text[m_pos] == '"') {
            const auto *found =
                static_cast<const char *>(std::memchr(m_text + m_pos + 1, '"', size_t(size - m_pos - 1)));
            if (!found)
                return OpenQuote;
            const qsizetype close = found - m_text;
            value = QString::fromLatin1(m_text + m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            skipToDelimiter();
        } else {
            const qsizetype start = m_pos;
            skipToDelimiter();
            value = QString::fromLatin1(m_text + start, m_pos - start);
        }
        if (m_pos < size) {
            const char delimiter = m_text[m_pos++];
            if (delimiter == ',') {
                m_commaPending = true;
            } else {
                ++m_line;
                if (delimiter == '\r' && m_pos < size && m_text[m_pos] == '\n')
                    ++m_pos;
            }
        }
        return Value;
    }

    // True when nothing is left, not even the empty value a final comma promises.
    bool atEnd() const { return m_pos >= m_size && !m_commaPending; }
    int line() const { return m_line; }

private:
    void skipToDelimiter()
    {
        while (m_pos < m_size && m_text[m_pos] != ',' && m_text[m_pos] != '\r' && m_text[m_pos] != '\n')
            ++m_pos;
    }

    const char *m_text;
    qsizetype m_size;
    qsizetype m_pos = 0;
    int m_line = 1;
    bool m_commaPending = false;
};

}  // namespace

Status readRegionFile(QIODevice &in, const QString &fileName, int region, const SatTable &sats, TPTable &tps)
{
    Q_ASSERT(region >= 0 && region < RegionCount);
    const QByteArray bytes = in.readAll();
    ValueReader reader(bytes);
    for (int s = 0; s < MaxSat; ++s) {
        const QString &countText = sats(region, s).TPCount;
        const std::optional<int> count = decimalValue(countText);
        if (!count)
            return Status::failure(QStringLiteral("Cannot read %1: satellite %2 of region %3 has the TP count "
                                                  "\"%4\" in %5, which is not a number.")
                                       .arg(fileName)
                                       .arg(s + 1)
                                       .arg(RegionCode(region), countText, PreDefineReadName));
        const int readable = std::min(*count, TPSlots);
        for (int t = 0; t < readable; ++t) {
            TPRecord &tp = tps(region, s, t);
            QString *const fields[] = {&tp.Freq, &tp.Polar, &tp.SR, &tp.FEC};
            for (QString *field : fields) {
                switch (reader.next(*field)) {
                case ValueReader::Value: break;
                case ValueReader::End:
                    return Status::failure(QStringLiteral("Cannot read %1: it ends within TP %2 of satellite %3, "
                                                          "but the TP counts in %4 ask for more.")
                                               .arg(fileName)
                                               .arg(t + 1)
                                               .arg(s + 1)
                                               .arg(PreDefineReadName));
                case ValueReader::OpenQuote:
                    return Status::failure(QStringLiteral("Cannot read %1: a double quote on line %2 is never closed.")
                                               .arg(fileName)
                                               .arg(reader.line()));
                }
            }
        }
        if (*count > TPSlots)
            return Status::failure(QStringLiteral("Cannot read %1: satellite %2 of region %3 has the TP count %4, "
                                                  "more than its %5 TP slots.")
                                       .arg(fileName)
                                       .arg(s + 1)
                                       .arg(RegionCode(region))
                                       .arg(*count)
                                       .arg(TPSlots));
    }
    if (!reader.atEnd())
        return Status::failure(QStringLiteral("Cannot read %1: it goes on after the last TP that the TP counts "
                                              "in %2 announce (line %3).")
                                   .arg(fileName, PreDefineReadName)
                                   .arg(reader.line()));
    return Status::success();
}

Result<QByteArray> regionText(int region, const SatTable &sats, const TPTable &tps)
{
    Q_ASSERT(region >= 0 && region < RegionCount);
    static const char *const kFieldNames[] = {"Freq", "Polar", "SR", "FEC"};
    const QString fileName = RegionFileName(region);
    QByteArray text;
    text.reserve(MaxSat * 20 * 16);
    for (int s = 0; s < MaxSat; ++s) {
        const QString &countText = sats(region, s).TPCount;
        // An empty count is a satellite without TPs; the satellite writer spells it "0".
        const std::optional<int> count = countText.isEmpty() ? 0 : decimalValue(countText);
        if (!count || *count > TPSlots)
            return Result<QByteArray>::failure(
                QStringLiteral("Cannot write %1: satellite %2 of region %3 has the TP count \"%4\".")
                    .arg(fileName)
                    .arg(s + 1)
                    .arg(RegionCode(region), countText));
        for (int t = 0; t < *count; ++t) {
            const TPRecord &tp = tps(region, s, t);
            const QString *const fields[] = {&tp.Freq, &tp.Polar, &tp.SR, &tp.FEC};
            for (int f = 0; f < 4; ++f) {
                const QString reason = unstorableReason(*fields[f], FieldKind::Transponder);
                if (!reason.isEmpty())
                    return Result<QByteArray>::failure(
                        QStringLiteral("Cannot write %1: the %2 of TP %3 of satellite %4 in region %5 holds %6.")
                            .arg(fileName, QLatin1String(kFieldNames[f]))
                            .arg(t + 1)
                            .arg(s + 1)
                            .arg(RegionCode(region), reason));
                if (f > 0)
                    text += ',';
                appendLatin1(text, *fields[f]);
            }
            text += "\r\n";
        }
    }
    return text;
}
