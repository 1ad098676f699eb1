// Every reader of the TP download on the same bytes: none may read out of
// bounds, and what they give back stays within its limits.
#include "download/CodeList.h"
#include "download/MirrorList.h"
#include "download/ReplyHeader.h"
#include "tp/SdxImport.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<ReplyHeader> header = ReadReplyHeader(bytes)) {
        if (header->size < 4 || header->size > bytes.size() || header->contentLength < 0)
            std::abort();
    }
    const QStringList lines = CodeLines(bytes);
    const QStringList listed = CodesInRegions(lines, {true, true, true, true});
    if (listed.size() > 2 * lines.size())
        std::abort();
    (void)ParseMirrorList(bytes, QStringLiteral("fuzz"));
    static auto tps = std::make_unique<TPTable>();
    for (const char *option : {"All Parsing", "Horizontal", "C-Band"}) {
        const int n = ReadSdxTransponders(bytes, QLatin1String(option), *tps, 3, MaxSat);
        if (n < 0 || n > MaxTP)
            std::abort();
    }
    return 0;
}
