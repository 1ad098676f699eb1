#include "TPImage.h"

#include "TPImageLayout.h"
#include "tp/TPFieldText.h"
#include "tp/TPFiles.h"

#include <QtEndian>

#include <cstring>

using namespace TPImageLayout;

namespace {

const char *const kSatFieldNames[] = {"Diseqc", "SatName", "ParseSort", "Deg"};
const char *const kTPFieldNames[] = {"Freq", "Polar", "SR", "FEC"};

QString satelliteName(int region, int sat)
{
    return QStringLiteral("satellite %1 of region %2").arg(sat + 1).arg(RegionCode(region));
}

// Why a satellite field cannot stand in the image, or an empty text. The
// image holds only what the satellite file gives back unchanged.
QString satelliteFieldProblem(int field, const QString &text)
{
    if (text.size() > SatelliteFields[field].maxLength)
        return QStringLiteral("is longer than %1 characters").arg(SatelliteFields[field].maxLength);
    if (const QString reason = unstorableReason(text, FieldKind::Satellite); !reason.isEmpty())
        return QStringLiteral("holds ") + reason;
    if (field == 2 && !text.isEmpty()) {
        const std::optional<int> option = decimalValue(text);
        if (!option || *option > 8)
            return QStringLiteral("is not a parse option from 0 to 8");
    }
    return {};
}

QString tpFieldProblem(int field, const QString &text)
{
    if (text.size() > TPFieldMax[field])
        return QStringLiteral("is longer than %1 characters").arg(TPFieldMax[field]);
    if (const QString reason = unstorableReason(text, FieldKind::Transponder); !reason.isEmpty())
        return QStringLiteral("holds ") + reason;
    return {};
}

quint8 shortNibble(uchar c)
{
    if (c >= '0' && c <= '9')
        return quint8(c - '0');
    return c == ' ' ? SpaceNibble : ByteNibble;
}

class NibbleReader {
public:
    NibbleReader(const QByteArray &image, qsizetype begin, qsizetype end)
        : m_image(image), m_pos(begin * 2), m_end(end * 2)
    {
    }

    bool next(quint8 &nibble)
    {
        if (m_pos >= m_end)
            return false;
        const auto byte = uchar(m_image[m_pos / 2]);
        nibble = (m_pos % 2 == 0) ? quint8(byte >> 4) : quint8(byte & 0xF);
        ++m_pos;
        return true;
    }
    qsizetype position() const { return m_pos; }  // in nibbles from the image start

private:
    const QByteArray &m_image;
    qsizetype m_pos;
    qsizetype m_end;
};

// One TP field from the stream, or an error text.
QString readTPField(NibbleReader &reader, int field, QString &value)
{
    char bytes[8];
    int length = 0;
    while (length < TPFieldMax[field]) {
        quint8 nibble = 0;
        if (!reader.next(nibble))
            return QStringLiteral("the TP stream ends early");
        if (nibble == EndNibble)
            break;
        if (nibble <= 9) {
            bytes[length++] = char('0' + nibble);
        } else if (nibble == SpaceNibble) {
            bytes[length++] = ' ';
        } else if (nibble == ByteNibble) {
            quint8 high = 0;
            quint8 low = 0;
            if (!reader.next(high) || !reader.next(low))
                return QStringLiteral("the TP stream ends early");
            const auto c = uchar(high << 4 | low);
            if (shortNibble(c) != ByteNibble)
                return QStringLiteral("a digit or blank is written out in full");
            bytes[length++] = char(c);
        } else {
            return QStringLiteral("the TP stream holds the unused code %1").arg(nibble);
        }
    }
    value = QString::fromLatin1(bytes, length);
    return tpFieldProblem(field, value);
}

}  // namespace

