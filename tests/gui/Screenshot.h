#pragma once

#include <QDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace scrivlet::testing {

// Saves what the widget shows as NAME.png among the build's screenshots
// (SCRIVLET_SCREENSHOT_DIR when set), for a person to look at.
inline void saveScreenshot(QWidget* widget, const char* name)
{
    const QString folder = qEnvironmentVariableIsEmpty("SCRIVLET_SCREENSHOT_DIR")
        ? QString(SCRIVLET_SCREENSHOT_DEFAULT)
        : qEnvironmentVariable("SCRIVLET_SCREENSHOT_DIR");
    QDir().mkpath(folder);
    EXPECT_TRUE(widget->grab().save(folder + "/" + name + ".png")) << name;
}

} // namespace scrivlet::testing
