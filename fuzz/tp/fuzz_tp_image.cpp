// TP image parser: the input as it is, and padded with zeros to the image
// size (the space after the TPs is zero). An accepted image must come back
// byte for byte from the combiner.
#include "TPImage.h"

#include <cstdlib>
#include <memory>

namespace {

void check(const QByteArray &image)
{
    // Reused between runs: slots beyond the counts are never looked at.
    static const auto sats = std::make_unique<SatTable>();
    static const auto tps = std::make_unique<TPTable>();
    if (!parseTPImage(image, *sats, *tps))
        return;
    const Result<QByteArray> again = combineTPImage(*sats, *tps);
    if (!again || again.value() != image)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    check(input);
    if (input.size() < TPImageSize) {
        input.append(QByteArray(TPImageSize - input.size(), '\0'));
        check(input);
    }
    return 0;
}
