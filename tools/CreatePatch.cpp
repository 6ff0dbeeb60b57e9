#include "app/MainDialog.h"

#include "edit/Messages.h"
#include "rom/Patch.h"
#include "rom/TempFile.h"

#include <cstdio>
#include <filesystem>

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

std::string nameOf(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

std::string sentence(const char* format, const std::string& name)
{
    char text[1024];
    std::snprintf(text, sizeof text, format, name.c_str());
    return text;
}
} // namespace

void MainDialog::createPatch()
{
    if (!romOpen())
        return;
    const ui::FileChoice original = window_->chooseFileToOpen(messages::RomFileFilter, messages::PatchOriginalTitle);
    if (original.path.empty())
        return;
    const auto refuse = [this](const std::string& why) {
        window_->messageBox(why, messages::PatchFailedCaption, ui::MessageIcon::Exclamation);
    };
    if (sameFile(original.path, romPath))
        return refuse(messages::PatchOriginalIsOpenFile);
    std::vector<std::uint8_t> source, target;
    if (readWholeFile(original.path, PatchMaxImageBytes, source) != ReadFileError::None || !romFile.readAll(target))
        return refuse(messages::PatchOriginalUnreadable);
    if (source == target)
        return refuse(messages::PatchNoDifferences);

    ui::FileChoice out = window_->chooseFileToSave(messages::PatchFilter, messages::PatchSaveTitle, patchPathFor(romPath));
    if (out.path.empty())
        return;
    // The type chosen names a file given without one of the two endings.
    if (!patchFormatOf(out.path)) {
        out.path += out.type == 1 ? ".ips" : ".bps";
        out.name = nameOf(out.path);
    }
    const PatchFormat format = *patchFormatOf(out.path);
    const std::string name = nameOf(out.path);
    if (sameFile(out.path, romPath) || sameFile(out.path, original.path) || !isReplaceableTarget(out.path))
        return refuse(sentence(messages::PatchNotWritten, name));
    std::error_code ignored;
    if (std::filesystem::exists(out.path, ignored)
        && window_->ask(sentence(messages::PatchReplace, name), messages::PatchReplaceCaption, ui::QuestionButtons::YesNo)
            != ui::Answer::Yes)
        return;
    const auto patch = makePatch(format, source, target);
    if (!patch || !replaceFileWith(out.path, *patch))
        return refuse(sentence(messages::PatchNotWritten, name));
    window_->messageBox(sentence(messages::PatchCreated, name), messages::PatchCreatedCaption, ui::MessageIcon::None);
}

} // namespace scrivlet
