// Times the program's tag operations on a 5 MB MP3 beside raw id3lib doing the same minimal
// work: loading (link + the six values), loading the same tag written as ID3v2.4 with UTF-8
// texts beside it as ID3v2.3, the inspector alone beside id3lib's Link, and a Save whose tag
// fits the file's padding and one whose tag must grow.
//
// A tag that fits is written in place under a rollback journal: the journal and the file are
// each synced once, and the file is read back. Raw Update overwrites the tag in place too but
// never syncs, so that Save is also set beside raw Update followed by the two syncs alone, and
// beside the same Save on a 200 MB file, whose cost must not grow with the file. A tag that
// grows makes the program write a whole new file beside the old one, sync it, read it back
// and rename it into place; raw Update rewrites the file without syncing. That Save is timed on
// a 200 MB file too, whose cost grows with the file.
#include "CTagFile.h"
#include "Id3Inspector.h"
#include "MedianRatioReporter.h"
#include "Mp3Builder.h"
#include "ProgramLoad.h"
#include "ScratchDir.h"

#include <benchmark/benchmark.h>
#include <id3/misc_support.h>
#include <id3/tag.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kAudioFramesPerMB = 1024 * 1024 / 417;
const TagFields kForm{"Bench Title", "Bench Artist", "Bench Album", "2024", "Bench comment"};
// Longer than every text of the file, so that a tag without padding must grow.
const TagFields kLongForm{"A title that fills all the room", "An artist who fills the room too",
                          "An album with the longest name", "2024", "A comment of 28 characters!"};
constexpr unsigned kGenre = 17;

// An MP3 of MEGABYTES with a ten-frame ID3v2.3 tag, room to spare in its padding (or none),
// and an ID3v1 tag; or the same tag as ID3v2.4 writes it, texts in UTF-8.
Mp3Builder BenchFile(std::size_t padding = 2048, int major = 3, int megabytes = 5) {
    Mp3Builder file;
    file.Version(major);
    const auto text = [&file, major](const char* id, const char* value) {
        if (major == 4)
            file.Utf8TextFrame(id, value);
        else
            file.TextFrame(id, value);
    };
    text("TIT2", "A title of moderate length");
    text("TPE1", "An artist");
    text("TALB", "An album");
    text(major == 4 ? "TDRC" : "TYER", "1999");
    file.CommentFrame("", "A comment");
    text("TCON", major == 4 ? "17" : "(17)");
    text("TRCK", "3/12");
    text("TPE2", "A band");
    text("TCOM", "A composer");
    text("TENC", "An encoder");
    return file.Padding(padding)
        .AudioFrames(megabytes * kAudioFramesPerMB)
        .Id3v1({"A title", "An artist", "An album", "1999", "A comment", 17, 3});
}

class BenchFiles {
public:
    BenchFiles() {
        // The Saves' journals stay with the files, on the same disk, and go with them.
        ::setenv("XDG_STATE_HOME", dir.Path().c_str(), 1);
        const Mp3Builder file = BenchFile();
        file.WriteTo(ours);
        file.WriteTo(raw);
        file.WriteTo(rawSynced);
        BenchFile(2048, 3, 200).WriteTo(large);
        BenchFile(0).WriteTo(tight);
        BenchFile(0, 3, 200).WriteTo(largeTight);
        BenchFile(2048, 4).WriteTo(version24);
    }
    ScratchDir dir;
    std::string ours = dir.File("ours.mp3");
    std::string large = dir.File("large.mp3"); // 200 MB
    std::string raw = dir.File("raw.mp3");
    std::string rawSynced = dir.File("raw-synced.mp3");
    std::string tight = dir.File("tight.mp3"); // copied over the file each growing Save uses
    std::string largeTight = dir.File("large-tight.mp3"); // the same, 200 MB
    std::string growing = dir.File("growing.mp3");
    std::string version24 = dir.File("version24.mp3");
};

BenchFiles& Files() {
    static BenchFiles files;
    return files;
}

