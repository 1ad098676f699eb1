#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>

// Files are read and written whole. A write goes to a temporary beside the
// target and is renamed over it, so a failed write never leaves half a file.
Result<QByteArray> readWholeFile(const QString &path);
Status writeWholeFile(const QString &path, const QByteArray &data);
