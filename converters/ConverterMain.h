#pragma once

#include <QCoreApplication>
#include <QLatin1String>
#include <QStringList>
#include <QTextStream>

#include <optional>

// What the four converters share: a fixed argument list, and a failure told on
// standard error as "<program>: <message>". A wrong call exits with 2, any other
// failure with 1.
namespace ConverterExit {
constexpr int Failed = 1;
constexpr int Usage = 2;
}  // namespace ConverterExit

inline int failWith(const char *program, const QString &message, int exitCode = ConverterExit::Failed)
{
    QTextStream(stderr) << program << ": " << message << '\n';
    return exitCode;
}

// The arguments after the program's name, when they are as many as the
// parameters named; otherwise the usage line goes to standard error.
inline std::optional<QStringList> converterArguments(const char *program, const QStringList &parameters)
{
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.size() == parameters.size())
        return arguments;
    failWith(program, QStringLiteral("usage: %1 %2").arg(QLatin1String(program), parameters.join(QLatin1Char(' '))),
             ConverterExit::Usage);
    return std::nullopt;
}
