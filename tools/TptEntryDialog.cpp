#include "TptEntryDialog.h"

#include "catalogue/TptRecord.h"
#include "resources/ResourceIds.h"

#include <cstdio>

namespace scrivlet {

void TptEntryDialog::setEntry(std::uint32_t address, int spriteNumber, int movementNumber)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%X", address);
    addressText_ = digits;
    spriteValue_ = spriteNumber;
    movementValue_ = movementNumber;
}

std::uint32_t TptEntryDialog::parsedAddress() const { return parseAddressText(addressText_.c_str()); }

void TptEntryDialog::onInitDialog()
{
    ui::ExchangeDialog::onInitDialog();
    window_->setEditLimit(ids::TptAddressEdit, TptAddressMaxChars);
}

void TptEntryDialog::exchange(ui::DataExchange& dx)
{
    dx.text(ids::TptAddressEdit, addressText_, TptAddressMaxChars);
    dx.integer(ids::TptSpriteEdit, spriteValue_, 0, TptSpriteMax);
    dx.integer(ids::TptMovementEdit, movementValue_, 0, TptMovementMax);
}

void TptEntryDialog::onOk()
{
    ui::DataExchange dx(*window_, true);
    exchange(dx);
    if (dx.failed())
        return;
    applied_ = true;
    window_->endDialog(ui::IdOk);
}

} // namespace scrivlet
