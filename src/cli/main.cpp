// tarvik-cli: the receiver transfers from a shell, for scripts and benches.
#include "cli/ChannelCommands.h"
#include "cli/ExitCodes.h"
#include "cli/LineRunner.h"
#include "cli/PortChoice.h"
#include "cli/ProgressPrinter.h"
#include "cli/SignalWatcher.h"
#include "cli/TPCommands.h"
#include "link/ReceiverLink.h"
#include "link/TransferKinds.h"
#include "link/TransferSession.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <unistd.h>

namespace {

const char *const kUsage = "Usage:\n"
                           "  tarvik-cli upload --port PORT --kind KIND FILE\n"
                           "  tarvik-cli download --port PORT FILE\n"
                           "  tarvik-cli upload --port PORT --port PORT ... [--loop] [--report FILE] --kind KIND FILE\n"
                           "  tarvik-cli download --port PORT --port PORT ... [--loop] [--report FILE] FILE\n"
                           "  tarvik-cli monitor --port PORT\n"
                           "  tarvik-cli channels export IMAGE.bin OUT.csv\n"
                           "  tarvik-cli channels import IMAGE.bin IN.csv OUT.bin\n"
                           "  tarvik-cli channels order [--take-flags] IMAGE.bin REFERENCE OUT.bin\n"
                           "  tarvik-cli tp export IMAGE.MDA OUT.xml\n"
                           "  tarvik-cli tp import --region AM|AS|AT|EU [--sats 1,3-5] [--from ROW] IMAGE.MDA IN.xml "
                           "OUT.MDA\n"
                           "\n"
                           "PORT is Com1..Com4 (as in the window: an entry ComN in the program directory, else a\n"
                           "serial device) or a device path such as /dev/ttyUSB0.\n"
                           "KIND is one of: STB_Loader Application Transponder \"CH. Data\" MPEG Default_OSD 2MB\n"
                           "SOSD SAD1 SAD2 SCH1 SCH2 OSD SUBSCRIPTION.\n"
                           "REFERENCE is a channel image or an exported .csv file. An OUT file is replaced\n"
                           "whole, and only when the input was good.\n"
                           "A download replaces FILE only when the receiver's final check matched.\n"
                           "Progress goes to standard output (--quiet: none), the receiver's texts to standard error.\n"
                           "\n"
                           "Several ports run at once, one line of progress each, and end with a summary table.\n"
                           "A download from several ports writes one file a port: FILE holds {port}, the port's\n"
                           "name without its folder (ch-{port}.bin), and, with --loop, may hold {unit}.\n"
                           "\n"
                           "Options:\n"
                           "  --port PORT    the port the receiver is on (every command needs it); repeat it\n"
                           "                 for several receivers at once\n"
                           "  --kind KIND    what the upload is (upload only)\n"
                           "  --loop         station mode: each port serves receiver after receiver until\n"
                           "                 SIGINT or SIGTERM; a running transfer still ends by its own rules\n"
                           "                 (a second signal cancels it)\n"
                           "  --report FILE  append one JSON line a transfer to FILE as each one ends\n"
                           "  -q, --quiet    no progress lines\n"
                           "  --take-flags   order: take locks and favourites from the reference\n"
                           "  --region R     tp import: the region to fill\n"
                           "  --sats LIST    tp import: the file's satellites by number (default: all)\n"
                           "  --from ROW     tp import: the first satellite row to fill (default 1)\n"
                           "  -h, --help     this text\n"
                           "\n";

void say(const QString &text)
{
    std::fprintf(stderr, "tarvik-cli: %s\n", qPrintable(text));
}

int usageError(const QString &text)
{
    say(text);
    std::fprintf(stderr, "Try 'tarvik-cli --help'.\n");
    return ExitCode::Usage;
}

// The receiver's board texts end with CR LF; a terminal wants LF.
void printBoard(const QString &text)
{
    QString line = text;
    line.remove(QLatin1Char('\r'));
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

int runTransfer(ReceiverLink &link, const TransferRequest &request, const QString &portText,
                const TransferTimings &timings, bool quiet)
{
    TransferSession session(link, request, timings);
    choosePort(link, session.port(), portChoice(portText));
    if (const Status s = session.connectPort(); !s) {
        say(QStringLiteral("cannot use port %1: %2").arg(portText, s.error()));
        return ExitCode::PortError;
    }
    const QString name = portName(portText, session.port());

    ProgressPrinter progress(stdout, ::isatty(STDOUT_FILENO) == 1);
    int exitCode = ExitCode::Failed;
    QObject::connect(&session, &TransferSession::viewChanged, &session, [&] {
        if (!quiet)
            progress.show(session.rate());
    });
    QObject::connect(&session, &TransferSession::sizeError, &session, [](const QString &text) { say(text); });
    QObject::connect(&session, &TransferSession::fileError, &session,
                     [&request](const QString &text) { say(QStringLiteral("%1: %2").arg(request.file, text)); });
    QObject::connect(&session, &TransferSession::ended, &session, [&](TransferEnd how) {
        const bool good = how == TransferEnd::Completed || how == TransferEnd::Received;
        exitCode = good ? ExitCode::Success : exitCodeFor(session.engine().fault());
        QCoreApplication::exit(exitCode);
    });
    SignalWatcher stopSignals;
    QObject::connect(&stopSignals, &SignalWatcher::caught, &session, [&](int number) {
        session.cancel();
        exitCode = 128 + number;
        QCoreApplication::exit(exitCode);
    });

    if (const Status s = session.portOpen(); !s) {
        say(QStringLiteral("cannot open port %1: %2").arg(name, s.error()));
        return ExitCode::PortError;
    }
    QCoreApplication::exec();
    session.stopWatchdog();
    if (session.port().isOpen())
        session.portOpen();
    progress.finish();
    if (exitCode == ExitCode::Success && !quiet)
        std::printf("%s: done\n", qPrintable(request.file));
    else if (exitCode == ExitCode::PortLost)
        say(QStringLiteral("port %1 was lost").arg(name));
    else if (exitCode == ExitCode::TimedOut)
        say(QStringLiteral("no answer from the receiver on %1").arg(name));
    return exitCode;
}

int runMonitor(ReceiverLink &link, const QString &portText)
{
    ReceiverPort &port = link.monitorPort();
    choosePort(link, port, portChoice(portText));
    if (const Status s = link.RS232_Connect(); !s) {
        say(QStringLiteral("cannot use port %1: %2").arg(portText, s.error()));
        return ExitCode::PortError;
    }
    const QString name = portName(portText, port);
    if (const Status s = port.setOpen(true); !s) {
        say(QStringLiteral("cannot open port %1: %2").arg(name, s.error()));
        return ExitCode::PortError;
    }
    QObject::disconnect(&port, &ReceiverPort::lost, &link, nullptr);
    QObject::connect(&link, &ReceiverLink::messageAppended, &link, [](const QString &text) {
        std::fputs(text.toLatin1().constData(), stdout);
        std::fflush(stdout);
    });
    int exitCode = ExitCode::Success;
    QObject::connect(&port, &ReceiverPort::lost, &link, [&](const QString &error) {
        say(QStringLiteral("port %1 was lost: %2").arg(name, error));
        exitCode = ExitCode::PortLost;
        QCoreApplication::exit(exitCode);
    });
    SignalWatcher stopSignals;
    QObject::connect(&stopSignals, &SignalWatcher::caught, &link, [] { QCoreApplication::exit(ExitCode::Success); });
    QCoreApplication::exec();
    port.setOpen(false);
    return exitCode;
}

// "FIRST,NEXT" in ms, for tests that cannot wait for the stated intervals.
bool parseWatchdog(const QString &text, TransferTimings &timings)
{
    const QStringList parts = text.split(QLatin1Char(','));
    bool ok1 = false, ok2 = false;
    if (parts.size() != 2)
        return false;
    timings.watchdogFirstMs = parts[0].toInt(&ok1);
    timings.watchdogMs = parts[1].toInt(&ok2);
    return ok1 && ok2 && timings.watchdogFirstMs > 0 && timings.watchdogMs > 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvik-cli"));

    QCommandLineParser p;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("ComN or a device path."),
                                  QStringLiteral("port"));
    const QCommandLineOption kind(QStringLiteral("kind"), QStringLiteral("The upload kind."), QStringLiteral("kind"));
    const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")}, QStringLiteral("No progress."));
    const QCommandLineOption loop(QStringLiteral("loop"), QStringLiteral("Station mode."));
    const QCommandLineOption report(QStringLiteral("report"), QStringLiteral("JSON Lines report."),
                                    QStringLiteral("file"));
    QCommandLineOption watchdog(QStringLiteral("watchdog-ms"), QStringLiteral("Watchdog intervals."),
                                QStringLiteral("first,next"));
    watchdog.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption takeFlags(QStringLiteral("take-flags"), QStringLiteral("Take locks and favourites."));
    const QCommandLineOption region(QStringLiteral("region"), QStringLiteral("Region."), QStringLiteral("region"));
    const QCommandLineOption sats(QStringLiteral("sats"), QStringLiteral("Satellites."), QStringLiteral("list"));
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("First row."), QStringLiteral("row"));
    p.addOptions({help, port, kind, quiet, loop, report, watchdog, takeFlags, region, sats, from});

