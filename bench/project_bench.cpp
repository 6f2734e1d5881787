// Loading and saving a project of 10,000 partners and 2,000 external links; with the argument 1
// every partner has an agreement too.
#include "bench/bench_folder.h"
#include "core/project/project.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using tessaray::CLineList;
using tessaray::CProject;
using tessaray::bench::BenchFolder;

CProject MakeFullProject(bool bAgreements) {
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
    if (bAgreements) {
        tessaray::SAgreement agreement;
        agreement.strTarget = "https://shop.example/garden/*";
        agreement.strAnchor = "*garden tools*";
        agreement.eFollow = tessaray::EAgreedFollow::Required;
        agreement.strUntil = "2027-12-31";
        agreement.strNote = "renewed in 2026\nask for the footer";
        std::string entry;
        project.RewindPartners();
        while (project.GetNextPartner(entry)) {
            project.SetAgreement(entry, agreement);
        }
    }
    return project;
}

void BM_ProjectSave(benchmark::State& state) {
    BenchFolder folder;
    CProject project = MakeFullProject(state.range(0) != 0);
    const std::string path = folder.File("big.tsrp");
    for (auto _ : state) {
        if (!project.Save(path)) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_ProjectSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ProjectLoad(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.File("big.tsrp");
    CProject saved = MakeFullProject(state.range(0) != 0);
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
BENCHMARK(BM_ProjectLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
