// The INI reader: any bytes parse, read back and write out without fault.
#include "core/project/profile_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tessaray::CProfileFile file;
    file.ParseText(text);
    file.ReadAppInfo();
    std::string value;
    file.ReadString("PARTNERLINKS", "URL0000", "", value);
    file.ReadInt("SETTINGS", "TRACE", 0);
    // A written profile parses again; only quotes around values can be lost on the way.
    const std::string written = file.FormatText();
    tessaray::CProfileFile again;
    again.ParseText(written);
    if (again.FormatText().size() > written.size()) {
        __builtin_trap();
    }
    return 0;
}
