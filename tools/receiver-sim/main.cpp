// receiver-sim: plays the receiver's side of the transfer protocols on a
// pseudo-terminal (or a given serial device), for people and for tests.
#include "ReceiverSim.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

void onSignal(int)
{
    g_simStop = 1;
}

void makeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return;
    cfmakeraw(&t);
    cfsetispeed(&t, B115200);
    cfsetospeed(&t, B115200);
    tcsetattr(fd, TCSANOW, &t);
}

int intOption(const QCommandLineParser &p, const QString &name, int fallback)
{
    if (!p.isSet(name))
        return fallback;
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (!ok) {
        std::fprintf(stderr, "receiver-sim: --%s wants a number\n", qPrintable(name));
        std::exit(2);
    }
    return v;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("receiver-sim"));

    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Simulates the receiver on a serial line. Without --device it opens a pseudo-terminal, "
                       "prints its path, and links it under --link (e.g. build/tarvik/Com1)."));
    p.addHelpOption();
    p.addOptions({
        {"device", "Use this serial device instead of a pseudo-terminal.", "path"},
        {"link", "Make a symbolic link to the pseudo-terminal here.", "path"},
        {"out", "Keep an uploaded image in this file (default: a temporary folder removed on exit).", "file"},
        {"image", "The channel image a download serves (64 x 4096 bytes).", "file"},
        {"baud", "Pace the line like a real wire at this rate (10 bits a byte).", "rate"},
        {"gap", "Pause before each message, ms (default 40; must exceed 20).", "ms"},
        {"write-ms", "Time the receiver takes to write an upload (default 100).", "ms"},
        {"timing", "Write the program's turnaround per packet (ms) to this file.", "file"},
        {"silent", "Never answer."},
        {"error", "Send this word (ERR , ERR1, ERR2, SMER, ERRO) at packet --at.", "word"},
        {"at", "The packet for --error; -1 is instead of the start byte.", "n"},
        {"early-end", "Send \"END \" instead of the reply to packet N.", "n"},
        {"wrong-checksum", "Answer packet N with a wrong checksum.", "n"},
        {"wrong-final", "Send a wrong final checksum byte."},
        {"stall-after", "Go quiet after packet N.", "n"},
        {"garbage", "Send garbage bytes before the reply to (or number of) packet N.", "n"},
        {"split", "Download: split packet N's data with a 40 ms pause.", "n"},
        {"hangup-after", "Close the line after packet N.", "n"},
    });
    p.process(app);

    SimOptions options;
    // Without --out an upload must not land in whatever directory the caller runs in.
    std::unique_ptr<QTemporaryDir> scratch;
    if (p.isSet("out")) {
        options.imageOut = p.value("out");
    } else {
        scratch = std::make_unique<QTemporaryDir>();
        if (!scratch->isValid()) {
            std::fputs("receiver-sim: cannot make a temporary folder for uploads\n", stderr);
            return 1;
        }
        options.imageOut = scratch->filePath(QStringLiteral("received.bin"));
    }
    options.imageIn = p.value("image");
    options.timingFile = p.value("timing");
    options.writeMs = intOption(p, "write-ms", 100);
    SimFaults &f = options.faults;
    f.silent = p.isSet("silent");
    if (p.isSet("error")) {
        f.errorWord = p.value("error").toLatin1().leftJustified(4, ' ', true);
        const int at = intOption(p, "at", 0);
        f.errorAtStart = at < 0;
        f.errorAt = at < 0 ? -1 : at;
    }
    f.earlyEndAt = intOption(p, "early-end", -1);
    f.wrongChecksumAt = intOption(p, "wrong-checksum", -1);
    f.wrongFinal = p.isSet("wrong-final");
    f.stallAfter = intOption(p, "stall-after", -1);
    f.garbageAt = intOption(p, "garbage", -1);
    f.splitAt = intOption(p, "split", -1);
    f.hangupAfter = intOption(p, "hangup-after", -1);
    const int gap = intOption(p, "gap", 40);
    const int baud = intOption(p, "baud", 0);

    int fd = -1;
    int slave = -1;
    QString linkPath;
    if (p.isSet("device")) {
        fd = ::open(QFile::encodeName(p.value("device")).constData(), O_RDWR | O_NOCTTY);
        if (fd < 0) {
            std::perror("receiver-sim: device");
            return 1;
        }
        makeRaw(fd);
        std::printf("%s\n", qPrintable(p.value("device")));
    } else {
        char name[256] = {};
        if (openpty(&fd, &slave, name, nullptr, nullptr) != 0) {
            std::perror("receiver-sim: openpty");
            return 1;
        }
        // Keeping the far end open ourselves means the program may close and
        // reopen it between transfers without the line hanging up.
        makeRaw(slave);
        if (p.isSet("link")) {
            linkPath = p.value("link");
            const QByteArray l = QFile::encodeName(linkPath);
            ::unlink(l.constData());
            if (::symlink(name, l.constData()) != 0) {
                std::perror("receiver-sim: link");
                return 1;
            }
        }
        std::printf("%s\n", name);
    }
    std::fflush(stdout);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);

    SimLine line(fd, baud, gap);
    ReceiverSim sim(line, options);
    sim.run();

    if (!linkPath.isEmpty())
        ::unlink(QFile::encodeName(linkPath).constData());
    if (slave >= 0)
        ::close(slave);
    return 0;
}
