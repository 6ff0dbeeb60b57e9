#include "TextLayout.h"

#include "CharacterTable.h"
#include "Utf8.h"

#include <algorithm>
#include <cstdio>

namespace scrivlet {

namespace {

constexpr int Space = 0x50;
constexpr int Bullet = 0x70; // @: a wrapped line that starts with it is not indented

// One byte the game reads as it prints: a printed byte, or a code.
struct Unit {
    int source = 0;       // the text item it belongs to
    int byte = 0;
    bool printed = false;
};

bool isWait(int b) { return b == 0x03 || b == 0x13 || b == 0x14; }

std::string shownAs(int b)
{
    if (const CharacterTable& table = currentCharacterTable(); table.has(b))
        return table.text(b);
    if (b >= 0x50 && b <= 0xAA)
        return std::string(1, static_cast<char>(b - 0x30));
    char group[8];
    std::snprintf(group, sizeof group, "[%02X]", b);
    return group;
}

class Layouter {
public:
    Layouter(std::span<const std::uint8_t> bytes, std::span<const TextItem> items, const LayoutSetup& setup,
        const CompressionDictionary& dictionary, TextLayout& out)
        : bytes_(bytes), items_(items), setup_(setup), dictionary_(dictionary), out_(out)
    {
    }

    void run()
    {
        std::vector<Unit> units;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const TextItem& item = items_[i];
            const auto code = bytes_.subspan(static_cast<std::size_t>(item.offset), static_cast<std::size_t>(item.length));
            const int source = static_cast<int>(i);
            if (item.kind == ByteClass::DictionaryReference) {
                if (code.size() == 2) {
                    const std::string_view slot = dictionary_.slot((code[0] - 0x15) * 256 + code[1]);
                    for (std::size_t k = 0; k < slot.size();) {
                        const Utf8Char c = utf8CharAt(slot, k);
                        const int b = static_cast<int>((c.value + CharacterOffset) & 0xFF);
                        units.push_back({source, b, b >= 0x20});
                        k += c.length;
                    }
                }
            } else if (item.kind == ByteClass::Character || code[0] >= 0x20) {
                // The game prints every byte from 0x20 up, whatever a grouping calls it.
                for (std::uint8_t b : code)
                    units.push_back({source, b, b >= 0x20});
            } else {
                if (!units.empty())
                    layUnits(units);
                units.clear();
                runCode(source, code);
            }
        }
        layUnits(units);
        closeWord();
        stop(false, static_cast<int>(bytes_.size()));
        out_.lineCount = line_ + 1;
    }

private:
    const GameFont& font() const { return saturn_ ? setup_.saturn : setup_.main; }
    int width() const { return setup_.width; }

    void newLine(bool wrapped)
    {
        ++line_;
        x_ = wrapped ? WrapIndent : 0;
        wrappedLine_ = wrapped;
        lineHasText_ = false;
    }

    void noteContent()
    {
        if (firstLineSinceStop_ < 0)
            firstLineSinceStop_ = line_;
        lastContentLine_ = line_;
    }

    // Printed bytes, word by word: before each word the game measures it and
    // starts a new line when it would pass the window's width.
    void layUnits(std::span<const Unit> units)
    {
        for (std::size_t i = 0; i < units.size(); ++i) {
            const Unit& unit = units[i];
            if (!unit.printed) { // a code inside a dictionary string: a place a word ends
                endWord();
                continue;
            }
            if (unit.byte == Space) {
                endWord();
                const int advance = font().advance(Space);
                if (wrappedLine_ && !lineHasText_)
                    continue; // a line begun by wrapping drops its leading spaces
                if (x_ + advance > width()) {
                    newLine(true);
                    continue;
                }
                place(unit.source, Space);
                continue;
            }
            if (atWordStart_) {
                int measured = 0;
                for (std::size_t k = i; k < units.size() && units[k].printed && units[k].byte != Space; ++k)
                    measured += font().measuredAdvance(units[k].byte);
                // At the start of a wrapped line the measure takes the pen as at 0,
                // though the first letter is then drawn 6 pixels in.
                const int pen = wrappedLine_ && !lineHasText_ ? 0 : x_;
                if (pen + measured > width())
                    newLine(true);
                openWord(unit.source);
                atWordStart_ = false;
            }
            place(unit.source, unit.byte);
        }
    }

