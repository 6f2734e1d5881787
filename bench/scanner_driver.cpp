// Runs the scanner pipeline once on one corpus page, for instruction counts under callgrind:
//   scanner_driver NAME            generate the page and scan it
//   scanner_driver NAME --baseline only generate it (the cost to subtract)
//   scanner_driver --list          print the page names
// Prints the page size in bytes.
#include "bench/corpus.h"

#include <cstdio>
#include <cstring>
#include <utility>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scanner_driver NAME [--baseline]\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--list") == 0) {
        for (const auto& entry : tessaray::bench::Corpus()) {
            std::printf("%.*s\n", static_cast<int>(entry.name.size()), entry.name.data());
        }
        return 0;
    }
    const bool baseline = argc > 2 && std::strcmp(argv[2], "--baseline") == 0;
    for (const auto& entry : tessaray::bench::Corpus()) {
        if (entry.name != argv[1]) {
            continue;
        }
        std::string page = entry.make();
        const std::size_t size = page.size();
        const std::size_t found = baseline ? 0 : tessaray::bench::ScanPage(std::move(page));
        std::printf("%zu %zu\n", size, found);
        return 0;
    }
    std::fprintf(stderr, "scanner_driver: unknown page '%s'\n", argv[1]);
    return 2;
}
