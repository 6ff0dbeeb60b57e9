#include "QtBackend.h"
#include "QtWindow.h"
#include "ui/HelpTopics.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace scrivlet::ui {

// The help file's topic finder: a list of topics and a search field over them.
HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent)
{
    setObjectName("helpviewer");
    setWindowTitle("Scrivlet Help Topics");
    resize(720, 460);
    QFile file(":/help/help.md");
    file.open(QIODevice::ReadOnly);
    const QString all = QString::fromUtf8(file.readAll());

    QStringList titles, bodies;
    for (const HelpTopic& topic : splitHelpTopics(all.toStdString())) {
        titles << QString::fromStdString(topic.title);
        bodies << QString::fromStdString(topic.body);
    }

    auto* search = new QLineEdit(this);
    search->setObjectName("helpsearch");
    search->setPlaceholderText("Type a word to find the topics that mention it");
    auto* topics = new QListWidget(this);
    topics->setObjectName("helptopics");
    topics->addItems(titles);
    auto* page = new QTextBrowser(this);
    page->setObjectName("helppage");

    auto* left = new QVBoxLayout;
    left->addWidget(search);
    left->addWidget(topics);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(page, 2);

    connect(topics, &QListWidget::currentRowChanged, this, [=](int row) {
        if (row >= 0 && row < bodies.size())
            page->setPlainText(titles[row] + "\n\n" + bodies[row]);
    });
    connect(search, &QLineEdit::textChanged, this, [=](const QString& word) {
        for (int i = 0; i < topics->count(); ++i)
            topics->item(i)->setHidden(!word.isEmpty() && !titles[i].contains(word, Qt::CaseInsensitive)
                && !bodies[i].contains(word, Qt::CaseInsensitive));
    });
    topics->setCurrentRow(0);
}

void QtWindow::showHelpTopics()
{
    HelpViewer viewer(dialog_);
    viewer.exec();
}

} // namespace scrivlet::ui
