#pragma once

#include <QString>

// What an upload button asks for: the file dialog's title and filter, and the
// transfer kind it starts.
struct UploadCommand {
    QString title;
    QString filter;
    QString kind;
};

// cmdPCSTB 0..6 and 9 (7 and 8 are the EDIT selectors and upload nothing).
const UploadCommand *uploadCommandForButton(int index);
// cmdOSD 0..4, the SMC OSD sub-buttons.
const UploadCommand &uploadCommandForOsd(int index);
