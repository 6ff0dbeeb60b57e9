// The character table the open ROM's text is read and written through.
#include "app/MainDialog.h"

#include "app/CommandLine.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "text/CharacterTable.h"

#include <cstdio>

namespace scrivlet {

namespace {

std::string filled(const char* sentence, const std::string& a, const std::string& b = "")
{
    std::string text(std::string(sentence).size() + a.size() + b.size() + 1, '\0');
    const int n = std::snprintf(text.data(), text.size(), sentence, a.c_str(), b.c_str());
    text.resize(static_cast<std::size_t>(std::max(n, 0)));
    return text;
}

} // namespace

void MainDialog::readTableBesideRom()
{
    currentCharacterTable() = CharacterTable{};
    std::optional<TableParse> read = readTableBeside(romPath);
    if (!read)
        return;
    if (!read->table) {
        window_->messageBox(filled(messages::CharacterTableRefusedAtOpen, fileNameOf(tablePathBeside(romPath)), read->refusal),
            messages::CharacterTableCaption, ui::MessageIcon::Exclamation);
        return;
    }
    currentCharacterTable() = std::move(*read->table);
}

void MainDialog::chooseCharacterTable()
{
    if (!romOpen() || !settleUnappliedText())
        return; // typed text is read through the table it was typed with
    CharacterTable& table = currentCharacterTable();
    bool chooseFile = true;
    if (!table.empty()) {
        const ui::Answer answer = window_->ask(filled(messages::CharacterTableInUse, fileNameOf(table.source)),
            messages::CharacterTableCaption, ui::QuestionButtons::YesNoCancel);
        if (answer == ui::Answer::Cancel)
            return;
        chooseFile = answer == ui::Answer::Yes;
    }
    CharacterTable chosen;
    if (chooseFile) {
        const ui::FileChoice choice = window_->chooseFileToOpen(messages::CharacterTableFilter, messages::CharacterTableTitle);
        if (choice.path.empty())
            return;
        TableParse read = readCharacterTable(choice.path);
        if (!read.table) {
            window_->messageBox(filled(messages::CharacterTableRefused, choice.name, read.refusal), messages::CharacterTableCaption,
                ui::MessageIcon::Exclamation);
            return; // the table in use stays
        }
        chosen = std::move(*read.table);
    }
    table = std::move(chosen);
    refreshListingKeepingRow();
    window_->setControlText(ids::CaretNote, table.empty() ? messages::NoCharacterTable : tableInUseNote(table));
}

} // namespace scrivlet
