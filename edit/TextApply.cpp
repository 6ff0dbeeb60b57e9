#include "TextApply.h"

#include "Messages.h"
#include "text/TextCompressor.h"
#include "text/TextDecoder.h"

#include <cstdio>

namespace scrivlet {

namespace {

std::string formatted(const char* format, int value)
{
    char text[256];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

PreparedText encodeForWrite(std::string_view text, const ApplyOptions& options)
{
    PreparedText prepared;
    EncodedText encoded = encodeDisplayText(text, options.others);
    if (encoded.fault) {
        prepared.result.outcome = encoded.fault->kind == TextFault::Brackets ? ApplyOutcome::BracketError : ApplyOutcome::TextFault;
        prepared.result.fault = textFaultSentence(text, *encoded.fault);
        return prepared;
    }
    prepared.bytes = options.compress ? compressEncoded(encoded, compressionDictionary(), currentCodeGrouping()) : std::move(encoded.bytes);
    return prepared;
}

PreparedText prepareText(RomFile& rom, std::int32_t fileOffset, std::string_view text, const ApplyOptions& options)
{
    PreparedText prepared = encodeForWrite(text, options);
    ApplyResult& result = prepared.result;
    if (result.outcome != ApplyOutcome::Written)
        return prepared;
    const int newSize = static_cast<int>(prepared.bytes.size());
    if (options.preventOverwrites) {
        const int oldSize = decodeSize(rom, fileOffset);
        if (newSize > oldSize) {
            result.outcome = ApplyOutcome::TooLarge;
            if (!options.compress)
                if (const int packed = compressedSize(text); packed >= 0 && packed <= oldSize)
                    result.compressedSize = packed;
            prepared.bytes.clear();
            return prepared;
        }
    }
    if (fileOffset < 0 || static_cast<std::int64_t>(fileOffset) + newSize > rom.size()) {
        result = {ApplyOutcome::WriteFailed, WriteStatus::OutsideFile, {}, -1};
        prepared.bytes.clear();
    }
    return prepared;
}

ApplyResult applyText(RomFile& rom, std::int32_t fileOffset, std::string_view text, const ApplyOptions& options)
{
    PreparedText prepared = prepareText(rom, fileOffset, text, options);
    if (prepared.result.outcome != ApplyOutcome::Written)
        return prepared.result;
    const ByteRun run{fileOffset, std::move(prepared.bytes)};
    const WriteStatus status = rom.write(std::span<const ByteRun>(&run, 1));
    return {status == WriteStatus::Written ? ApplyOutcome::Written : ApplyOutcome::WriteFailed, status, {}, -1};
}

std::string applyMessage(const ApplyResult& result, Audience audience)
{
    const bool window = audience == Audience::Window;
    switch (result.outcome) {
    case ApplyOutcome::Written: return {};
    case ApplyOutcome::BracketError:
        // The window keeps its own fixed words; the command line also says where.
        return window ? std::string(messages::BracketError) : std::string(messages::BracketError) + "\n" + result.fault + ".";
    case ApplyOutcome::TextFault: return result.fault + messages::NothingWrittenEnd;
    case ApplyOutcome::TooLarge: {
        std::string message = window ? messages::TextTooLarge : messages::TextTooLargeCommandLine;
        if (result.compressedSize >= 0)
            message += "\n" + formatted(window ? messages::FitsCompressed : messages::FitsCompressedCommandLine, result.compressedSize);
        return message;
    }
    case ApplyOutcome::WriteFailed: return writeStatusMessage(result.write);
    }
    return {};
}

const char* writeStatusMessage(WriteStatus status)
{
    switch (status) {
    case WriteStatus::Written: return nullptr;
    case WriteStatus::NotOpenForUpdate: return messages::WriteNotOpenForUpdate;
    case WriteStatus::OutsideFile: return messages::WriteOutsideFile;
    case WriteStatus::NotTheOpenFile: return messages::WriteNotTheOpenFile;
    case WriteStatus::Failed: return messages::WriteFailed;
    case WriteStatus::Damaged: return messages::WriteDamaged;
    case WriteStatus::ChangedOutside: return messages::WriteChangedOutside;
    }
    return messages::WriteFailed;
}

} // namespace scrivlet
