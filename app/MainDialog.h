#pragma once

#include "catalogue/TextCatalogue.h"
#include "edit/FontChanges.h"
#include "rom/RomFile.h"
#include "text/TextLayout.h"
#include "ui/Window.h"

#include <string>
#include <vector>

namespace scrivlet {

// The main window: the open ROM, the option flags, and the handlers of every
// command and notification of template 102 and menu 129.
class MainDialog : public ui::DialogHandler {
public:
    explicit MainDialog(ui::Platform& platform) : platform_(platform) {}

    void onInitDialog() override;
    void onCommand(int id) override;
    void onNotify(int controlId, ui::Notification notification) override;
    // Escape and the close box: the window ends unless typed text would be lost.
    bool onCloseRequest() override;
    // Over the edit box: what the codes of the group under the mouse do.
    std::string toolTipAt(int controlId, int index) override;
    // A ROM dropped on the window opens as File > Open opens it.
    void onFilesDropped(const std::vector<std::string>& paths) override;

    // ROMs named on the command line (or dropped on the program): the first is
    // opened as the window comes up, as File > Open would open it.
    std::vector<std::string> startupFiles;

    // File
    void openRom();
    // Open's checks and messages for a file already chosen; true when it opened.
    bool openRomAt(const std::string& path, const std::string& name);
    // Whether a write to the open ROM can happen at all; says why not, once.
    bool romIsWritable();
    void openStartupFiles();
    // File > the ROMs opened last (the newest first).
    void loadRecentFiles();
    void showRecentFiles();
    void saveRecentFiles();
    void rememberRecentFile(const std::string& path);
    void openRecentFile(int k);
    // The window's place, size and maximized state, kept between runs.
    void restorePlacement();
    void rememberPlacement();
    const std::vector<std::string>& recentFiles() const { return recentFiles_; }
    void closeRom();
    void exitProgram();
    // Listing
    void refreshListing();
    // The listing built again, still showing the block the current row shows
    // (the first row at its address), or line 1 when no row has it now.
    void refreshListingKeepingRow();
    void selectListingSource(int source);
    // Entry view
    void showEntry(int row);
    void updateCurrentSize();
    void selectDisplayMode(int showTextAndCodes);
    int currentRow() const;
    // Makes a row current as if the user had picked it; false when the user
    // kept unapplied text instead (asked through `asker`, the window up).
    bool selectCatalogueRow(int row, ui::Window* asker = nullptr);
    // Editing; true when the text was written.
    bool applyChanges();
    void togglePreventOverwrites();
    void toggleCompressWhenWriting();
    void expandRom();
    void dumpText();
    // Tools
    void editTptEntry();
    void openSearch();
    void findNextMatch();
    void showDetails();
    void importTextFile();
    void moveTextToExpandedArea();
    void createPatch();
    void undoLastWrite();
    // Codes
    void toggleGameGrouping();
    void openCodeReference();
    void goToTarget();
    void showReferences();
    // Character tables: the one beside the ROM is read as it opens; Options >
    // Character table chooses another or none while it stays open.
    // The table chosen for this ROM before (remembered between runs), else the one beside it.
    void readTableForRom();
    void chooseCharacterTable();
    void rememberTableChoice(const std::string& tablePath); // empty: none
    // Tools > Font: the font window. Its writes are the window's, taken back
    // by Undo last write; the preview, the marks and the fit check use the
    // font as written at once.
    void openFontEditor();
    FontChange writeGlyph(FontKind kind, int glyph, const GlyphBits& bits, int width);
    FontChange makeRoomInFont(FontKind kind);
    // How text looks in the game's window
    void toggleShowPreview();
    // The window entry typed beside the preview: text is laid out in it from then on.
    void choosePreviewWindow();
    // The size of the chosen window's text area beside the preview.
    void showLayoutWindowSize();
    void checkTextFit();
    // The edit box's marks past the window's width, for the text as it stands.
    void updateFitMarks(const std::string& text);
    // The preview of the page the caret is on, while Show preview is checked.
    void updatePreview(const std::string& text);

    // Text typed into the edit box that differs from what the last showing of
    // the current row put there.
    bool hasUnappliedText() const;
    // Before an action that would drop unapplied text: asks (through `asker`,
    // the main window when null) whether to apply it, discard it or go back.
    // True when the action may go on: nothing unapplied, applied, or discarded.
    bool settleUnappliedText(ui::Window* asker = nullptr);

    // State record
    int preventOverwrites = 0;
    int showTextAndCodes = 0;
    std::string romFileName;
    std::string romPath;
    int listingSource = 0;
    RomFile romFile; // closed when no file is loaded
    // Options of our own beyond the classic set, each off at start.
    bool compressWhenWriting = false;
    bool groupCodesAsGame = false;
    bool showPreview = false;
    // What the last search looked for; F3 looks for it again.
    std::string lastSearch;
    bool searched = false;

    bool romOpen() const { return romFile.isOpen(); }

    // The open image's fonts, names and the chosen window, read as it is
    // opened: the preview, the marks and the fit check lay text out with them.
    LayoutSetup layoutSetup;
    // The entry of the game's window table text is laid out in; kept while the program runs.
    int windowEntry = DialogueWindowEntry;

private:
    std::vector<std::string> recentFiles_;
    // A write this window made to the open ROM, and how to show its undoing.
    enum class WriteKind { Text, Record, Import, Move, Expansion, Font };
    struct WriteRecord {
        ReplacedBytes replaced;
        WriteKind kind;
        int row = -1;
        TextEntry before; // the row as it was, for a record or a move
        FontKind font = FontKind::Main;
    };
    // The fonts were written: the layout reads them again, the preview and the marks follow.
    void fontsChanged();
    // A write to font `kind` landed: kept for Undo, and the fonts read again.
    void fontWritten(FontKind kind);
    void rememberWrite(WriteKind kind, int row = -1, const TextEntry& before = {});
    // What Undo last write took back, for the line under the size line.
    std::string undoneNote(const WriteRecord& undone) const;
    void updateUndoCommand();

    void setEditCommandsEnabled(bool enabled);
    void showRewrittenRow(int row, std::int32_t fileOffset);
    // The list's notifications: the row the user reached is shown, unless
    // unapplied text is kept (then the mark goes back to its row).
    bool reachRow(int reached);
    void moveMarkTo(int row);
    // The line under the size line: what the character at the caret is written as.
    void updateCaretNote(const std::string& text);
    void switchListing(int source); // as selectListingSource, without asking

    ui::Platform& platform_;
    std::string shownText_; // what the last showing of a row put into the edit box
    int shownRow_ = -1;
    std::vector<WriteRecord> writes_; // since the ROM was opened, oldest first
};

} // namespace scrivlet
