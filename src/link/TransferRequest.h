#pragma once

#include "link/TransferEngine.h"

#include <QString>

#include <utility>

// Which way a transfer goes; the numbers are those hSerialMode reports.
enum class TransferMode { Download = 1, Upload = 2 };

// One transfer as its caller asks for it.
struct TransferRequest {
    QString file;  // the image to send, or the file a download writes
    QString kind;  // the upload kind word ("Transponder", "CH. Data", ...); empty for a download
    TransferMode mode = TransferMode::Upload;

    static TransferRequest upload(QString file, QString kind)
    {
        return {std::move(file), std::move(kind), TransferMode::Upload};
    }
    static TransferRequest download(QString file) { return {std::move(file), QString(), TransferMode::Download}; }
};

// How a transfer ended, as its caller sees it.
struct TransferOutcome {
    // The mode number once the window has closed with "OK".
    static constexpr int kClosedWithOk = 10;

    TransferMode mode = TransferMode::Upload;
    bool closedWithOk = false;                  // by the button or by itself
    TransferFault fault = TransferFault::None;  // the first cause seen

    // 10 after "OK"; otherwise the mode the transfer was started with.
    int hSerialMode() const { return closedWithOk ? kClosedWithOk : int(mode); }
};
