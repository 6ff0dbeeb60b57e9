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

std::deque<FileChoice>& nextSaveChoices()
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
void QtWindow::setNextSaveChoice(const FileChoice& choice) { nextSaveChoices().push_back(choice); }

FileChoice QtWindow::chooseFileToOpen(const std::string& filter, const std::string& title)
{
    QString path;
    if (!nextFileChoices().empty()) {
        path = QString::fromStdString(nextFileChoices().front().path);
        nextFileChoices().pop_front();
    } else {
        QFileDialog chooser(dialog_, title.empty() ? QString("Open") : toUiText(title));
        chooser.setObjectName("open-file-dialog");
        chooser.setFileMode(QFileDialog::ExistingFile);
        chooser.setAcceptMode(QFileDialog::AcceptOpen);
        chooser.setOptions(QFileDialog::HideNameFilterDetails | QFileDialog::DontUseNativeDialog);
        chooser.setNameFilters(fileDialogFilters(filter));
        if (!fileDialogFolder_.empty())
            chooser.setDirectory(toUiText(fileDialogFolder_));
        if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
            path = chooser.selectedFiles().front();
    }
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    QDir::setCurrent(info.absolutePath());
    return {QDir::toNativeSeparators(info.absoluteFilePath()).toStdString(), info.fileName().toStdString()};
}

FileChoice QtWindow::chooseFileToSave(const std::string& filter, const std::string& title, const std::string& suggested)
{
    if (!nextSaveChoices().empty()) {
        const FileChoice choice = nextSaveChoices().front();
        nextSaveChoices().pop_front();
        return choice;
    }
    QFileDialog chooser(dialog_, toUiText(title));
    chooser.setObjectName("save-file-dialog");
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks itself before it replaces a file.
    chooser.setOptions(QFileDialog::HideNameFilterDetails | QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    const QStringList filters = fileDialogFilters(filter);
    chooser.setNameFilters(filters);
    const QFileInfo start(QString::fromStdString(suggested));
    if (start.isAbsolute())
        chooser.setDirectory(start.absolutePath());
    chooser.selectFile(start.fileName());
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return {};
    const QFileInfo info(chooser.selectedFiles().front());
    return {QDir::toNativeSeparators(info.absoluteFilePath()).toStdString(), info.fileName().toStdString(),
        static_cast<int>(std::max<qsizetype>(0, filters.indexOf(chooser.selectedNameFilter())))};
}

} // namespace scrivlet::ui