void AddFields(ID3_Tag& tag, const TagFields& form) {
    ID3_AddArtist(&tag, form.artist.c_str(), true);
    ID3_AddAlbum(&tag, form.album.c_str(), true);
    ID3_AddTitle(&tag, form.title.c_str(), true);
    ID3_AddYear(&tag, form.year.c_str(), true);
    ID3_AddComment(&tag, form.comment.c_str(), "", true);
    ID3_AddGenre(&tag, kGenre, true);
}

void LoadProgram(benchmark::State& state) {
    ProgramLoad(state, Files().ours);
}

void LoadProgramVersion24(benchmark::State& state) {
    ProgramLoad(state, Files().version24);
}

void LoadRawId3lib(benchmark::State& state) {
    ID3_Tag tag;
    for (auto _ : state) {
        tag.Clear();
        tag.Link(Files().raw.c_str(), ID3TT_ID3V2);
        std::string texts[5];
        ID3_Tag::Iterator* frames = tag.CreateIterator();
        while (ID3_Frame* frame = frames->GetNext()) {
            int field = -1;
            switch (frame->GetID()) {
            case ID3FID_TITLE:
                field = 0;
                break;
            case ID3FID_LEADARTIST:
                field = 1;
                break;
            case ID3FID_ALBUM:
                field = 2;
                break;
            case ID3FID_YEAR:
                field = 3;
                break;
            case ID3FID_COMMENT:
                field = 4;
                break;
            default:
                break;
            }
            if (field < 0)
                continue;
            char* text = ID3_GetString(frame, ID3FN_TEXT);
            texts[field] = text ? text : "";
            delete[] text;
        }
        ::operator delete(static_cast<void*>(frames));
        std::size_t genre = ID3_GetGenreNum(&tag);
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(genre);
    }
}

void InspectProgram(benchmark::State& state) {
    for (auto _ : state) {
        TagInspection inspection = Id3Inspector::Inspect(Files().ours);
        benchmark::DoNotOptimize(inspection);
    }
}

void LinkRawId3lib(benchmark::State& state) {
    ID3_Tag tag;
    for (auto _ : state) {
        tag.Clear();
        tag.Link(Files().raw.c_str(), ID3TT_ID3V2);
    }
}

// Each run starts from a fresh copy of TIGHT, a file whose tag has no padding; only the Save
// counts.
void RestoreTightFile(benchmark::State& state, const std::string& tight) {
    state.PauseTiming();
    std::filesystem::copy_file(tight, Files().growing,
                               std::filesystem::copy_options::overwrite_existing);
}

void SaveGrowing(benchmark::State& state, const std::string& tight) {
    CTagFile tag;
    for (auto _ : state) {
        RestoreTightFile(state, tight);
        tag.Link(Files().growing);
        state.ResumeTiming();
        SaveResult result = tag.Save(kLongForm, kGenre);
        if (!result.Saved())
            state.SkipWithError(result.reason.c_str());
    }
}

void SaveGrowingProgram(benchmark::State& state) {
    SaveGrowing(state, Files().tight);
}

void SaveGrowingProgram200MB(benchmark::State& state) {
    SaveGrowing(state, Files().largeTight);
}

void SaveGrowingRawId3lib(benchmark::State& state) {
    ID3_Tag tag;
    for (auto _ : state) {
        RestoreTightFile(state, Files().tight);
        tag.Clear();
        tag.Link(Files().growing.c_str(), ID3TT_ID3V2);
        state.ResumeTiming();
        AddFields(tag, kLongForm);
        if (tag.Update(ID3TT_ID3) != ID3TT_ID3)
            state.SkipWithError("Update did not write both tags");
    }
}

void SaveFitting(benchmark::State& state, const std::string& path) {
    CTagFile tag;
    tag.Link(path);
    for (auto _ : state) {
        SaveResult result = tag.Save(kForm, kGenre);
        if (!result.Saved())
            state.SkipWithError(result.reason.c_str());
    }
}

void SaveProgram(benchmark::State& state) {
    SaveFitting(state, Files().ours);
}

void SaveProgram200MB(benchmark::State& state) {
    SaveFitting(state, Files().large);
}

