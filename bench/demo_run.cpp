// Whole headless runs of the osk program: frames per second of wall time for
// 10 000 frames of each wave (virtual clock, no dumps), the same with every
// teaching aid on, and the time from process start to the first screen
// refresh.
//
// The program is found next to this one's directory (<build>/osk), or at
// $OSK_BINARY.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path OskBinary() {
    if (const char* env = std::getenv("OSK_BINARY")) return env;
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "osk";
}

pid_t Spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The buttons, by their keys (a click at the button's centre).
constexpr const char* kClickLongitudinal = "key l\n";
constexpr const char* kClickTransversal = "key t\n";
constexpr const char* kClickGo = "key space\n";

// 10 000 running frames: the clock moves by the frame period (plus the
// millisecond past it) per frame.
void RunFrames(benchmark::State& state, const char* enter, double secondsPerFrame, const char* aids = nullptr) {
    TempDir scratch;
    const fs::path script = scratch.path() / "run.osk";
    const int frames = 10000;
    {
        std::ofstream out(script);
        out << enter << kClickGo << "wait " << frames * secondsPerFrame << "\nclose\n";
    }
    for (auto _ : state) {
        std::vector<std::string> args = {OskBinary().string(), "--headless", "--script", script.string()};
        if (aids) args.insert(args.end(), {"--aids", aids});
        const pid_t pid = Spawn(args);
        if (pid < 0 || Wait(pid) != 0) {
            state.SkipWithError("osk did not run");
            return;
        }
    }
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(frames) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_LongitudinalRun10000Frames(benchmark::State& state) {
    RunFrames(state, kClickLongitudinal, 0.051);
}
void BM_TransversalRun10000Frames(benchmark::State& state) {
    RunFrames(state, kClickTransversal, 0.041);
}

// Every aid: marks, wavelength, graph, both chains.
constexpr const char* kEveryAid = "mark=12+30+41+55,wavelength,graph,both";
void BM_LongitudinalRun10000FramesEveryAid(benchmark::State& state) {
    RunFrames(state, kClickLongitudinal, 0.051, kEveryAid);
}
void BM_TransversalRun10000FramesEveryAid(benchmark::State& state) {
    RunFrames(state, kClickTransversal, 0.041, kEveryAid);
}

// From the spawn until the first refresh's dump appears.
void BM_StartToFirstRefresh(benchmark::State& state) {
    TempDir scratch;
    const fs::path script = scratch.path() / "start.osk";
    {
        std::ofstream out(script);
        out << "close\n";
    }
    for (auto _ : state) {
        const fs::path dump = scratch.path() / "dump";
        std::error_code ec;
        fs::remove_all(dump, ec);
        const fs::path first = dump / "refresh-00001.bmp";
        const auto t0 = std::chrono::steady_clock::now();
        const pid_t pid = Spawn({OskBinary().string(), "--headless", "--script", script.string(), "--dump",
                                 dump.string()});
        if (pid < 0) {
            state.SkipWithError("osk did not start");
            return;
        }
        struct stat st;
        while (stat(first.c_str(), &st) != 0) {
            if (std::chrono::steady_clock::now() - t0 > std::chrono::seconds(10)) break;
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        const auto t1 = std::chrono::steady_clock::now();
        Wait(pid);
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
}

}  // namespace

BENCHMARK(BM_LongitudinalRun10000Frames)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_TransversalRun10000Frames)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_LongitudinalRun10000FramesEveryAid)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_TransversalRun10000FramesEveryAid)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_StartToFirstRefresh)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
