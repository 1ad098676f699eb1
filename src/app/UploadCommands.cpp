#include "app/UploadCommands.h"

#include <array>

namespace {

UploadCommand command(const char *title, const char *filter, const char *kind)
{
    return {QString::fromLatin1(title), QString::fromLatin1(filter), QString::fromLatin1(kind)};
}

}  // namespace

const UploadCommand *uploadCommandForButton(int index)
{
    static const std::array<UploadCommand, 10> commands{
        command("Open Loader File", "Loader Files (Loader_bin.bin)|Loader_bin.bin|All Files (*.*)|*.*", "STB_Loader"),
        command("Open Application File", "Application Files (AppBin.bin)|AppBin.bin|All Files (*.*)|*.*",
                "Application"),
        command("Open Transponder File", "Transponder Files (*.MDA)|*.MDA|All Files (*.*)|*.*", "Transponder"),
        command("Open MPEG File", "MPEG Files (search.bin)|search.bin|All Files (*.*)|*.*", "MPEG"),
        command("Open Ch. DATA File", "CH Files (*.bin)|*.bin|All Files (*.*)|*.*", "CH. Data"),
        command("Open Default OSD File", "Default OSD Files (default_OSD.bin)|default_OSD.bin|All Files (*.*)|*.*",
                "Default_OSD"),
        command("Open 2MB File", "2Mb Files (*.bin)|*.bin|All Files (*.*)|*.*", "2MB"),
        UploadCommand{},
        UploadCommand{},
        command("Open SOSD File", "SOSD Files (*.bin)|*.bin|All Files (*.*)|*.*", "SOSD"),
    };
    if (index < 0 || index >= static_cast<int>(commands.size()) || commands[index].kind.isEmpty())
        return nullptr;
    return &commands[index];
}

const UploadCommand &uploadCommandForOsd(int index)
{
    static const std::array<UploadCommand, 5> commands{
        command("Open SOSD File", "All SOSD Files (*.bin)|*.bin|All Files (*.*)|*.*", "SMOS"),
        command("Open Adult SOSD File", "Adult SOSD Files (*.bin)|*.bin|All Files (*.*)|*.*", "SAD1"),
        command("Open Adult SOSD File", "Adult SOSD Files (*.bin)|*.bin|All Files (*.*)|*.*", "SAD2"),
        command("Open Child SOSD File", "Child SOSD Files (*.bin)|*.bin|All Files (*.*)|*.*", "SCH1"),
        command("Open Child SOSD File", "Child SOSD Files (*.bin)|*.bin|All Files (*.*)|*.*", "SCH2"),
    };
    return commands.at(static_cast<size_t>(qBound(0, index, 4)));
}
