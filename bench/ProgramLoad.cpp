#include "ProgramLoad.h"

#include "CTagFile.h"

void ProgramLoad(benchmark::State& state, const std::string& path) {
    CTagFile tag;
    for (auto _ : state) {
        tag.Link(path);
        TagFields fields = tag.ReadFields();
        unsigned genre = tag.ReadGenreNumber();
        benchmark::DoNotOptimize(fields);
        benchmark::DoNotOptimize(genre);
    }
}
