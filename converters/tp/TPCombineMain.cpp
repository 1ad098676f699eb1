// TPCombine <program directory> <file.MDA>: writes the image of the five
// intermediate TP files in the program directory.
#include "TPConverterMain.h"
#include "TPImage.h"
#include "common/ProgramDir.h"
#include "common/WholeFile.h"
#include "tp/TPFiles.h"

#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr const char *kName = "TPCombine";
    const auto parsedArguments = tpConverterArguments(kName);
    if (const int *exitCode = std::get_if<int>(&parsedArguments))
        return *exitCode;
    const auto &[directory, imagePath] = std::get<TPConverterArguments>(parsedArguments);

    auto tables = std::make_unique<TPTables>();
    if (const Status loaded = TPLoadAll(ProgramDir(directory), *tables); !loaded)
        return failWith(kName, loaded.error());
    const Result<QByteArray> image = combineTPImage(tables->SatDataStored, tables->TPDataStored);
    if (!image)
        return failWith(kName, image.error());
    // Written whole through a temporary: a failure leaves the old image as it was.
    if (const Status written = writeWholeFile(imagePath, image.value()); !written)
        return failWith(kName, written.error());
    return 0;
}
