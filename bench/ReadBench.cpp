// Reading one file's six values, for each style of tagged file the tests know (written by
// tests/support/taggers.py as other taggers write them): the program (link + the values, as
// `tageditor-cli show` and the file list do) beside raw id3lib doing the least it can (link the
// file's ID3v2 tag, ask for each value) and beside TagLib (open the file without its audio
// properties, ask for each value).
#include "MedianRatioReporter.h"
#include "ProgramLoad.h"
#include "ScratchDir.h"
#include "TaggerStyles.h"

#include <benchmark/benchmark.h>
#include <id3/misc_support.h>
#include <id3/tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// What a reader hands over: the texts and the genre, so that none of it is optimised away.
struct Values {
    std::string texts[5];
    unsigned genre = 0;
};

std::string Taken(char* text) {
    std::string taken = text ? text : "";
    delete[] text;
    return taken;
}

void ReadId3lib(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        ID3_Tag tag;
        tag.Link(path.c_str(), ID3TT_ID3V2);
        Values values;
        values.texts[0] = Taken(ID3_GetTitle(&tag));
        values.texts[1] = Taken(ID3_GetArtist(&tag));
        values.texts[2] = Taken(ID3_GetAlbum(&tag));
        values.texts[3] = Taken(ID3_GetYear(&tag));
        values.texts[4] = Taken(ID3_GetComment(&tag));
        values.genre = static_cast<unsigned>(ID3_GetGenreNum(&tag));
        benchmark::DoNotOptimize(values);
    }
}

void ReadTagLib(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        TagLib::MPEG::File file(path.c_str(), false);
        Values values;
        if (const TagLib::Tag* tag = file.tag()) {
            values.texts[0] = tag->title().to8Bit(true);
            values.texts[1] = tag->artist().to8Bit(true);
            values.texts[2] = tag->album().to8Bit(true);
            values.texts[3] = std::to_string(tag->year());
            values.texts[4] = tag->comment().to8Bit(true);
            values.genre = static_cast<unsigned>(tag->genre().size());
        }
        benchmark::DoNotOptimize(values);
    }
}

} // namespace

int main(int argc, char** argv) {
    MedianRatioReporter::InitializeInterleaved(argc, argv);

    ScratchDir dir;
    std::vector<MedianRatioReporter::Pair> pairs;
    for (const std::string& style : TaggerStyles::Names()) {
        const std::string path = dir.File(style + ".mp3");
        const std::string problem = TaggerStyles::Write(style, path);
        if (!problem.empty()) {
            std::fprintf(stderr, "%s: %s\n", style.c_str(), problem.c_str());
            return 1;
        }
        const std::string program = "program/" + style;
        std::vector<std::pair<std::string, void (*)(benchmark::State&, const std::string&)>>
            readers{{program, &ProgramLoad}, {"taglib/" + style, &ReadTagLib}};
        // id3lib crashes on compressed frames by itself, one of the reasons the program
        // inspects every tag before id3lib sees it.
        if (style != "v23-compressed") {
            readers.push_back({"id3lib/" + style, &ReadId3lib});
            pairs.push_back({style + ": beside id3lib", program, "id3lib/" + style, 0});
        }
        pairs.push_back({style + ": beside TagLib", program, "taglib/" + style, 0.6});
        for (const auto& [name, reader] : readers)
            benchmark::RegisterBenchmark(name.c_str(), reader, path)
                ->Repetitions(7)
                ->MinTime(0.1)
                ->ReportAggregatesOnly(true)
                ->Unit(benchmark::kMicrosecond);
    }
    MedianRatioReporter reporter(std::move(pairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
