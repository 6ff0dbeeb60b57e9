// The open-file dialog: the program's filter as Qt's name filters, and the
// chosen file's folder left as the current directory.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <deque>

namespace scrivlet::ui {

namespace {

std::deque<FileChoice>& nextFileChoices()
{
    static std::deque<FileChoice> choices;
    return choices;
}

} // namespace

// "Name|pattern|Name|pattern||" as Qt's name filters. Each name is shown as
// given ("All Files (*.*)"); the patterns Qt filters by follow it in
// parentheses of their own, which the dialog hides.
QStringList QtWindow::fileDialogFilters(const std::string& filter)
{
    const QStringList parts = QString::fromLatin1(filter.c_str()).split('|', Qt::SkipEmptyParts);
    QStringList choices;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        if (patterns.trimmed() == "*.*")
            patterns = "*";
        choices << parts[i] + " (" + patterns.simplified() + ")";
    }
    return choices;
}

void QtWindow::setNextFileChoice(const FileChoice& choice) { nextFileChoices().push_back(choice); }

FileChoice QtWindow::chooseFileToOpen(const std::string& filter)
{
    QString path;
    if (!nextFileChoices().empty()) {
        path = QString::fromStdString(nextFileChoices().front().path);
        nextFileChoices().pop_front();
    } else {
        QFileDialog chooser(dialog_, "Open");
        chooser.setObjectName("open-file-dialog");
        chooser.setFileMode(QFileDialog::ExistingFile);
        chooser.setAcceptMode(QFileDialog::AcceptOpen);
        chooser.setOptions(QFileDialog::HideNameFilterDetails | QFileDialog::DontUseNativeDialog);
        chooser.setNameFilters(fileDialogFilters(filter));
        if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
            path = chooser.selectedFiles().front();
    }
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    QDir::setCurrent(info.absolutePath());
    return {QDir::toNativeSeparators(info.absoluteFilePath()).toStdString(), info.fileName().toStdString()};
}

} // namespace scrivlet::ui