Status parseTPImage(const QByteArray &image, SatTable &sats, TPTable &tps)
{
    auto fail = [](const QString &why) { return Status::failure(QStringLiteral("Not a TP image: ") + why + '.'); };
    if (image.size() != TPImageSize)
        return fail(QStringLiteral("it is %1 bytes long instead of %2").arg(image.size()).arg(TPImageSize));
    const auto *bytes = reinterpret_cast<const uchar *>(image.constData());
    if (std::memcmp(bytes, Magic, MagicSize) != 0)
        return fail(QStringLiteral("it does not begin with \"%1\"").arg(QLatin1String(Magic)));
    if (qFromLittleEndian<quint16>(bytes + VersionOffset) != Version)
        return fail(QStringLiteral("its layout version is %1, not %2")
                        .arg(qFromLittleEndian<quint16>(bytes + VersionOffset))
                        .arg(Version));
    const quint16 tpTotal = qFromLittleEndian<quint16>(bytes + TPTotalOffset);
    const quint32 streamSize = qFromLittleEndian<quint32>(bytes + StreamSizeOffset);
    if (streamSize > quint32(TPImageSize - StreamOffset))
        return fail(QStringLiteral("its TP stream of %1 bytes would run past the end").arg(streamSize));

    NibbleReader reader(image, StreamOffset, StreamOffset + qsizetype(streamSize));
    int tpsSeen = 0;
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            const uchar *record = bytes + SatellitesOffset + (r * MaxSat + s) * SatelliteSize;
            SatRecord &sat = sats(r, s);
            const int count = record[TPCountOffset];
            if (count > MaxTP)
                return fail(
                    QStringLiteral("%1 has %2 TPs, more than %3").arg(satelliteName(r, s)).arg(count).arg(MaxTP));
            sat.TPCount = QString::number(count);
            QString *const fields[] = {&sat.Diseqc, &sat.SatName, &sat.ParseSort, &sat.Deg};
            for (int f = 0; f < 4; ++f) {
                const TextField layout = SatelliteFields[f];
                const int length = record[layout.offset];
                if (length > layout.maxLength)
                    return fail(QStringLiteral("the %1 of %2 is %3 bytes long")
                                    .arg(QLatin1String(kSatFieldNames[f]), satelliteName(r, s))
                                    .arg(length));
                const char *text = reinterpret_cast<const char *>(record + layout.offset + 1);
                for (int i = length; i < layout.maxLength; ++i) {
                    if (text[i] != 0)
                        return fail(QStringLiteral("the %1 of %2 is followed by stray bytes")
                                        .arg(QLatin1String(kSatFieldNames[f]), satelliteName(r, s)));
                }
                *fields[f] = QString::fromLatin1(text, length);
                if (const QString problem = satelliteFieldProblem(f, *fields[f]); !problem.isEmpty())
                    return fail(QStringLiteral("the %1 of %2 %3")
                                    .arg(QLatin1String(kSatFieldNames[f]), satelliteName(r, s), problem));
            }
            if (record[SatelliteEndOffset] != 0)
                return fail(QStringLiteral("the record of %1 does not end in a zero byte").arg(satelliteName(r, s)));

            for (int t = 0; t < count; ++t) {
                TPRecord &tp = tps(r, s, t);
                QString *const tpFields[] = {&tp.Freq, &tp.Polar, &tp.SR, &tp.FEC};
                for (int f = 0; f < 4; ++f) {
                    if (const QString problem = readTPField(reader, f, *tpFields[f]); !problem.isEmpty())
                        return fail(QStringLiteral("the %1 of TP %2 of %3: %4")
                                        .arg(QLatin1String(kTPFieldNames[f]))
                                        .arg(t + 1)
                                        .arg(satelliteName(r, s), problem));
                }
            }
            tpsSeen += count;
        }
    }
    if (tpsSeen != tpTotal)
        return fail(QStringLiteral("its header counts %1 TPs, its satellites %2").arg(tpTotal).arg(tpsSeen));
    const qsizetype used = reader.position() - qsizetype(StreamOffset) * 2;
    if ((used + 1) / 2 != qsizetype(streamSize))
        return fail(QStringLiteral("its TP stream is not %1 bytes long as its header says").arg(streamSize));
    if (used % 2 == 1 && (bytes[StreamOffset + used / 2] & 0xF) != 0)
        return fail(QStringLiteral("the last half byte of its TP stream is not zero"));
    for (qsizetype i = StreamOffset + streamSize; i < TPImageSize; ++i) {
        if (bytes[i] != 0)
            return fail(QStringLiteral("the unused space after the TPs is not zero (byte %1)").arg(i));
    }
    return Status::success();
}

