#pragma once

#include "SimLine.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

// Faults the simulated receiver produces on request. Packet numbers count
// from 0; -1 means "not asked for".
struct SimFaults {
    bool silent = false;        // never answers
    int errorAt = -1;           // sends errorWord instead of packet N's reply
    bool errorAtStart = false;  // sends errorWord instead of the start byte
    QByteArray errorWord = "ERR ";
    int earlyEndAt = -1;       // "END " instead of packet N's reply
    int wrongChecksumAt = -1;  // a wrong reply to packet N (upload) / "ERRO" trigger (download)
    bool wrongFinal = false;   // a wrong final byte
    int stallAfter = -1;       // goes quiet after packet N
    int garbageAt = -1;        // garbage bytes before packet N's reply (or packet number)
    int splitAt = -1;          // download: packet N's data split by a 40 ms pause
    int hangupAfter = -1;      // closes the line after packet N
};

struct SimOptions {
    QString name;        // in front of each log line, when several lines are served
    QString imageOut;    // where an upload is kept; {unit} becomes the unit's number
    QString imageIn;     // the channel image served by a download
    QString timingFile;  // per-packet turnaround of the program, in ms
    int writeMs = 100;   // the receiver "writing" the image before its final byte
    SimFaults faults;
    int faultUnit = 0;  // the one unit the faults are for; 0: every unit
    bool loop = false;  // a line of receivers: after each transfer the unit goes and another greets
    int nextMs = 500;   // the pause before the next unit greets
    int units = 0;      // how many units come in turn; 0: no end
};

// The receiver's side of an upload and of a channel download, played on a line.
class ReceiverSim {
public:
    ReceiverSim(SimLine &line, SimOptions options);
    // Serves transfers until stopped or hung up.
    void run();

private:
    void session();
    // The unit leaves the line; the next one greets after a pause.
    void nextUnit();
    const SimFaults &faults() const;
    void upload(const QByteArray &command);
    void download();
    // The faults that end the exchange after packet n: a hang-up, an error word
    // or an early "END ". True when one of the last two was sent.
    bool endsAfterPacket(int n);
    void keepImage(const QByteArray &image);
    void log(const char *format, ...) const;

    SimLine &m_line;
    SimOptions m_options;
    std::FILE *m_timing = nullptr;
    int m_unit = 1;
    bool m_engaged = false;  // the unit has answered the program's greeting
};

// The image size the receiver expects for a command word; 0 when unknown.
qint32 simImageSize(const QByteArray &command);