    if (!p.parse(QCoreApplication::arguments()))
        return usageError(p.errorText());
    if (p.isSet(help)) {
        std::printf("%s%s", kUsage, exitCodeHelp());
        return ExitCode::Success;
    }
    const QStringList args = p.positionalArguments();
    if (args.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString command = args.first();
    if (command == QLatin1String("channels"))
        return runChannelCommand(ProgramDir::ofApplication(), args.mid(1), p.isSet(takeFlags));
    if (command == QLatin1String("tp")) {
        bool rowOk = true;
        const int row = p.isSet(from) ? p.value(from).toInt(&rowOk) : 1;
        return runTPCommand(ProgramDir::ofApplication(), args.mid(1),
                            {p.value(region), p.value(sats), rowOk ? row : 0});
    }
    if (p.isSet(takeFlags))
        return usageError(QStringLiteral("--take-flags is for channels order only"));
    if (command != QLatin1String("upload") && command != QLatin1String("download") &&
        command != QLatin1String("monitor"))
        return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
    if (!p.isSet(port) || p.value(port).isEmpty())
        return usageError(QStringLiteral("%1 needs --port").arg(command));
    const qsizetype wanted = command == QLatin1String("monitor") ? 1 : 2;
    if (args.size() != wanted)
        return usageError(wanted == 1 ? QStringLiteral("monitor takes no file")
                                      : QStringLiteral("%1 needs one FILE").arg(command));
    if (p.isSet(kind) && command != QLatin1String("upload"))
        return usageError(QStringLiteral("--kind is for upload only"));
    QStringList ports = p.values(port);
    const bool line = ports.size() > 1 || p.isSet(loop) || p.isSet(report);
    if (line && command == QLatin1String("monitor"))
        return usageError(QStringLiteral("monitor takes one --port, without --loop or --report"));
    if (ports.removeDuplicates() > 0 || ports.contains(QString()))
        return usageError(QStringLiteral("each --port once, none empty"));
    TransferTimings timings;
    if (p.isSet(watchdog) && !parseWatchdog(p.value(watchdog), timings))
        return usageError(QStringLiteral("--watchdog-ms wants FIRST,NEXT"));

    ReceiverLink link(ProgramDir::ofApplication());
    if (command == QLatin1String("monitor"))
        return runMonitor(link, p.value(port));

    const QString fileName = args.at(1);
    TransferRequest request = TransferRequest::download(fileName);
    if (command == QLatin1String("upload")) {
        if (!p.isSet(kind))
            return usageError(QStringLiteral("upload needs --kind"));
        if (!transferKind(p.value(kind)))
            return usageError(QStringLiteral("unknown kind \"%1\"").arg(p.value(kind)));
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            say(QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString()));
            return ExitCode::FileRefused;
        }
        request = TransferRequest::upload(fileName, p.value(kind));
    }
    if (line) {
        LineOptions options{ports, request, timings, p.isSet(loop), p.isSet(quiet), p.value(report)};
        LineRunner runner(ProgramDir::ofApplication(), std::move(options));
        return runner.run();
    }
    QObject::connect(&link, &ReceiverLink::messageAppended, &link, &printBoard);
    return runTransfer(link, request, p.value(port), timings, p.isSet(quiet));
}