    // Draws one printed byte at the pen; the pen goes to the next line when it reaches the edge.
    void place(int source, int b)
    {
        if (wrappedLine_ && !lineHasText_ && b == Bullet)
            x_ = 0;
        LaidItem laid{GameFont::isTile(b) ? LaidItem::Kind::Tile : LaidItem::Kind::Glyph, source, line_, x_, font().advance(b), b == Space ? 0 : font().ink(b), b,
            saturn_ ? FontKind::Saturn : FontKind::Main, false};
        if (inWord_) {
            if (wordFirstLaid_ == out_.items.size()) {
                wordLine_ = line_;
                wordX_ = x_;
            }
            laid.cut = laid.x + laid.ink > width() || line_ != wordLine_;
            wordCut_ = wordCut_ || laid.cut;
            wordText_ += shownAs(b);
            wordAdvance_ += laid.advance;
            wordLastGap_ = laid.advance - laid.ink;
            wordEnd_ = source + 1;
        }
        out_.items.push_back(laid);
        if (b != Space) {
            lineHasText_ = true;
            noteContent();
        }
        x_ += laid.advance;
        if (x_ >= width())
            newLine(true);
    }

    void openWord(int source)
    {
        inWord_ = true;
        wordCut_ = false;
        wordText_.clear();
        wordAdvance_ = wordLastGap_ = 0;
        wordFirstLaid_ = out_.items.size();
        wordLine_ = line_;
        wordX_ = x_;
        wordBegin_ = source;
        wordEnd_ = source + 1;
    }

    // A space or a code: the word so far ends, and the next letter starts one.
    void endWord()
    {
        closeWord();
        atWordStart_ = true;
    }

    void closeWord()
    {
        if (!inWord_)
            return;
        inWord_ = false;
        if (!wordCut_)
            return;
        for (std::size_t k = wordFirstLaid_; k < out_.items.size(); ++k)
            out_.items[k].cutWord = true;
        out_.cuts.push_back({wordLine_, wordText_, wordAdvance_ - wordLastGap_, width() - wordX_, false, wordBegin_, wordEnd_});
    }

    // A name measured on its own where it is printed: a new line first when it would not fit.
    void placeName(int source, const std::string& shown, const std::vector<std::uint8_t>& known, int bound)
    {
        if (!known.empty()) {
            int measured = 0;
            for (std::uint8_t b : known)
                measured += font().advance(b);
            if (x_ + measured > width())
                newLine(true);
            openWord(source);
            for (std::uint8_t b : known)
                place(source, b);
            closeWord();
            return;
        }
        if (bound <= 0)
            return;
        if (x_ + bound > width())
            newLine(true);
        LaidItem laid{LaidItem::Kind::Name, source, line_, x_, bound, bound - GlyphGap, 0, saturn_ ? FontKind::Saturn : FontKind::Main, false};
        laid.cut = laid.cutWord = laid.x + laid.ink > width();
        if (laid.cut)
            out_.cuts.push_back({line_, shown, laid.ink, width() - laid.x, true, source, source + 1});
        out_.items.push_back(laid);
        lineHasText_ = true;
        noteContent();
        x_ += bound;
        if (x_ >= width())
            newLine(true);
    }

    // The widest of the names a code may print when the image does not say which.
    int nameBound(const std::vector<std::vector<std::uint8_t>>& names, int longest) const
    {
        int widest = longest * font().widestAdvance();
        for (const auto& name : names) {
            int w = 0;
            for (std::uint8_t b : name)
                w += font().advance(b);
            widest = std::max(widest, w);
        }
        return widest;
    }

    void runCode(int source, std::span<const std::uint8_t> code)
    {
        endWord();
        const int first = code[0];
        const int sub = code.size() > 1 ? code[1] : -1;
        const int argument = code.size() > 2 ? code[2] : -1;
        if (first == 0x00)
            newLine(false);
        else if (first == 0x01 && lineHasText_)
            newLine(false);
        else if (first == EndCode)
            stop(false, items_[static_cast<std::size_t>(source)].offset);
        else if (isWait(first))
            stop(true, items_[static_cast<std::size_t>(source)].offset);
        else if (first == 0x1F && (sub == 0x30 || sub == 0x31))
            saturn_ = sub == 0x31;
        else if (first == 0x1C)
            runPrintCode(source, sub, argument, hexGroup(code));
    }

