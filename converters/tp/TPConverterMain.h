#pragma once

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <variant>

// What TPParse and TPCombine share: "<name> <program directory> <file.MDA>",
// and a failure told on standard error with a non-zero exit.
struct TPConverterArguments {
    QString directory;
    QString image;
};

inline int failWith(const char *program, const QString &message)
{
    QTextStream(stderr) << program << ": " << message << '\n';
    return 1;
}

// The arguments, or an exit code when they are not usable.
inline std::variant<TPConverterArguments, int> tpConverterArguments(const char *program)
{
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return failWith(program, QStringLiteral("usage: %1 <program directory> <file.MDA>")
                                     .arg(QString::fromLatin1(program)));
    if (!QFileInfo(arguments[1]).isDir())
        return failWith(program, QStringLiteral("%1 is not a directory.").arg(arguments[1]));
    return TPConverterArguments{arguments[1], arguments[2]};
}
