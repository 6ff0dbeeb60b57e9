// The character table the open ROM's text is read and written through.
#include "app/MainDialog.h"

#include "app/CommandLine.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "rom/TempFile.h"
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

// Where the table chosen for a ROM is remembered: a key of the ROM's path
// (hashed, since a path holds what a store's keys may not).
std::string tableChoiceKey(const std::string& romPath)
{
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a
    for (unsigned char c : resolvedPath(romPath)) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char key[40];
    std::snprintf(key, sizeof key, "tables/%016llx", static_cast<unsigned long long>(hash));
    return key;
}

constexpr const char* NoTable = "none";

} // namespace

void MainDialog::readTableForRom()
{
    currentCharacterTable() = CharacterTable{};
    // A table chosen for this ROM before (or none) comes first; else the one beside it.
    const std::optional<std::string> chosen = platform_.settings().value(tableChoiceKey(romPath));
    if (chosen && *chosen == NoTable)
        return;
    std::optional<TableParse> read = chosen ? std::optional(readCharacterTable(*chosen)) : readTableBeside(romPath);
    if (!read)
        return;
    if (!read->table) {
        const std::string path = chosen ? *chosen : tablePathBeside(romPath);
        window_->messageBox(filled(messages::CharacterTableRefusedAtOpen, fileNameOf(path), read->refusal),
            messages::CharacterTableCaption, ui::MessageIcon::Exclamation);
        return;
    }
    currentCharacterTable() = std::move(*read->table);
}

void MainDialog::rememberTableChoice(const std::string& tablePath)
{
    ui::Settings& store = platform_.settings();
    store.setValue(tableChoiceKey(romPath), tablePath.empty() ? NoTable : tablePath);
    if (!store.save())
        window_->setControlText(ids::CaretNote, store.problem());
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
    std::string chosenPath;
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
        chosenPath = resolvedPath(choice.path);
    }
    table = std::move(chosen);
    refreshListingKeepingRow();
    window_->setControlText(ids::CaretNote, table.empty() ? messages::NoCharacterTable : tableInUseNote(table));
    rememberTableChoice(chosenPath);
}

} // namespace scrivlet
