// TPCombine <program directory> <file.MDA>: writes the image of the five
// intermediate TP files in the program directory.
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
    QTextStream(stderr) << "TPCombine: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return failWith(QStringLiteral("usage: TPCombine <program directory> <file.MDA>"));
    const QString directory = arguments[1];
    if (!QFileInfo(directory).isDir())
        return failWith(QStringLiteral("%1 is not a directory.").arg(directory));

    auto tables = std::make_unique<TPTables>();
    if (const Status loaded = TPLoadAll(ProgramDir(directory), *tables); !loaded)
        return failWith(loaded.error());
    const Result<QByteArray> image = combineTPImage(tables->SatDataStored, tables->TPDataStored);
    if (!image)
        return failWith(image.error());
    // Written whole through a temporary: a failure leaves the old image as it was.
    if (const Status written = writeWholeFile(arguments[2], image.value()); !written)
        return failWith(written.error());
    return 0;
}
