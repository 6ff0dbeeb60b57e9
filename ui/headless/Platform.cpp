#include "HeadlessPlatform.h"

#include <stdexcept>

namespace scrivlet::ui {

int HeadlessPlatform::runModal(int templateId, DialogHandler& handler, Window& owner)
{
    (void)owner;
    const DialogTemplate* dialogTemplate = findDialogTemplate(templateId);
    if (!dialogTemplate)
        throw std::invalid_argument("no dialog template " + std::to_string(templateId));
    modalTemplatesRun.push_back(templateId);
    HeadlessWindow window(*dialogTemplate, handler);
    handler.attach(window);
    handler.onInitDialog();
    if (!drivers.empty()) {
        Driver driver = std::move(drivers.front());
        drivers.pop_front();
        if (!window.ended())
            driver(window);
    }
    if (!window.ended())
        window.pressEscape();
    modalMessages.insert(modalMessages.end(), window.messages.begin(), window.messages.end());
    return window.endResult();
}

std::unique_ptr<HeadlessWindow> HeadlessPlatform::openMain(int templateId, DialogHandler& handler)
{
    auto window = std::make_unique<HeadlessWindow>(*findDialogTemplate(templateId), handler);
    handler.attach(*window);
    handler.onInitDialog();
    return window;
}

} // namespace scrivlet::ui
