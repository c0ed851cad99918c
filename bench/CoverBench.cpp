// Times tageditor-cli's `show` of an MP3 whose tag (ID3v2.3, and ID3v2.4 as most taggers write
// now) carries a 2 MB front cover beside `show` of the same file without it: as a whole process,
// start-up included, which is what a script waits for (goal: at most twice as long), and inside the
// process, which shows what the cover itself costs.
#include "CCliArguments.h"
#include "CTagCli.h"
#include "MedianRatioReporter.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kAudioFrames = 3 * 1024 * 1024 / 417;
constexpr std::size_t kCoverBytes = 2 * 1024 * 1024;

// A baseline JPEG's start: the start-of-image marker and a 600x600 frame header, then data.
Mp3Builder::Bytes Jpeg() {
    Mp3Builder::Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x02, 0x58, 0x02, 0x58,
                              0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01};
    for (std::size_t i = 0; jpeg.size() < kCoverBytes - 2; ++i)
        jpeg.push_back(static_cast<std::uint8_t>((i * 7919) >> 3));
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    return jpeg;
}

Mp3Builder BenchFile(bool withCover, int major = 3) {
    Mp3Builder file;
    file.Version(major)
        .TextFrame("TIT2", "A title of moderate length")
        .TextFrame("TPE1", "An artist")
        .TextFrame("TALB", "An album")
        .TextFrame("TYER", "1999")
        .CommentFrame("", "A comment")
        .TextFrame("TCON", "(17)");
    if (withCover) {
        Mp3Builder::Bytes body = {0x00};
        for (char c : std::string("image/jpeg"))
            body.push_back(static_cast<std::uint8_t>(c));
        body.insert(body.end(), {0x00, 0x03, 0x00});
        const Mp3Builder::Bytes jpeg = Jpeg();
        body.insert(body.end(), jpeg.begin(), jpeg.end());
        file.Frame("APIC", body);
    }
    return file.Padding(1024).AudioFrames(kAudioFrames);
}

struct BenchFiles {
    BenchFiles() {
        BenchFile(true).WriteTo(withCover);
        BenchFile(false).WriteTo(withoutCover);
        BenchFile(true, 4).WriteTo(withCoverV24);
        BenchFile(false, 4).WriteTo(withoutCoverV24);
    }
    ScratchDir dir;
    std::string withCover = dir.File("with-cover.mp3");
    std::string withoutCover = dir.File("without-cover.mp3");
    std::string withCoverV24 = dir.File("with-cover-v24.mp3");
    std::string withoutCoverV24 = dir.File("without-cover-v24.mp3");
};

BenchFiles& Files() {
    static BenchFiles files;
    return files;
}

void ShowProcess(benchmark::State& state, const std::string& path) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = TAGEDITOR_CLI_PATH, command = "show", file = path;
    char* argv[] = {program.data(), command.data(), file.data(), nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("tageditor-cli could not be started");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("tageditor-cli show failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void ShowInProcess(benchmark::State& state, const std::string& path) {
    const CCliArguments arguments = CCliArguments::Parse({"show", path});
    for (auto _ : state) {
        std::ostringstream out, err;
        CTagCli cli(out, err);
        benchmark::DoNotOptimize(cli.Run(arguments));
    }
}

void ShowProcessWithCover(benchmark::State& state) {
    ShowProcess(state, Files().withCover);
}

void ShowProcessWithoutCover(benchmark::State& state) {
    ShowProcess(state, Files().withoutCover);
}

void ShowProcessWithCoverV24(benchmark::State& state) {
    ShowProcess(state, Files().withCoverV24);
}

void ShowProcessWithoutCoverV24(benchmark::State& state) {
    ShowProcess(state, Files().withoutCoverV24);
}

void ShowWithCover(benchmark::State& state) {
    ShowInProcess(state, Files().withCover);
}

void ShowWithoutCover(benchmark::State& state) {
    ShowInProcess(state, Files().withoutCover);
}

void Configure(benchmark::internal::Benchmark* bench) {
    bench->Repetitions(11)->MinTime(0.2)->UseRealTime()->ReportAggregatesOnly(true)->Unit(
        benchmark::kMicrosecond);
}

BENCHMARK(ShowProcessWithCover)->Apply(Configure);
BENCHMARK(ShowProcessWithoutCover)->Apply(Configure);
BENCHMARK(ShowProcessWithCoverV24)->Apply(Configure);
BENCHMARK(ShowProcessWithoutCoverV24)->Apply(Configure);
BENCHMARK(ShowWithCover)->Apply(Configure);
BENCHMARK(ShowWithoutCover)->Apply(Configure);

} // namespace

int main(int argc, char** argv) {
    MedianRatioReporter::InitializeInterleaved(argc, argv);
    MedianRatioReporter reporter({
        {"show as a process: 2 MB cover beside none", "ShowProcessWithCover",
         "ShowProcessWithoutCover", 2.0},
        {"the same, in an ID3v2.4 tag", "ShowProcessWithCoverV24", "ShowProcessWithoutCoverV24",
         2.0},
        // Reading a 2 MB tag cannot cost as little as reading a small one; this shows the
        // share of the cover alone, with no goal of its own.
        {"show in the process: 2 MB cover beside none", "ShowWithCover", "ShowWithoutCover", 0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
