#pragma once

#include "app/Configuration.h"
#include "channel/ChannelModel.h"
#include "common/Converters.h"
#include "common/ProgramDir.h"
#include "common/ValueLists.h"
#include "link/ReceiverLink.h"
#include "tp/TPTables.h"

#include <memory>

// Program-wide state, created once at start-up and handed to the windows. It
// outlives every window.
struct AppContext {
    explicit AppContext(const ProgramDir &dir)
        : programDir(dir), lists(ValueLists::standard()), configuration(dir), link(dir), converters(dir),
          tpTables(std::make_unique<TPTables>()), channels(dir)
    {
    }

    ProgramDir programDir;
    ValueLists lists;
    Configuration configuration;
    ReceiverLink link;
    Converters converters;
    std::unique_ptr<TPTables> tpTables;  // large: kept on the heap
    ChannelModel channels;
    QStringList downloadCodes;  // DownloadCodes: from the selection to the download window
};
