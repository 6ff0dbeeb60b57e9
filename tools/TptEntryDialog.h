#pragma once

#include "ui/DataExchange.h"

#include <cstdint>
#include <string>

namespace scrivlet {

// Edits the address, sprite number and movement number of one pointer-table record.
class TptEntryDialog : public ui::ExchangeDialog {
public:
    void setEntry(std::uint32_t address, int spriteNumber, int movementNumber);
    std::uint32_t parsedAddress() const;
    int spriteValue() const { return spriteValue_; }
    int movementValue() const { return movementValue_; }
    bool wasApplied() const { return applied_; }

    void onInitDialog() override;
    void exchange(ui::DataExchange& dx) override;
    void onOk() override;

private:
    std::string addressText_;
    int spriteValue_ = 0;
    int movementValue_ = 0;
    bool applied_ = false;
};

} // namespace scrivlet
