// Whole runs of the command-line tool, start to exit, next to its own start-up
// floor (identify) and to cp copying the dump's text.
#include "BenchImages.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

using namespace scrivlet::bench;

namespace {

// Runs a program to its end with standard output sent to `output`.
bool run(const std::vector<std::string>& words, const std::string& output)
{
    std::vector<char*> argv;
    for (const std::string& w : words)
        argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const bool started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return started && waitpid(pid, &status, 0) == pid && WIFEXITED(status);
}

void BM_Cli(benchmark::State& state, BenchImage image, std::vector<std::string> words)
{
    const std::string& rom = benchImagePath(image);
    std::vector<std::string> command{SCRIVLET_CLI_PATH, words[0], rom};
    command.insert(command.end(), words.begin() + 1, words.end());
    const auto folder = std::filesystem::temp_directory_path();
    std::filesystem::current_path(folder); // the dump's file goes here
    for (auto _ : state)
        if (!run(command, "/dev/null"))
            state.SkipWithError("the command did not run");
    state.SetLabel(benchImageName(image));
}

// cp of the dense image's dump text: the floor for writing 67 MB.
void BM_CopyDumpText(benchmark::State& state)
{
    const auto folder = std::filesystem::temp_directory_path();
    const std::string text = (folder / "scrivlet-bench-dump.txt").string();
    run({SCRIVLET_CLI_PATH, "dump", benchImagePath(BenchImage::DenseDictionary), "--output", text}, "/dev/null");
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(text));
    for (auto _ : state)
        run({"cp", text, (folder / "scrivlet-bench-copy.txt").string()}, "/dev/null");
}

BENCHMARK_CAPTURE(BM_Cli, identify, BenchImage::Worst, {"identify"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, list_expanded_8000_rows, BenchImage::Worst, {"list", "--source", "expanded"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, list_dense, BenchImage::DenseDictionary, {"list"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, search_dense_no_match, BenchImage::DenseDictionary, {"search", "no such words"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, refs_expanded_8000_rows, BenchImage::Worst, {"refs", "--row", "1", "--source", "expanded", "--codes", "game"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, refs_dense, BenchImage::DenseDictionary, {"refs", "--row", "1", "--codes", "game"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, fit_expanded_8000_rows, BenchImage::Worst, {"fit", "--source", "expanded"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, fit_dense, BenchImage::DenseDictionary, {"fit"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, fit_sample, BenchImage::Sample, {"fit"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cli, dump_dense, BenchImage::DenseDictionary, {"dump", "--output", "scrivlet-bench-dump-out.txt"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyDumpText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