    void runPrintCode(int source, int sub, int argument, const std::string& shown)
    {
        static const std::vector<std::uint8_t> none;
        const InsertedNames& names = setup_.names;
        switch (sub) {
        case 0x02: // a character's name: the party's (up to 5), King (6), else an enemy's
            if (argument >= 1 && argument <= 4)
                placeName(source, shown, none, 5 * font().widestAdvance());
            else if (argument == 7)
                placeName(source, shown, none, 6 * font().widestAdvance());
            else if (argument > 0 && argument < static_cast<int>(names.enemies.size()) && !names.enemies[static_cast<std::size_t>(argument)].empty())
                placeName(source, shown, names.enemies[static_cast<std::size_t>(argument)], 0);
            else if (argument >= 0)
                placeName(source, shown, none, nameBound(names.enemies, 5));
            break;
        case 0x05: // an item's name, word by word
            if (argument > 0 && argument < static_cast<int>(names.items.size()) && !names.items[static_cast<std::size_t>(argument)].empty()) {
                std::vector<Unit> units;
                for (std::uint8_t b : names.items[static_cast<std::size_t>(argument)])
                    units.push_back({source, b, true});
                layUnits(units);
                endWord();
            } else if (argument >= 0) {
                const int widestItem = nameBound(names.items, 0);
                placeName(source, shown, none, widestItem > 0 ? widestItem : NameLength * font().widestAdvance());
            }
            break;
        case 0x0D: case 0x0E: // who acts or is acted on in battle: "the ", then the name, each on its own
            placeName(source, shown, none, nameBound(names.enemies, 5));
            break;
        case 0x03: // one glyph, printed without a measure
            if (argument >= 0x20)
                place(source, argument);
            break;
        case 0x11: // a new line when the character named would not fit
            if (argument >= 0 && x_ + font().advance(argument) > width())
                newLine(true);
            break;
        default: {
            const std::uint8_t head[] = {0x1C, static_cast<std::uint8_t>(sub & 0xFF)};
            const ControlCodeInfo* row = codeRow(head);
            if (row && row->kind == "print-name" && row->inserts > 0)
                placeName(source, shown, none, row->inserts * font().widestAdvance());
            break; // numbers and values are printed without a measure: nothing to lay out
        }
        }
    }

    void stop(bool waits, int byteOffset)
    {
        closeWord();
        if (firstLineSinceStop_ >= 0) {
            const int written = lastContentLine_ - firstLineSinceStop_ + 1;
            if (written > setup_.lines)
                out_.scrolls.push_back({firstLineSinceStop_, written});
        }
        firstLineSinceStop_ = -1;
        const int laidEnd = static_cast<int>(out_.items.size());
        if (!out_.stops.empty() && out_.stops.back().laidEnd == laidEnd)
            return; // nothing new to read since the last one
        out_.stops.push_back({laidEnd, std::max(0, lastContentLine_), byteOffset, waits, x_, line_});
    }

    std::span<const std::uint8_t> bytes_;
    std::span<const TextItem> items_;
    const LayoutSetup& setup_;
    const CompressionDictionary& dictionary_;
    TextLayout& out_;

    int x_ = 0, line_ = 0;
    bool wrappedLine_ = false, lineHasText_ = false, atWordStart_ = true, saturn_ = false;
    int firstLineSinceStop_ = -1, lastContentLine_ = -1;

    bool inWord_ = false, wordCut_ = false;
    std::string wordText_;
    std::size_t wordFirstLaid_ = 0;
    int wordLine_ = 0, wordX_ = 0, wordAdvance_ = 0, wordLastGap_ = 0, wordBegin_ = 0, wordEnd_ = 0;
};

} // namespace

LayoutSetup readLayoutSetup(RomFile& rom, int entry, std::optional<int> width)
{
    LayoutSetup setup;
    setup.main = readGameFont(rom, FontKind::Main);
    setup.saturn = readGameFont(rom, FontKind::Saturn);
    setup.names = readInsertedNames(rom);
    chooseLayoutWindow(setup, rom, entry, width);
    return setup;
}

void chooseLayoutWindow(LayoutSetup& setup, RomFile& rom, int entry, std::optional<int> width)
{
    setup.width = lineLimit(rom, width, entry);
    setup.lines = windowLines(rom, entry);
    setup.windowEntry = entry;
}

TextLayout layOutText(std::span<const std::uint8_t> bytes, std::span<const TextItem> items, const LayoutSetup& setup,
    const CompressionDictionary& dictionary)
{
    TextLayout layout;
    Layouter(bytes, items, setup, dictionary, layout).run();
    return layout;
}

} // namespace scrivlet
