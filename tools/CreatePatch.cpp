#include "app/MainDialog.h"

#include "edit/Messages.h"
#include "rom/Patch.h"
#include "rom/TempFile.h"

#include <cstdio>

namespace scrivlet {

namespace {
// "game.smc" gives "game.bps", beside it.
std::string patchPathFor(const std::string& romPath)
{
    const auto slash = romPath.find_last_of("/\\");
    const auto dot = romPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? romPath.substr(0, dot) : romPath) + ".bps";
}
} // namespace

void MainDialog::createPatch()
{
    if (!romOpen())
        return;
    const ui::FileChoice original = window_->chooseFileToOpen(messages::RomFileFilter);
    if (original.path.empty())
        return;
    std::vector<std::uint8_t> source, target;
    if (readWholeFile(original.path, DataFileMaxBytes, source) != ReadFileError::None || !romFile.readAll(target)) {
        window_->messageBox(messages::PatchOriginalUnreadable, messages::PatchFailedCaption, ui::MessageIcon::Exclamation);
        return;
    }
    const std::string path = patchPathFor(romPath);
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    char sentence[1024];
    const auto patch = makePatch(PatchFormat::Bps, source, target);
    if (!patch || !replaceFileWith(path, *patch)) {
        std::snprintf(sentence, sizeof sentence, messages::PatchNotWritten, name.c_str());
        window_->messageBox(sentence, messages::PatchFailedCaption, ui::MessageIcon::Exclamation);
        return;
    }
    std::snprintf(sentence, sizeof sentence, messages::PatchCreated, name.c_str());
    window_->messageBox(sentence, messages::PatchCreatedCaption, ui::MessageIcon::None);
}

} // namespace scrivlet
