#include "ReceiverSim.h"

#include <QFile>
#include <QSaveFile>

#include <cstdarg>

namespace {

constexpr int kPacketSize = 3500;
constexpr int kDownloadPackets = 64;
constexpr int kDownloadPacketSize = 4096;

const QList<QByteArray> &commandWords()
{
    static const QList<QByteArray> words{"UPCH", "STLD", "STAP", "STTP", "STCH", "MPEG", "DBMP", "PGAL",
                                         "SOSD", "SAD1", "SAD2", "SCH1", "SCH2", "DOSD", "STSS"};
    return words;
}

qint64 sumOf(const QByteArray &bytes)
{
    qint64 s = 0;
    for (char c : bytes)
        s += quint8(c);
    return s;
}

QByteArray garbage()
{
    return QByteArrayLiteral("\xA5Z#\x7F\x80~garbage\xFE");
}

}  // namespace

qint32 simImageSize(const QByteArray &command)
{
    if (command == "STLD")
        return 65536;
    if (command == "STAP")
        return 1179648;
    if (command == "STTP" || command == "STCH")
        return 262144;
    if (command == "MPEG")
        return 49152;
    if (command == "DBMP")
        return 327680;
    if (command == "PGAL")
        return 2097152;
    if (command == "SOSD" || command == "DOSD")
        return 1376256;
    if (command == "SAD1" || command == "SAD2" || command == "SCH1" || command == "SCH2")
        return 786432;
    if (command == "STSS")
        return 116;
    return 0;
}

ReceiverSim::ReceiverSim(SimLine &line, SimOptions options) : m_line(line), m_options(std::move(options))
{
    if (!m_options.timingFile.isEmpty())
        m_timing = std::fopen(QFile::encodeName(m_options.timingFile).constData(), "w");
}

void ReceiverSim::log(const char *format, ...) const
{
    std::va_list args;
    va_start(args, format);
    // One write a line: several lines may be served at once.
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    const QByteArray name = m_options.name.toLocal8Bit();
    if (m_options.loop)
        std::fprintf(stderr, "receiver-sim: %s%sunit %d: %s\n", name.constData(), name.isEmpty() ? "" : " ", m_unit,
                     text);
    else
        std::fprintf(stderr, "receiver-sim: %s%s%s\n", name.constData(), name.isEmpty() ? "" : ": ", text);
    va_end(args);
}

void ReceiverSim::run()
{
    try {
        m_line.readWord({"C0FF"});
        for (;;) {
            try {
                session();
                if (m_options.loop)
                    nextUnit();
                else
                    m_line.readWord({"C0FF"});  // the next transfer
            } catch (const SimRestart &) {
                log("the program started over");
                // The program gave this unit up; the operator plugs in the next.
                if (m_options.loop && m_engaged)
                    nextUnit();
            }
        }
    } catch (const SimStop &) {
    }
    if (m_timing)
        std::fclose(m_timing);
}

const SimFaults &ReceiverSim::faults() const
{
    static const SimFaults none;
    return m_options.faultUnit == 0 || m_options.faultUnit == m_unit ? m_options.faults : none;
}

void ReceiverSim::nextUnit()
{
    log("leaves the line");
    m_line.pause(m_options.nextMs);
    m_line.drop();
    ++m_unit;
    m_engaged = false;
    if (m_options.units > 0 && m_unit > m_options.units) {
        log("no more units: the line stays quiet");
        for (;;) {
            try {
                m_line.mute();
            } catch (const SimRestart &) {
            }
        }
    }
    log("greets");
}

void ReceiverSim::session()
{
    m_engaged = false;
    if (faults().silent) {
        log("staying silent");
        m_line.mute();
    }
    m_line.sendMessage("ZAVO");
    m_line.readWord({"NONO"});
    m_engaged = true;
    m_line.sendMessage("STPG");
    const QByteArray command = m_line.readWord(commandWords());
    if (command == "UPCH")
        download();
    else
        upload(command);
}

