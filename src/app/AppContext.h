#pragma once

#include "app/Configuration.h"
#include "common/Converters.h"
#include "common/ProgramDir.h"
#include "common/ValueLists.h"
#include "link/ReceiverLink.h"

// Program-wide state, created once at start-up and handed to the windows. It
// outlives every window.
struct AppContext {
    explicit AppContext(const ProgramDir &dir)
        : programDir(dir), lists(ValueLists::standard()), configuration(dir), link(dir), converters(dir)
    {
    }

    ProgramDir programDir;
    ValueLists lists;
    Configuration configuration;
    ReceiverLink link;
    Converters converters;
};
