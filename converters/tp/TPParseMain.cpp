// TPParse <program directory> <file.MDA>: writes the five intermediate TP
// files of the image into the program directory.
#include "common/ProgramDir.h"
#include "common/WholeFile.h"
#include "tp/TPFiles.h"
#include "tp/TPImage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <memory>

namespace {

int failWith(const QString &message)
{
    QTextStream(stderr) << "TPParse: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return failWith(QStringLiteral("usage: TPParse <program directory> <file.MDA>"));
    const QString directory = arguments[1];
    if (!QFileInfo(directory).isDir())
        return failWith(QStringLiteral("%1 is not a directory.").arg(directory));

    const Result<QByteArray> image = readWholeFile(arguments[2]);
    if (!image)
        return failWith(image.error());
    auto tables = std::make_unique<TPTables>();
    // Nothing is written unless the whole image was understood.
    if (const Status parsed = parseTPImage(image.value(), tables->SatDataStored, tables->TPDataStored);
        !parsed)
        return failWith(arguments[2] + QStringLiteral(": ") + parsed.error());
    if (const Status saved = TPSaveAll(ProgramDir(directory), *tables); !saved)
        return failWith(saved.error());
    return 0;
}