void ReceiverSim::upload(const QByteArray &command)
{
    const SimFaults &f = faults();
    const qint32 size = simImageSize(command);
    const int packets = size / kPacketSize + 1;
    log("upload %s: %d bytes in %d packets", command.constData(), size, packets);
    m_line.sendMessage("REDY");
    const QByteArray length = m_line.readExact(4);
    if (f.errorAtStart) {
        m_line.sendMessage(f.errorWord);
        return;
    }
    // The length field is acknowledged with its third byte.
    m_line.sendMessage(length.mid(2, 1));

    QByteArray image;
    image.reserve(qsizetype(packets) * kPacketSize);
    qint64 total = 0;
    for (int n = 0; n < packets; ++n) {
        const QByteArray number = m_line.readExact(4);
        if (m_timing && n > 0) {
            const double ms =
                std::chrono::duration<double, std::milli>(m_line.firstByteTime() - m_line.lastSendEnd()).count();
            std::fprintf(m_timing, "%.3f\n", ms);
        }
        const QByteArray packet = m_line.readExact(kPacketSize);
        if (number != QString::asprintf("%04d", n).toLatin1())
            log("packet %d came numbered \"%s\"", n, number.constData());
        const qint64 sum = sumOf(packet);
        total += sum;
        image += packet;
        if (endsAfterPacket(n))
            return;
        if (n == f.garbageAt)
            m_line.sendMessage(garbage());
        const qint64 reply = n == f.wrongChecksumAt ? (sum + 1) % 10000 : sum % 10000;
        m_line.sendMessage(QByteArray::number(reply));
        if (n == f.stallAfter) {
            log("stalling after packet %d", n);
            m_line.mute();
        }
    }
    keepImage(image.left(size));
    m_line.pause(m_options.writeMs);
    const char finalByte = char((total + (f.wrongFinal ? 1 : 0)) & 0xFF);
    m_line.sendMessage(QByteArray(1, finalByte));
    m_line.readWord({"END "});
    m_line.sendMessage("END ");
    log("upload complete, total checksum %lld", total);
}

bool ReceiverSim::endsAfterPacket(int n)
{
    const SimFaults &f = faults();
    if (n == f.hangupAfter) {
        log("hanging up after packet %d", n);
        m_line.hangUp();
        throw SimStop{};
    }
    if (n == f.errorAt) {
        m_line.sendMessage(f.errorWord);
        return true;
    }
    if (n == f.earlyEndAt) {
        m_line.sendMessage("END ");
        return true;
    }
    return false;
}

void ReceiverSim::keepImage(const QByteArray &image)
{
    const QString path = QString(m_options.imageOut).replace(QLatin1String("{unit}"), QString::number(m_unit));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(image) != image.size() || !out.commit())
        log("cannot keep the image in %s", qPrintable(path));
    else
        log("image kept in %s", qPrintable(path));
}

void ReceiverSim::download()
{
    const SimFaults &f = faults();
    QByteArray image;
    if (!m_options.imageIn.isEmpty()) {
        QFile in(m_options.imageIn);
        if (in.open(QIODevice::ReadOnly))
            image = in.readAll();
        else
            log("cannot read %s; serving zeros", qPrintable(m_options.imageIn));
    }
    image = image.leftJustified(kDownloadPackets * kDownloadPacketSize, '\0', true);
    log("download: %d packets of %d bytes", kDownloadPackets, kDownloadPacketSize);
    m_line.sendMessage("REDY");
    qint64 total = 0;
    for (int n = 0; n < kDownloadPackets; ++n) {
        const QByteArray data = image.mid(qsizetype(n) * kDownloadPacketSize, kDownloadPacketSize);
        const qint64 sum = sumOf(data);
        total += sum;
        if (n == f.garbageAt)
            m_line.sendMessage(garbage());
        m_line.sendMessage(QString::asprintf("%04d", n).toLatin1());
        if (n == f.splitAt) {
            m_line.sendMessage(data.left(kDownloadPacketSize / 2));
            m_line.pause(40);
            m_line.sendRaw(data.mid(kDownloadPacketSize / 2));
        } else {
            m_line.sendMessage(data);
        }
        if (endsAfterPacket(n))
            return;
        if (n == f.stallAfter) {
            log("stalling after packet %d", n);
            m_line.mute();
        }
        if (n == kDownloadPackets - 1)
            break;
        const QByteArray reply = m_line.readExact(4);
        const QByteArray expected = QString::asprintf("%04lld", sum % 10000).toLatin1();
        if (reply != expected || n == f.wrongChecksumAt) {
            log("packet %d: checksum reply \"%s\", expected \"%s\"", n, reply.constData(), expected.constData());
            m_line.sendMessage("ERRO");
            return;
        }
    }
    m_line.pause(m_options.writeMs);
    m_line.sendMessage(QByteArray(1, char((total + (f.wrongFinal ? 1 : 0)) & 0xFF)));
    m_line.readWord({"END "});
    m_line.sendMessage("END ");
    log("download complete, total checksum %lld", total);
}
