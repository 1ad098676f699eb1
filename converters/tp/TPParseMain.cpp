// TPParse <program directory> <file.MDA>: writes the five intermediate TP
// files of the image into the program directory.
#include "TPConverterMain.h"
#include "TPImage.h"
#include "common/ProgramDir.h"
#include "common/WholeFile.h"
#include "tp/TPFiles.h"

#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr const char *kName = "TPParse";
    const auto parsedArguments = tpConverterArguments(kName);
    if (const int *exitCode = std::get_if<int>(&parsedArguments))
        return *exitCode;
    const auto &[directory, imagePath] = std::get<TPConverterArguments>(parsedArguments);

    const Result<QByteArray> image = readWholeFile(imagePath);
    if (!image)
        return failWith(kName, image.error());
    auto tables = std::make_unique<TPTables>();
    // Nothing is written unless the whole image was understood.
    if (const Status parsed = parseTPImage(image.value(), tables->SatDataStored, tables->TPDataStored); !parsed)
        return failWith(kName, imagePath + QStringLiteral(": ") + parsed.error());
    if (const Status saved = TPSaveAll(ProgramDir(directory), *tables); !saved)
        return failWith(kName, saved.error());
    return 0;
}
