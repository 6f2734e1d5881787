// The CSV column reader, through a file as the import reads it.
#include "core/project/link_import.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// One temporary file for the whole fuzzing run, removed at exit.
struct FuzzFile {
    std::string strPath;
    FuzzFile() {
        char pattern[] = "/tmp/tessaray-fuzz-csv-XXXXXX";
        const int fd = ::mkstemp(pattern);
        if (fd >= 0) {
            ::close(fd);
            strPath = pattern;
        }
    }
    ~FuzzFile() { std::remove(strPath.c_str()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile file;
    if (size < 2 || file.strPath.empty()) {
        return 0;
    }
    // The first two bytes choose the separator and the column.
    const char separators[] = {',', ';', '\t'};
    const char separator = separators[data[0] % 3];
    const int column = static_cast<int>(data[1]) - 20; // also out of range, to test clamping
    std::FILE* out = std::fopen(file.strPath.c_str(), "wb");
    if (out == nullptr) {
        return 0;
    }
    std::fwrite(data + 2, 1, size - 2, out);
    std::fclose(out);

    tessaray::CCsvColumnReader reader;
    tessaray::CLineList fields;
    if (reader.Open(file.strPath)) {
        reader.ReadColumn(separator, column, fields);
    }
    tessaray::CLineList urls;
    tessaray::ImportCsvColumn(file.strPath, separator, column, urls);
    return 0;
}
