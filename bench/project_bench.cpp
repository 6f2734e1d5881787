// Loading and saving a project of 10,000 partners and 2,000 external links.
#include "bench/bench_folder.h"
#include "core/project/project.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using tessaray::CLineList;
using tessaray::CProject;
using tessaray::bench::BenchFolder;

CProject MakeFullProject() {
    CProject project;
    project.StartNew("http://shop.example");
    for (int i = 0; i < CProject::MaxPartnerLinks; ++i) {
        project.AddPartnerUrl("http://partner" + std::to_string(i) +
                              ".example/pages/links.html - link swap since 2008");
    }
    CLineList links;
    for (int i = 0; i < CProject::MaxExternalLinks; ++i) {
        links.Add("http://www.linking-site-" + std::to_string(i) + ".example/blog/post.html");
    }
    project.SetExternalLinks(links);
    return project;
}

void BM_ProjectSave(benchmark::State& state) {
    BenchFolder folder;
    CProject project = MakeFullProject();
    const std::string path = folder.File("big.tsrp");
    for (auto _ : state) {
        if (!project.Save(path)) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_ProjectSave)->Unit(benchmark::kMillisecond);

void BM_ProjectLoad(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.File("big.tsrp");
    CProject saved = MakeFullProject();
    if (!saved.Save(path)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        CProject project;
        if (!project.Load(path) || project.GetPartnerCount() != CProject::MaxPartnerLinks) {
            state.SkipWithError("load failed");
        }
    }
}
BENCHMARK(BM_ProjectLoad)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
