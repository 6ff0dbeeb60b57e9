#include "QtPlatform.h"

#include "QtBackend.h"
#include "QtWindow.h"

// The pictures and the help file live in a static library: pull them in.
static void initResources() { Q_INIT_RESOURCE(scrivlet); }

namespace scrivlet::ui {

QtPlatform::QtPlatform() { initResources(); }

int QtPlatform::runModal(int templateId, DialogHandler& handler, Window& owner)
{
    const DialogTemplate* t = findDialogTemplate(templateId);
    if (!t)
        return IdCancel;
    QtWindow window(*t, handler, static_cast<QtWindow&>(owner).widget());
    handler.attach(window);
    handler.onInitDialog();
    return window.exec();
}

int QtPlatform::runMain(int templateId, DialogHandler& handler)
{
    QtWindow window(*findDialogTemplate(templateId), handler, nullptr);
    handler.attach(window);
    handler.onInitDialog();
    return window.exec();
}

} // namespace scrivlet::ui
