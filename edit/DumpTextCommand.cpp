#include "app/MainDialog.h"

#include "Messages.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TextDump.h"

#include "resources/ResourceIds.h"

#include <cstdio>
#include <filesystem>

namespace scrivlet {

namespace {
std::string utf8Path(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
} // namespace

void MainDialog::dumpText()
{
    const char* name = dumpFileName(static_cast<ListingSource>(listingSource));
    char sentence[512];
    static const TextCatalogue empty;
    const bool written = romOpen() ? writeDumpFile(romFile, textCatalogue(), name) : writeDumpFile(romFile, empty, name);
    if (!written) {
        std::snprintf(sentence, sizeof sentence, messages::DumpFailed, name);
        window_->messageBox(sentence, messages::DumpFailedCaption, ui::MessageIcon::Exclamation);
        return;
    }
    std::snprintf(sentence, sizeof sentence, messages::TextDumped, name);
    window_->messageBox(sentence, messages::TextDumpedCaption, ui::MessageIcon::None);
    // The name alone does not say which folder: the line under the size line does.
    std::error_code unknown;
    const std::filesystem::path where = std::filesystem::absolute(name, unknown);
    window_->setControlText(ids::CaretNote, messages::DumpedTo + (unknown ? std::string(name) : utf8Path(where)));
}

} // namespace scrivlet
