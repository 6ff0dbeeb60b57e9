#include "TextCompressor.h"

#include "ByteClass.h"
#include "TextDecoder.h"
#include "TextEncoder.h"

#include <cstring>
#include <memory>

namespace scrivlet {

namespace {

constexpr char FirstPlain = 0x20; // space
constexpr char LastPlain = 0x7A;  // z

bool usableString(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < FirstPlain || c > LastPlain)
            return false;
    return true;
}

// The dictionary's usable strings as a trie, so that every string starting at
// a position is found in one walk of at most 24 characters.
class SlotTrie {
public:
    explicit SlotTrie(const CompressionDictionary& dictionary)
    {
        nodes_.push_back({});
        for (int slot = 1; slot < DictionarySlotCount; ++slot)
            if (const std::string_view s = dictionary.slot(slot); usableString(s))
                add(s, slot);
    }

    // Calls found(length, slot) for each string that `text` starts with.
    template <typename Found>
    void matches(std::string_view text, Found&& found) const
    {
        std::int32_t node = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            node = child(node, text[i]);
            if (node < 0)
                return;
            if (nodes_[static_cast<std::size_t>(node)].slot > 0)
                found(i + 1, nodes_[static_cast<std::size_t>(node)].slot);
        }
    }

private:
    struct Node {
        std::int32_t firstChild = -1;
        std::int32_t nextSibling = -1;
        std::int16_t slot = 0; // 0: no string ends here
        char character = 0;
    };

    std::int32_t child(std::int32_t node, char c) const
    {
        for (std::int32_t k = nodes_[static_cast<std::size_t>(node)].firstChild; k >= 0; k = nodes_[static_cast<std::size_t>(k)].nextSibling)
            if (nodes_[static_cast<std::size_t>(k)].character == c)
                return k;
        return -1;
    }

    void add(std::string_view s, int slot)
    {
        std::int32_t node = 0;
        for (char c : s) {
            std::int32_t next = child(node, c);
            if (next < 0) {
                next = static_cast<std::int32_t>(nodes_.size());
                Node fresh;
                fresh.character = c;
                fresh.nextSibling = nodes_[static_cast<std::size_t>(node)].firstChild;
                nodes_.push_back(fresh);
                nodes_[static_cast<std::size_t>(node)].firstChild = next;
            }
            node = next;
        }
        if (nodes_[static_cast<std::size_t>(node)].slot == 0)
            nodes_[static_cast<std::size_t>(node)].slot = static_cast<std::int16_t>(slot); // the first of equal strings
    }

    std::vector<Node> nodes_;
};

// The trie of the dictionary last asked for; built again when its strings change.
const SlotTrie& trieFor(const CompressionDictionary& dictionary)
{
    thread_local CompressionDictionary seen{};
    thread_local std::unique_ptr<SlotTrie> trie;
    if (!trie || std::memcmp(&seen, &dictionary, sizeof dictionary) != 0) {
        seen = dictionary;
        trie = std::make_unique<SlotTrie>(dictionary);
    }
    return *trie;
}

// Codes whose argument count depends on the byte after them: a reference
// right behind one of them could be read as its sub-code.
bool readsNextByte(std::uint8_t code) { return code == 0x19 || code == 0x1B || code == 0x1C || code == 0x1D || code == 0x1F; }

// The shortest bytes of one run of plain characters.
void compressRun(std::string_view run, const SlotTrie& trie, bool noReferenceFirst, std::vector<std::uint8_t>& out)
{
    const std::size_t n = run.size();
    std::vector<std::uint32_t> cost(n + 1, 0);
    std::vector<std::int16_t> slotAt(n, 0);
    std::vector<std::uint8_t> lengthAt(n, 1);
    for (std::size_t i = n; i-- > 0;) {
        cost[i] = 1 + cost[i + 1];
        if (i == 0 && noReferenceFirst)
            continue;
        trie.matches(run.substr(i), [&](std::size_t length, int slot) {
            if (2 + cost[i + length] < cost[i]) {
                cost[i] = 2 + cost[i + length];
                slotAt[i] = static_cast<std::int16_t>(slot);
                lengthAt[i] = static_cast<std::uint8_t>(length);
            }
        });
    }
    for (std::size_t i = 0; i < n;) {
        if (slotAt[i] > 0) {
            out.push_back(static_cast<std::uint8_t>(0x15 + slotAt[i] / 256));
            out.push_back(static_cast<std::uint8_t>(slotAt[i] % 256));
            i += lengthAt[i];
        } else {
            out.push_back(static_cast<std::uint8_t>(static_cast<unsigned char>(run[i]) + CharacterOffset));
            ++i;
        }
    }
}

// The text with each run of plain characters compressed. With `guarded`, no
// run starts with a reference right after a group whose last byte is a code
// that reads the byte after it.
std::vector<std::uint8_t> compressWith(std::string_view text, const SlotTrie& trie, bool guarded)
{
    std::vector<std::uint8_t> out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '[') {
            const std::size_t close = text.find(']', i + 1);
            const std::string_view group = text.substr(i, close + 1 - i);
            for (std::uint32_t value : parseBracketGroup(group))
                out.push_back(static_cast<std::uint8_t>(value & 0xFF));
            i = close + 1;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] != '[' && text[end] >= FirstPlain && text[end] <= LastPlain)
            ++end;
        if (end == i) { // a character outside space to z: one byte, as the plain encoding writes it
            out.push_back(static_cast<std::uint8_t>((static_cast<unsigned char>(text[i]) + CharacterOffset) & 0xFF));
            ++i;
            continue;
        }
        compressRun(text.substr(i, end - i), trie, guarded && !out.empty() && readsNextByte(out.back()), out);
        i = end;
    }
    return out;
}

// Whether the compressed bytes mean what the plain ones do: the text itself
// comes back, or both, closed with an end code and read whole (past the
// decoder's usual bound, which the plain bytes may outrun), decode alike.
bool decodesAlike(const std::vector<std::uint8_t>& compressed, const std::vector<std::uint8_t>& plain, std::string_view text,
    const CompressionDictionary& dictionary)
{
    if (decodeBytes(compressed, true, dictionary).text == text)
        return true;
    std::vector<std::uint8_t> a = compressed, b = plain;
    a.push_back(EndCode);
    b.push_back(EndCode);
    const int whole = static_cast<int>(b.size()) + 1;
    return decodeBytes(a, true, dictionary, whole).text == decodeBytes(b, true, dictionary, whole).text;
}

} // namespace

std::vector<std::uint8_t> encodeCompressed(std::string_view text, const CompressionDictionary& dictionary)
{
    std::vector<std::uint8_t> plain = encodeText(text);
    const SlotTrie& trie = trieFor(dictionary);
    for (bool guarded : {false, true}) {
        std::vector<std::uint8_t> candidate = compressWith(text, trie, guarded);
        if (candidate.size() >= plain.size())
            break;
        if (decodesAlike(candidate, plain, text, dictionary))
            return candidate;
    }
    return plain;
}

int compressedSize(std::string_view text, const CompressionDictionary& dictionary)
{
    if (encodedSize(text) < 0)
        return -1;
    return static_cast<int>(encodeCompressed(text, dictionary).size());
}

std::vector<std::uint8_t> encodeForWriting(std::string_view text, bool compress, const CompressionDictionary& dictionary)
{
    return compress ? encodeCompressed(text, dictionary) : encodeText(text);
}

int sizeForWriting(std::string_view text, bool compress, const CompressionDictionary& dictionary)
{
    return compress ? compressedSize(text, dictionary) : encodedSize(text);
}

} // namespace scrivlet
