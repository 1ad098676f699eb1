#pragma once

#include "link/TransferEngine.h"

// The exit codes of tarvik-cli, for scripts; --help and the README list them.
namespace ExitCode {
constexpr int Success = 0;
constexpr int Failed = 1;          // any other failure: file read or write, send error
constexpr int Usage = 2;           // unknown command, option or kind; missing argument
constexpr int FileRefused = 3;     // the file cannot be read or does not fit its kind
constexpr int PortError = 4;       // the port cannot be opened
constexpr int ReceiverError = 5;   // an error word, or the receiver ended early
constexpr int TimedOut = 6;        // the watchdog: the receiver went silent
constexpr int ChecksumFailed = 7;  // a packet or the whole-image check disagreed
constexpr int PortLost = 8;        // the port went away during the transfer
constexpr int SomeFailed = 9;      // several ports, or units: not all succeeded, or not all the same way
constexpr int Cancelled = 130;     // SIGINT (143 for SIGTERM): the port was closed
}  // namespace ExitCode

inline int exitCodeFor(TransferFault fault)
{
    switch (fault) {
    case TransferFault::None: return ExitCode::Failed;
    case TransferFault::Refused: return ExitCode::FileRefused;
    case TransferFault::FileError: return ExitCode::Failed;
    case TransferFault::SendError: return ExitCode::Failed;
    case TransferFault::ReceiverError: return ExitCode::ReceiverError;
    case TransferFault::TimedOut: return ExitCode::TimedOut;
    case TransferFault::ChecksumFailed: return ExitCode::ChecksumFailed;
    case TransferFault::PortLost: return ExitCode::PortLost;
    case TransferFault::Cancelled: return ExitCode::Cancelled;
    }
    return ExitCode::Failed;
}

inline const char *exitCodeHelp()
{
    return "Exit codes:\n"
           "  0    success\n"
           "  1    other failure (file read or write, send error)\n"
           "  2    usage error\n"
           "  3    file refused (unreadable, or wrong size for its kind)\n"
           "  4    port cannot be opened\n"
           "  5    receiver error word, or the receiver ended early\n"
           "  6    time-out: the receiver went silent (watchdog)\n"
           "  7    checksum failure\n"
           "  8    port lost during the transfer\n"
           "  9    some ports failed (several ports or units, not all ending the same way)\n"
           "  130  cancelled by SIGINT (143 for SIGTERM)\n";
}
