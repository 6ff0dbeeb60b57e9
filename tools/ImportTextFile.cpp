#include "app/MainDialog.h"

#include "catalogue/TextCatalogue.h"
#include "edit/Messages.h"
#include "edit/TextImport.h"
#include "resources/ResourceIds.h"
#include "rom/TempFile.h"

namespace scrivlet {

void MainDialog::importTextFile()
{
    if (!romOpen() || !romIsWritable())
        return;
    const ui::FileChoice choice = window_->chooseFileToOpen(messages::ImportFilter, messages::ImportDialogTitle);
    if (choice.path.empty())
        return;
    std::vector<std::uint8_t> file;
    if (readWholeFile(choice.path, DataFileMaxBytes, file) != ReadFileError::None) {
        window_->messageBox(std::string(messages::ImportRefusedIntro) + choice.name + " cannot be read.",
            messages::ImportRefusedCaption, ui::MessageIcon::Exclamation);
        return;
    }
    if (!settleUnappliedText()) // the listing is built again afterwards
        return;
    const ImportResult result = importText(romFile, textCatalogue(),
        std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), ApplyOptions{preventOverwrites != 0, compressWhenWriting}, false);
    if (!result.written()) {
        // A failed write says itself that nothing changed; refused lines are listed under the intro.
        const std::string intro = result.refusals.empty() ? "" : messages::ImportRefusedIntro;
        window_->messageBox(intro + importRefusals(result), messages::ImportRefusedCaption, ui::MessageIcon::Exclamation);
        return;
    }
    if (result.rowsWritten > 0)
        rememberWrite(WriteKind::Import);
    window_->messageBox(importSummary(result, false), messages::ImportedCaption, ui::MessageIcon::None);
    refreshListingKeepingRow();
}

} // namespace scrivlet
