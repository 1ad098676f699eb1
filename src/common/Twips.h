#pragma once

#include <QRect>

// Twips to pixels at the given logical dpi (1440 twips an inch, 15 a pixel at 96 dpi),
// rounded to the nearest pixel.
int twipsToPixels(int twips, int dpi);
QRect twipsToPixels(const QRect &twips, int dpi);