void SaveRawId3lib(benchmark::State& state) {
    ID3_Tag tag;
    tag.Link(Files().raw.c_str(), ID3TT_ID3V2);
    for (auto _ : state) {
        AddFields(tag, kForm);
        if (tag.Update(ID3TT_ID3) != ID3TT_ID3)
            state.SkipWithError("Update did not write both tags");
    }
}

// What writing in place safely adds to raw Update at the least: a journal as large as the two
// tags' old and new bytes, created, synced with its folder and removed, and the file synced.
void SaveRawId3libWithTwoSyncs(benchmark::State& state) {
    ID3_Tag tag;
    tag.Link(Files().rawSynced.c_str(), ID3TT_ID3V2);
    const std::string journal = Files().dir.File("journal");
    const std::string journalBytes(2 * (tag.GetPrependedBytes() + 128), 'j');
    const int folder = ::open(Files().dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
    for (auto _ : state) {
        AddFields(tag, kForm);
        if (tag.Update(ID3TT_ID3) != ID3TT_ID3)
            state.SkipWithError("Update did not write both tags");
        const int written = ::open(journal.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        const int file = ::open(Files().rawSynced.c_str(), O_WRONLY);
        if (::write(written, journalBytes.data(), journalBytes.size()) < 0 ||
            ::fsync(written) != 0 || ::fsync(folder) != 0 || ::fdatasync(file) != 0)
            state.SkipWithError("a sync failed");
        ::close(file);
        ::close(written);
        ::unlink(journal.c_str());
    }
    ::close(folder);
}

void Configure(benchmark::internal::Benchmark* bench) {
    bench->Repetitions(11)->MinTime(0.2)->UseRealTime()->ReportAggregatesOnly(true)->Unit(
        benchmark::kMicrosecond);
}

BENCHMARK(LoadProgram)->Apply(Configure);
BENCHMARK(LoadRawId3lib)->Apply(Configure);
BENCHMARK(LoadProgramVersion24)->Apply(Configure);
BENCHMARK(InspectProgram)->Apply(Configure);
BENCHMARK(LinkRawId3lib)->Apply(Configure);
BENCHMARK(SaveProgram)->Apply(Configure);
BENCHMARK(SaveProgram200MB)->Apply(Configure);
BENCHMARK(SaveRawId3lib)->Apply(Configure);
BENCHMARK(SaveRawId3libWithTwoSyncs)->Apply(Configure);
BENCHMARK(SaveGrowingProgram)->Apply(Configure);
BENCHMARK(SaveGrowingRawId3lib)->Apply(Configure);
// Few rounds: each copies 200 MB before it and writes 200 MB anew.
BENCHMARK(SaveGrowingProgram200MB)
    ->Repetitions(5)
    ->Iterations(2)
    ->UseRealTime()
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    MedianRatioReporter::InitializeInterleaved(argc, argv);
    MedianRatioReporter reporter({
        {"load: link + read the six values", "LoadProgram", "LoadRawId3lib", 1.10},
        {"inspector alone beside id3lib's Link", "InspectProgram", "LinkRawId3lib", 0.10},
        {"load: as ID3v2.4 beside ID3v2.3", "LoadProgramVersion24", "LoadProgram", 2.0},
        // Raw Update neither syncs nor reads back, so it sets no goal on its own. The goal is
        // to cost no more than it does with the two syncs that safety needs at the least.
        {"save, fits: beside raw Update", "SaveProgram", "SaveRawId3lib", 0},
        {"save, fits: beside Update + 2 syncs", "SaveProgram", "SaveRawId3libWithTwoSyncs", 1.00},
        {"save, fits: 200 MB beside 5 MB", "SaveProgram200MB", "SaveProgram", 1.20},
        // A whole synced and verified new file against an unsynced rewrite.
        {"save: tag must grow", "SaveGrowingProgram", "SaveGrowingRawId3lib", 0},
        {"save, grows: 200 MB beside 5 MB", "SaveGrowingProgram200MB", "SaveGrowingProgram", 0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
