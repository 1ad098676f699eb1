#include "common/Twips.h"

#include <cmath>

int twipsToPixels(int twips, int dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

QRect twipsToPixels(const QRect &twips, int dpi)
{
    return {twipsToPixels(twips.left(), dpi), twipsToPixels(twips.top(), dpi), twipsToPixels(twips.width(), dpi),
            twipsToPixels(twips.height(), dpi)};
}
