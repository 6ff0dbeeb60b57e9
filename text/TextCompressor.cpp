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

// A typed character the dictionary's strings may stand for.
bool plainByte(const EncodedText& plain, std::size_t k)
{
    return plain.typed[k] && plain.bytes[k] >= FirstPlain + CharacterOffset && plain.bytes[k] <= LastPlain + CharacterOffset;
}

// The plain bytes with each run of typed characters compressed. With
// `guarded`, no run starts with a reference right after a code that reads the
// byte after it.
std::vector<std::uint8_t> compressWith(const EncodedText& plain, const SlotTrie& trie, bool guarded)
{
    std::vector<std::uint8_t> out;
    out.reserve(plain.bytes.size());
    std::string run;
    for (std::size_t k = 0; k < plain.bytes.size();) {
        if (!plainByte(plain, k)) {
            out.push_back(plain.bytes[k++]);
            continue;
        }
        run.clear();
        for (; k < plain.bytes.size() && plainByte(plain, k); ++k)
            run += static_cast<char>(plain.bytes[k] - CharacterOffset);
        compressRun(run, trie, guarded && !out.empty() && readsNextByte(out.back()), out);
    }
    return out;
}

// What bytes mean, read whole: block after block, each from the byte after
// the last one's end code, to the end (closed with an end code, and past the
// decoder's usual bound, which the plain bytes may outrun). A jump or a call
// can land after an end code inside written text; those bytes must keep their
// meaning too.
std::string meaningOf(std::vector<std::uint8_t> bytes, const CompressionDictionary& dictionary, CodeGrouping grouping)
{
    bytes.push_back(EndCode);
    const int whole = static_cast<int>(bytes.size()) + 1;
    std::string meaning;
    for (std::size_t at = 0; at < bytes.size();) {
        const DecodedText block = decodeBytes(std::span<const std::uint8_t>(bytes).subspan(at), true, dictionary, whole, grouping);
        meaning += block.text;
        meaning += '\0';
        at += static_cast<std::size_t>(std::max(block.size, 1));
    }
    return meaning;
}

} // namespace

std::vector<std::uint8_t> compressEncoded(const EncodedText& plain, const CompressionDictionary& dictionary, CodeGrouping grouping)
{
    const SlotTrie& trie = trieFor(dictionary);
    std::string plainMeaning;
    for (bool guarded : {false, true}) {
        std::vector<std::uint8_t> candidate = compressWith(plain, trie, guarded);
        if (candidate.size() >= plain.bytes.size())
            break;
        if (plainMeaning.empty())
            plainMeaning = meaningOf(plain.bytes, dictionary, grouping);
        if (meaningOf(candidate, dictionary, grouping) == plainMeaning)
            return candidate;
    }
    return plain.bytes;
}

std::vector<std::uint8_t> encodeCompressed(std::string_view text, const CompressionDictionary& dictionary)
{
    return compressEncoded(encodeDisplayText(text), dictionary, currentCodeGrouping());
}

int compressedSize(std::string_view text, const CompressionDictionary& dictionary)
{
    const EncodedText plain = encodeDisplayText(text);
    if (!plain.ok())
        return -1;
    return static_cast<int>(compressEncoded(plain, dictionary, currentCodeGrouping()).size());
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
