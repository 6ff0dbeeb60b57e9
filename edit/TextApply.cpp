#include "TextApply.h"

#include "Messages.h"
#include "text/TextCompressor.h"
#include "text/TextDecoder.h"

namespace scrivlet {

ApplyResult checkApply(RomFile& rom, std::int32_t fileOffset, std::string_view text, bool preventOverwrites, bool compress)
{
    const int newSize = sizeForWriting(text, compress);
    if (newSize == -1)
        return {ApplyOutcome::BracketError, WriteStatus::Written};
    if (preventOverwrites && newSize > decodeSize(rom, fileOffset))
        return {ApplyOutcome::TooLarge, WriteStatus::Written};
    if (fileOffset < 0 || static_cast<std::int64_t>(fileOffset) + newSize > rom.size())
        return {ApplyOutcome::WriteFailed, WriteStatus::OutsideFile};
    return {};
}

ApplyResult applyText(RomFile& rom, std::int32_t fileOffset, std::string_view text, bool preventOverwrites, bool compress)
{
    if (const ApplyResult refused = checkApply(rom, fileOffset, text, preventOverwrites, compress); refused.outcome != ApplyOutcome::Written)
        return refused;
    const ByteRun run{fileOffset, encodeForWriting(text, compress)};
    const WriteStatus status = rom.write(std::span<const ByteRun>(&run, 1));
    return {status == WriteStatus::Written ? ApplyOutcome::Written : ApplyOutcome::WriteFailed, status};
}

const char* applyMessage(const ApplyResult& result)
{
    switch (result.outcome) {
    case ApplyOutcome::Written: return nullptr;
    case ApplyOutcome::BracketError: return messages::BracketError;
    case ApplyOutcome::TooLarge: return messages::TextTooLarge;
    case ApplyOutcome::WriteFailed: return writeStatusMessage(result.write);
    }
    return nullptr;
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