Result<QByteArray> combineTPImage(const SatTable &sats, const TPTable &tps)
{
    auto fail = [](const QString &why) {
        return Result<QByteArray>::failure(QStringLiteral("Cannot make the TP image: ") + why + '.');
    };
    QByteArray image(TPImageSize, '\0');
    auto *bytes = reinterpret_cast<uchar *>(image.data());
    std::memcpy(bytes, Magic, MagicSize);
    qToLittleEndian<quint16>(Version, bytes + VersionOffset);

    QByteArray nibbles;  // one a byte, packed at the end
    nibbles.reserve(RegionCount * MaxSat * 20 * 12);
    int tpTotal = 0;
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            const SatRecord &sat = sats(r, s);
            const std::optional<int> count = decimalValue(sat.TPCount);
            if (!count || *count > MaxTP)
                return fail(QStringLiteral("%1 has the TP count \"%2\"; 0 to %3 fit")
                                .arg(satelliteName(r, s), sat.TPCount)
                                .arg(MaxTP));
            uchar *record = bytes + SatellitesOffset + (r * MaxSat + s) * SatelliteSize;
            record[TPCountOffset] = uchar(*count);
            const QString *const fields[] = {&sat.Diseqc, &sat.SatName, &sat.ParseSort, &sat.Deg};
            for (int f = 0; f < 4; ++f) {
                if (const QString problem = satelliteFieldProblem(f, *fields[f]); !problem.isEmpty())
                    return fail(QStringLiteral("the %1 of %2 %3")
                                    .arg(QLatin1String(kSatFieldNames[f]), satelliteName(r, s), problem));
                uchar *field = record + SatelliteFields[f].offset;
                *field++ = uchar(fields[f]->size());
                for (const QChar c : *fields[f])
                    *field++ = uchar(c.unicode());
            }
            for (int t = 0; t < *count; ++t) {
                const TPRecord &tp = tps(r, s, t);
                const QString *const tpFields[] = {&tp.Freq, &tp.Polar, &tp.SR, &tp.FEC};
                for (int f = 0; f < 4; ++f) {
                    if (const QString problem = tpFieldProblem(f, *tpFields[f]); !problem.isEmpty())
                        return fail(QStringLiteral("the %1 of TP %2 of %3 %4")
                                        .arg(QLatin1String(kTPFieldNames[f]))
                                        .arg(t + 1)
                                        .arg(satelliteName(r, s), problem));
                    for (const QChar qc : *tpFields[f]) {
                        const auto c = uchar(qc.unicode());
                        const quint8 nibble = shortNibble(c);
                        nibbles += char(nibble);
                        if (nibble == ByteNibble) {
                            nibbles += char(c >> 4);
                            nibbles += char(c & 0xF);
                        }
                    }
                    if (tpFields[f]->size() < TPFieldMax[f])
                        nibbles += char(EndNibble);
                }
            }
            tpTotal += *count;
        }
    }
    const qsizetype streamSize = (nibbles.size() + 1) / 2;
    if (streamSize > TPImageSize - StreamOffset)
        return fail(QStringLiteral("the TPs need %1 bytes, but only %2 are free")
                        .arg(streamSize)
                        .arg(TPImageSize - StreamOffset));
    for (qsizetype i = 0; i < nibbles.size(); ++i) {
        uchar &target = bytes[StreamOffset + i / 2];
        target |= (i % 2 == 0) ? uchar(nibbles[i] << 4) : uchar(nibbles[i]);
    }
    qToLittleEndian<quint16>(quint16(tpTotal), bytes + TPTotalOffset);
    qToLittleEndian<quint32>(quint32(streamSize), bytes + StreamSizeOffset);
    return image;
}
