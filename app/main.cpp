#include "CommandLine.h"
#include "MainDialog.h"

#include "resources/ResourceIds.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtSettings.h"

#include <QApplication>
#include <QIcon>

#include <csignal>
#include <cstring>

int main(int argc, char** argv)
{
    // Past a file-size limit a write is to fail and be reported, not to end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // Asked to serve as an embedded or automation object: there is nothing to
    // serve, so end at once. A file named on the command line is opened.
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        if (*word == '-' || *word == '/')
            ++word;
        if (std::strcmp(word, "Embedding") == 0 || std::strcmp(word, "Automation") == 0)
            return 0;
    }
    QApplication app(argc, argv);
    QIcon icon(":/art/icon-32.png");
    icon.addFile(":/art/icon-16.png");
    QApplication::setWindowIcon(icon);

    scrivlet::ui::QtPlatform platform;
    scrivlet::ui::QtSettings remembered; // recent files, between runs
    platform.useSettings(remembered);
    scrivlet::MainDialog dialog(platform);
    std::vector<std::string> words; // what Qt left of the command line, as UTF-8
    for (const QString& word : QApplication::arguments())
        words.push_back(word.toStdString());
    dialog.startupFiles = scrivlet::filesFromCommandLine(words, false);
    platform.runMain(scrivlet::ids::MainDialogTemplate, dialog);
    return 0;
}
