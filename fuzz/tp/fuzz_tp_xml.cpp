// satellites.xml on any bytes: what is read goes into a region within the limits.
#include "tp/SatellitesXml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const Result<QList<XmlSatellite>> read = readSatellitesXml(bytes);
    if (!read)
        return 0;
    TPTables tables;
    importSatellites(tables, 1, read.value(), {46, 47, 48});
    for (int s = 0; s < SatSlots; ++s) {
        const SatRecord &sat = tables.SatData(1, s);
        if (sat.TPCount.toInt() > MaxTP || sat.SatName.size() > 32 || sat.Deg.size() != (sat.Deg.isEmpty() ? 0 : 4))
            __builtin_trap();
    }
    if (!tables.SatData(1, MaxSat).SatName.isEmpty())
        __builtin_trap();
    writeSatellitesXml(tables);
    return 0;
}
