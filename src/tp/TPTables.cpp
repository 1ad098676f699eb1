#include "tp/TPTables.h"

void TPTables::copyStoredToWorking()
{
    SatData = SatDataStored;
    TPData = TPDataStored;
    SatCount.fill(MaxSat);
}

void TPTables::copyWorkingToStored()
{
    SatDataStored = SatData;
    TPDataStored = TPData;
}
