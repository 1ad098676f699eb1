#pragma once

#include <QString>

// The number a text begins with: leading blanks and tabs are skipped, an
// optional sign is taken, then digits with at most one decimal point up to the
// first other character, blanks and tabs between digits being skipped. A text
// that does not begin with a number is 0.
double LeadingNumber(const QString &text);
