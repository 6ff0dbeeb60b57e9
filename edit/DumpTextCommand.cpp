#include "app/MainDialog.h"

#include "Messages.h"
#include "catalogue/TextCatalogue.h"
#include "catalogue/TextDump.h"

#include <cstdio>

namespace scrivlet {

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
}

} // namespace scrivlet
