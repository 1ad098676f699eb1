#include "channel/CsvText.h"

QString csvField(const QString &text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                       text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvRecord(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &f : fields)
        out.append(csvField(f));
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

namespace {

class CsvReader {
public:
    explicit CsvReader(const QString &text) : m_text(text) {}

    QList<CsvRow> readAll()
    {
        QList<CsvRow> rows;
        while (m_at < m_text.size()) {
            if (atLineEnd()) {  // an empty line
                skipLineEnd();
                continue;
            }
            rows.append(readRow());
        }
        return rows;
    }

private:
    bool atLineEnd() const
    {
        const QChar c = m_text[m_at];
        return c == QLatin1Char('\n') ||
               (c == QLatin1Char('\r') && m_at + 1 < m_text.size() && m_text[m_at + 1] == QLatin1Char('\n'));
    }
    void skipLineEnd()
    {
        m_at += m_text[m_at] == QLatin1Char('\r') ? 2 : 1;
        ++m_line;
    }
    // Past the rest of a malformed record, to the start of the next line.
    void skipToNextLine()
    {
        while (m_at < m_text.size() && !atLineEnd())
            ++m_at;
        if (m_at < m_text.size())
            skipLineEnd();
    }

    CsvRow readRow()
    {
        CsvRow row;
        row.line = m_line;
        QString field;
        bool quoted = false;
        bool fieldStart = true;
        while (m_at < m_text.size()) {
            const QChar c = m_text[m_at];
            if (quoted) {
                if (c == QLatin1Char('"')) {
                    if (m_at + 1 < m_text.size() && m_text[m_at + 1] == QLatin1Char('"')) {
                        field += c;
                        m_at += 2;
                        continue;
                    }
                    quoted = false;
                    ++m_at;
                    if (m_at < m_text.size() && m_text[m_at] != QLatin1Char(',') && !atLineEnd()) {
                        row.error = QStringLiteral("text after a closing quote");
                        skipToNextLine();
                        return row;
                    }
                    continue;
                }
                if (c == QLatin1Char('\n'))
                    ++m_line;
                field += c;
                ++m_at;
                continue;
            }
            if (atLineEnd()) {
                skipLineEnd();
                break;
            }
            ++m_at;
            if (c == QLatin1Char(',')) {
                row.fields.append(field);
                field.clear();
                fieldStart = true;
                continue;
            }
            if (c == QLatin1Char('"') && fieldStart) {
                quoted = true;
                fieldStart = false;
                continue;
            }
            if (c == QLatin1Char('"')) {
                row.error = QStringLiteral("a quote inside an unquoted field");
                skipToNextLine();
                return row;
            }
            field += c;
            fieldStart = false;
        }
        if (quoted) {
            row.error = QStringLiteral("a quoted field is not closed");
            return row;
        }
        row.fields.append(field);
        return row;
    }

    const QString &m_text;
    qsizetype m_at = 0;
    int m_line = 1;
};

}  // namespace

QList<CsvRow> readCsv(const QByteArray &text)
{
    QByteArray bytes = text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QString decoded = QString::fromUtf8(bytes);
    return CsvReader(decoded).readAll();
}
