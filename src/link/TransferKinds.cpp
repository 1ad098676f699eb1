#include "link/TransferKinds.h"

#include <array>

namespace {

struct KindRow {
    const char *word;
    const char *boardText;
    const char *command;  // nullptr: the kind word itself
    qint32 expectedSize;
};

constexpr std::array kKinds{
    KindRow{"STB_Loader", "START BOOT STB LOADER DATA SENDING", "STLD", 65536},
    KindRow{"Application", "START APPLICATION DATA SENDING", "STAP", 1179648},
    KindRow{"Transponder", "START TRANSPONDER DATA SENDING", "STTP", 262144},
    KindRow{"CH. Data", "START CHANNEL DATA SENDING", "STCH", 262144},
    KindRow{"MPEG", "START MPEG DATA SENDING", "MPEG", 49152},
    KindRow{"Default_OSD", "START Default OSD DATA SENDING", "DBMP", 327680},
    KindRow{"2MB", "START 2MB DATA SENDING", "PGAL", 2097152},
    KindRow{"SOSD", "START SOSD DATA SENDING", "SOSD", 1376256},
    KindRow{"SAD1", "START SOSD DATA SENDING", nullptr, 786432},
    KindRow{"SAD2", "START SOSD DATA SENDING", nullptr, 786432},
    KindRow{"SCH1", "START SOSD DATA SENDING", nullptr, 786432},
    KindRow{"SCH2", "START SOSD DATA SENDING", nullptr, 786432},
    KindRow{"OSD", "START OSD DATA SENDING", "DOSD", 1376256},
    KindRow{"SUBSCRIPTION", "START SUBSCRIPTION DATA SENDING", "STSS", 116},
};

}  // namespace

std::optional<TransferKind> transferKind(const QString &word)
{
    for (const KindRow &row : kKinds) {
        if (word == QLatin1String(row.word)) {
            return TransferKind{QString::fromLatin1(row.boardText),
                                row.command ? QByteArray(row.command) : word.toLatin1(), row.expectedSize};
        }
    }
    return std::nullopt;
}

bool isSizeChecked(const QString &word)
{
    static const char *const checked[] = {"STB_Loader", "Application", "Transponder", "MPEG",
                                          "CH. Data",   "OSD",         "SUBSCRIPTION"};
    for (const char *c : checked) {
        if (word == QLatin1String(c))
            return true;
    }
    return false;
}

QByteArray lengthField(qint32 expectedSize)
{
    char third = 0;
    switch (expectedSize) {
    case 65536:
    case 49152: third = 0x01; break;
    case 262144: third = 0x04; break;
    case 327680: third = 0x05; break;
    case 786432: third = 0x0C; break;
    case 1179648: third = 0x12; break;
    case 1376256: third = 0x15; break;
    case 2097152: third = 0x20; break;
    default: return {};
    }
    const char bytes[4] = {0, 0, third, 0};
    return QByteArray(bytes, 4);
}

bool isStartAcknowledgement(quint8 byte)
{
    switch (byte) {
    case 0x01:
    case 0x04:
    case 0x05:
    case 0x0C:
    case 0x12:
    case 0x15:
    case 0x20: return true;
    default: return false;
    }
}

std::optional<qint32> decimalMessage(const QByteArray &message)
{
    if (message.isEmpty() || message.size() > 9)
        return std::nullopt;
    qint32 value = 0;
    for (const char c : message) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

qint64 byteSum(const QByteArray &bytes)
{
    qint64 sum = 0;
    for (const char c : bytes)
        sum += static_cast<quint8>(c);
    return sum;
}

QString finalCheckText(qint64 totalChecksum)
{
    return QStringLiteral("%1").arg(totalChecksum & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}
