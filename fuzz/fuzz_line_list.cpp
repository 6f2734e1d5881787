// Splits the input with SetText and, through a temporary file, with LoadFromFile; saves the lines
// and loads them back. Checks the invariants both splitters share.
#include "core/project/line_list.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

using tessaray::CLineList;

// One scratch file per fuzzing process, removed at exit.
const std::string& ScratchFile() {
    static const std::string path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessaray-fuzz-lines-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            std::abort();
        }
        ::close(fd);
        return pattern;
    }();
    static const bool registered = [] {
        std::atexit([] { std::remove(path.c_str()); });
        return true;
    }();
    (void)registered;
    return path;
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::abort();
    }
    std::fclose(file);
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Loads text through the scratch file. Without NUL bytes the chunked reading must split exactly
// like SetText, plus the text after the last line end as the last entry.
CLineList CheckLoad(std::string_view text, const CLineList& split) {
    const std::string& path = ScratchFile();
    WriteFile(path, text);
    CLineList loaded;
    Check(loaded.LoadFromFile(path, false));
    Check(loaded.GetCount() >= 1);
    if (text.find('\0') == std::string_view::npos) {
        Check(loaded.GetCount() == split.GetCount() + 1);
        for (int i = 0; i < split.GetCount(); ++i) {
            Check(loaded.At(i) == split.At(i));
        }
        Check(loaded.Entries().back().find_first_of("\r\n") == std::string::npos);
        Check(text.ends_with(loaded.Entries().back()));
    }
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    CLineList split;
    split.SetText(text);
    for (const std::string& entry : split.Entries()) {
        Check(!entry.empty() && entry.find_first_of("\r\n") == std::string::npos);
    }
    CLineList loaded = CheckLoad(text, split);

    // The same text moved to just before the end of the first read chunk, so that short inputs
    // also meet the chunk boundary.
    if (size > 0) {
        const std::string padded =
            std::string(CLineList::kLoadChunk - 1 - data[0] % 4, 'p') + std::string(text);
        CLineList paddedSplit;
        paddedSplit.SetText(padded);
        CheckLoad(padded, paddedSplit);
    }

    // Lines saved with line ends load back as they were, followed by the empty last entry.
    if (text.find('\0') == std::string_view::npos && split.GetCount() > 0) {
        const std::string& path = ScratchFile();
        split.SaveToFile(path, true);
        CLineList again;
        Check(again.LoadFromFile(path, false));
        Check(again.GetCount() == split.GetCount() + 1);
        for (int i = 0; i < split.GetCount(); ++i) {
            Check(again.At(i) == split.At(i));
        }
        Check(again.Entries().back().empty());
    }

    // The cursor walks every entry once.
    std::string out;
    int walked = 0;
    loaded.Rewind();
    while (loaded.GetNextAuto(out)) {
        Check(out == loaded.At(walked++));
    }
    Check(walked == loaded.GetCount());
    loaded.TruncateLongEntries();
    for (const std::string& entry : loaded.Entries()) {
        Check(entry.size() <= CLineList::kMaxEntryLength + 3);
    }
    return 0;
}
