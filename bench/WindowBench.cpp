// The window's slow moments, through the headless backend (the handlers and
// the core alone) and through Qt on the offscreen platform (with the real list
// view and edit box): a switch to an 8000-row listing, File > Open of the dense
// dictionary image, a click on a row of 48,000 characters and a Backspace in it.
#include "BenchImages.h"
#include "app/MainDialog.h"
#include "resources/ResourceIds.h"
#include "text/GameFont.h"
#include "tools/FontPictures.h"
#include "ui/headless/HeadlessPlatform.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#ifdef SCRIVLET_BENCH_QT
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtWindow.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#endif

using namespace scrivlet;
using namespace scrivlet::bench;

namespace {

ui::FileChoice choiceOf(BenchImage image)
{
    const std::string& path = benchImagePath(image);
    return {path, std::filesystem::path(path).filename().string()};
}

struct HeadlessMain {
    ui::HeadlessPlatform platform;
    MainDialog dialog{platform};
    std::unique_ptr<ui::HeadlessWindow> window = platform.openMain(ids::MainDialogTemplate, dialog);

    void open(BenchImage image)
    {
        window->fileAnswers.push_back(choiceOf(image));
        window->chooseMenu(ids::FileOpen);
    }
};

void BM_HeadlessSwitchToExpandedListing(benchmark::State& state)
{
    HeadlessMain main;
    main.open(BenchImage::Worst);
    for (auto _ : state) {
        state.PauseTiming();
        main.window->chooseMenu(ids::OptionsPointerListing);
        state.ResumeTiming();
        main.window->chooseMenu(ids::OptionsExpandedListing);
    }
    state.counters["rows"] = main.window->listRowCount(ids::ListView);
}
BENCHMARK(BM_HeadlessSwitchToExpandedListing)->Unit(benchmark::kMillisecond);

void BM_HeadlessOpenDense(benchmark::State& state)
{
    HeadlessMain main;
    for (auto _ : state)
        main.open(BenchImage::DenseDictionary);
    state.counters["shown_chars"] = static_cast<double>(main.window->controlText(ids::EditBox).size());
}
BENCHMARK(BM_HeadlessOpenDense)->Unit(benchmark::kMillisecond);

#ifdef SCRIVLET_BENCH_QT

struct QtMain {
    ui::QtPlatform platform;
    MainDialog dialog{platform};
    std::unique_ptr<ui::QtWindow> window;

    QtMain()
    {
        window = std::make_unique<ui::QtWindow>(*ui::findDialogTemplate(ids::MainDialogTemplate), dialog, nullptr);
        dialog.attach(*window);
        dialog.onInitDialog();
        window->widget()->show();
    }
    void command(int id)
    {
        window->widget()->findChild<QAction*>(QString("command-%1").arg(id))->trigger();
        settle();
    }
    void open(BenchImage image)
    {
        ui::QtWindow::setNextFileChoice(choiceOf(image));
        command(ids::FileOpen);
    }
    // Lets the window lay out and paint what changed, as a frame on screen would.
    void settle()
    {
        QApplication::processEvents();
        window->widget()->repaint();
        edit()->viewport()->repaint();
    }
    QTreeWidget* list() const { return static_cast<QTreeWidget*>(window->control(ids::ListView)); }
    QPlainTextEdit* edit() const { return static_cast<QPlainTextEdit*>(window->control(ids::EditBox)); }
};

void BM_QtSwitchToExpandedListing(benchmark::State& state)
{
    QtMain main;
    main.open(BenchImage::Worst);
    for (auto _ : state) {
        state.PauseTiming();
        main.command(ids::OptionsPointerListing);
        state.ResumeTiming();
        main.command(ids::OptionsExpandedListing);
    }
    state.counters["rows"] = main.list()->topLevelItemCount();
}
BENCHMARK(BM_QtSwitchToExpandedListing)->Unit(benchmark::kMillisecond);

void BM_QtOpenDense(benchmark::State& state)
{
    QtMain main;
    for (auto _ : state)
        main.open(BenchImage::DenseDictionary);
}
BENCHMARK(BM_QtOpenDense)->Unit(benchmark::kMillisecond);

// The font window's two pictures drawn from a 128-glyph font and shown in a
// picture control, painted: the cost of choosing a glyph or drawing a pixel.
void BM_QtFontPictures(benchmark::State& state)
{
    QtMain main;
    main.open(BenchImage::Sample);
    main.command(ids::OptionsShowPreview);
    const GameFont font = readGameFont(main.dialog.romFile);
    int chosen = 0;
    for (auto _ : state) {
        main.window->setControlPicture(ids::PreviewPane, fontGridPicture(font, FontGlyphSlots, chosen));
        main.window->setControlPicture(ids::PreviewPane, largeGlyphPicture(font.glyphs[static_cast<std::size_t>(chosen)], 6));
        main.window->control(ids::PreviewPane)->repaint();
        chosen = (chosen + 1) % FontGlyphSlots;
    }
}
BENCHMARK(BM_QtFontPictures)->Unit(benchmark::kMillisecond);

void BM_QtClickLongRow(benchmark::State& state)
{
    QtMain main;
    main.open(BenchImage::DenseDictionary);
    int row = 0;
    for (auto _ : state) {
        row = 1 - row; // rows 0 and 1 show different 48,000-character blocks
        const QRect rect = main.list()->visualItemRect(main.list()->topLevelItem(row));
        QTest::mouseClick(main.list()->viewport(), Qt::LeftButton, {}, rect.center());
        main.settle();
    }
    state.counters["shown_chars"] = static_cast<double>(main.edit()->document()->characterCount());
}
BENCHMARK(BM_QtClickLongRow)->Unit(benchmark::kMillisecond);

void BM_QtBackspaceInLongRow(benchmark::State& state)
{
    QtMain main;
    main.open(BenchImage::DenseDictionary);
    main.edit()->setFocus();
    main.edit()->moveCursor(QTextCursor::End);
    main.settle();
    for (auto _ : state) {
        QTest::keyClick(main.edit(), Qt::Key_Backspace);
        main.settle();
    }
}
BENCHMARK(BM_QtBackspaceInLongRow)->Unit(benchmark::kMillisecond);

// A key typed into a 4000-byte text of the sample (which has a font), with the
// preview (argument 1) or without: the size line, the marks and the picture follow it.
void BM_QtKeystrokeWithPreview(benchmark::State& state)
{
    QtMain main;
    main.open(BenchImage::Sample);
    if (state.range(0))
        main.command(ids::OptionsShowPreview);
    QString text;
    while (text.size() < 3990)
        text += "@How are you feeling today?[03][00]";
    main.edit()->setPlainText(text.left(3990) + "[02]");
    main.edit()->setFocus();
    main.edit()->moveCursor(QTextCursor::Start);
    main.settle();
    int key = 0;
    for (auto _ : state) {
        QTest::keyClick(main.edit(), (key++ & 1) ? Qt::Key_Backspace : Qt::Key_A);
        main.settle();
        if (state.range(0))
            main.window->control(ids::PreviewPane)->repaint();
    }
    state.SetLabel(state.range(0) ? "preview" : "no preview");
}
BENCHMARK(BM_QtKeystrokeWithPreview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

#endif

} // namespace

int main(int argc, char** argv)
{
#ifdef SCRIVLET_BENCH_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
