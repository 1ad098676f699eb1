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
#include <thread>
#include <unistd.h>
#include <vector>

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

// The receiver's end of one line, and the far end we hold open.
struct SimEnd {
    int fd = -1;
    int slave = -1;
    QString link;
};

bool openLine(SimEnd &end, const QString &linkPath)
{
    char name[256] = {};
    if (openpty(&end.fd, &end.slave, name, nullptr, nullptr) != 0) {
        std::perror("receiver-sim: openpty");
        return false;
    }
    // Keeping the far end open ourselves means the program may close and
    // reopen it between transfers without the line hanging up.
    makeRaw(end.slave);
    if (!linkPath.isEmpty()) {
        const QByteArray l = QFile::encodeName(linkPath);
        ::unlink(l.constData());
        if (::symlink(name, l.constData()) != 0) {
            std::perror("receiver-sim: link");
            return false;
        }
        end.link = linkPath;
    }
    std::printf("%s\n", name);
    ::fcntl(end.fd, F_SETFL, ::fcntl(end.fd, F_GETFL) | O_NONBLOCK);
    return true;
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
        {"link", "Make a symbolic link to the pseudo-terminal here; repeat it to serve several lines at once.", "path"},
        {"out",
         "Keep an uploaded image in this file (default: a temporary folder removed on exit); {link} becomes "
         "the line's number, {unit} the unit's.",
         "file"},
        {"image", "The channel image a download serves (64 x 4096 bytes); {link} becomes the line's number.", "file"},
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
        {"loop", "A line of receivers: after each transfer the unit leaves and the next greets."},
        {"next-ms", "With --loop: the pause before the next unit greets (default 500).", "ms"},
        {"units", "With --loop: only this many units come, then the line stays quiet.", "n"},
        {"fault-unit", "The faults are for this unit only (1 is the first on its line).", "n"},
        {"fault-link", "The faults are for the line of this --link only (1 is the first).", "n"},
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

    options.loop = p.isSet("loop");
    options.nextMs = intOption(p, "next-ms", 500);
    options.units = intOption(p, "units", 0);
    options.faultUnit = intOption(p, "fault-unit", 0);
    const int faultLink = intOption(p, "fault-link", 0);
    const QStringList links = p.values("link");
    if (links.size() > 1 && p.isSet("out") && !options.imageOut.contains(QLatin1String("{link}"))) {
        std::fputs("receiver-sim: several --link need {link} in --out\n", stderr);
        return 2;
    }
    if (links.size() > 1 && !p.isSet("out"))
        options.imageOut = scratch->filePath(QStringLiteral("received-{link}.bin"));

    std::vector<SimEnd> ends;
    if (p.isSet("device")) {
        SimEnd end;
        end.fd = ::open(QFile::encodeName(p.value("device")).constData(), O_RDWR | O_NOCTTY);
        if (end.fd < 0) {
            std::perror("receiver-sim: device");
            return 1;
        }
        makeRaw(end.fd);
        ::fcntl(end.fd, F_SETFL, ::fcntl(end.fd, F_GETFL) | O_NONBLOCK);
        std::printf("%s\n", qPrintable(p.value("device")));
        ends.push_back(end);
    } else {
        for (qsizetype i = 0; i < std::max<qsizetype>(1, links.size()); ++i) {
            SimEnd end;
            if (!openLine(end, i < links.size() ? links[i] : QString()))
                return 1;
            ends.push_back(end);
        }
    }
    std::fflush(stdout);

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);

    // One thread a line: each plays its receivers as a single line does.
    std::vector<std::thread> threads;
    for (size_t i = 0; i < ends.size(); ++i) {
        SimOptions o = options;
        const QString number = QString::number(i + 1);
        if (ends.size() > 1)
            o.name = QStringLiteral("[%1]").arg(number);
        o.imageOut.replace(QLatin1String("{link}"), number);
        o.imageIn.replace(QLatin1String("{link}"), number);
        if (faultLink > 0 && faultLink != int(i + 1))
            o.faults = SimFaults();
        threads.emplace_back([fd = ends[i].fd, baud, gap, o] {
            SimLine line(fd, baud, gap);
            ReceiverSim sim(line, o);
            sim.run();
        });
    }
    for (std::thread &t : threads)
        t.join();

    for (const SimEnd &end : ends) {
        if (!end.link.isEmpty())
            ::unlink(QFile::encodeName(end.link).constData());
        if (end.slave >= 0)
            ::close(end.slave);
    }
    return 0;
}
