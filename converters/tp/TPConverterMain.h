#pragma once

#include "ConverterMain.h"

#include <QFileInfo>

#include <variant>

// What TPParse and TPCombine share: "<name> <program directory> <file.MDA>".
struct TPConverterArguments {
    QString directory;
    QString image;
};

// The arguments, or an exit code when they are not usable.
inline std::variant<TPConverterArguments, int> tpConverterArguments(const char *program)
{
    const auto arguments =
        converterArguments(program, {QStringLiteral("<program directory>"), QStringLiteral("<file.MDA>")});
    if (!arguments)
        return ConverterExit::Usage;
    if (!QFileInfo(arguments->at(0)).isDir())
        return failWith(program, QStringLiteral("%1 is not a directory.").arg(arguments->at(0)));
    return TPConverterArguments{arguments->at(0), arguments->at(1)};
}
