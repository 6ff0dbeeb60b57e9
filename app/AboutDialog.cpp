#include "AboutDialog.h"

#include "resources/ResourceIds.h"
#include "ui/DataExchange.h"

#include <array>
#include <cstdlib>
#include <ctime>

namespace scrivlet {

namespace {
constexpr std::array<const char*, 10> Taunts = {
    "I am the demon child!",
    "Your soul is mine!",
    "This About box will be your final resting place!",
    "Boo!",
    "You inferior mortal!",
    "I have the power to move windows!",
    "No one can come close to my superiority!",
    "Continue to click me, and you shall be destroyed!",
    "Okely dokely!",
    "This is CNN.",
};
} // namespace

AboutDialog::AboutDialog(Random random) : random_(std::move(random))
{
    if (!random_) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        random_ = [] { return std::rand(); };
    }
    clickCount_ = 0;
}

void AboutDialog::onNotify(int controlId, ui::Notification notification)
{
    if (controlId != ids::AboutPicture || notification != ui::Notification::Click)
        return;
    if (clickCount_ == 0) {
        window_->setCaption("Quorbel has possessed this About box!");
        clickCount_ = 1;
    } else {
        window_->setCaption(Taunts[static_cast<std::size_t>(random_() % 10)]);
    }
    const int top = random_() % 200;
    const int left = random_() % 200;
    window_->moveTo(left, top);
}

void AboutDialog::onCommand(int id)
{
    if (id == ui::IdOk || id == ui::IdCancel)
        window_->endDialog(id);
}

void GizmoDialog::onCommand(int id)
{
    if (id == ui::IdOk || id == ui::IdCancel)
        window_->endDialog(id);
}

} // namespace scrivlet
