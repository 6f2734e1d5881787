// Runs the scanner pipeline once on one corpus page, for instruction counts under callgrind:
//   scanner_driver NAME            generate the page and scan it
//   scanner_driver NAME --baseline only generate it (the cost to subtract)
//   scanner_driver NAME --write F  write the page to the file F (for tessaray-cli scan)
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
    const bool baseline = argc > 2; // --baseline or --write: no scan
    for (const auto& entry : tessaray::bench::Corpus()) {
        if (entry.name != argv[1]) {
            continue;
        }
        std::string page = entry.make();
        const std::size_t size = page.size();
        if (argc > 3 && std::strcmp(argv[2], "--write") == 0) {
            std::FILE* file = std::fopen(argv[3], "wb");
            const bool written = file && std::fwrite(page.data(), 1, size, file) == size;
            if (!file || std::fclose(file) != 0 || !written) {
                std::fprintf(stderr, "scanner_driver: cannot write %s\n", argv[3]);
                return 2;
            }
        }
        const std::size_t found = baseline ? 0 : tessaray::bench::ScanPage(std::move(page));
        std::printf("%zu %zu\n", size, found);
        return 0;
    }
    std::fprintf(stderr, "scanner_driver: unknown page '%s'\n", argv[1]);
    return 2;
}
