#include "core/project/line_list.h"

#include "core/util/message_sink.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace tessaray {

void CLineList::RemoveAll() {
    m_entries.clear();
    m_cursor = 0;
    m_bChanged = false;
}

void CLineList::Add(std::string_view text) {
    m_bChanged = true;
    if (m_entries.size() >= static_cast<std::size_t>(kMaxCount)) {
        ShowMessage("Max line count reached");
        return;
    }
    try {
        m_entries.emplace_back(text);
    } catch (const std::bad_alloc&) {
        ShowMessage("Out of memory");
    } catch (const std::length_error&) {
        ShowMessage("Out of memory");
    }
}

bool CLineList::GetFirst(std::string& out) {
    if (m_entries.empty()) {
        out.clear();
        m_cursor = 0;
        return false;
    }
    out = m_entries.front();
    m_cursor = 1;
    return true;
}

bool CLineList::GetNext(std::string& out) {
    if (m_cursor >= m_entries.size()) {
        out.clear();
        return false;
    }
    out = m_entries[m_cursor++];
    return true;
}

bool CLineList::GetNextAuto(std::string& out) {
    if (m_bAtStart) {
        m_bAtStart = false;
        return GetFirst(out);
    }
    return GetNext(out);
}

void CLineList::CopyFrom(const CLineList& other) {
    if (&other == this)
        return;
    RemoveAll();
    for (const std::string& entry : other.m_entries)
        Add(entry);
}

bool CLineList::Contains(std::string_view text) {
    Rewind();
    for (const std::string& entry : m_entries)
        if (entry == text)
            return true;
    return false;
}

bool CLineList::ExtractLine(const std::string& pending, std::size_t& pos,
                            std::size_t& searchFrom) {
    if (pos >= pending.size())
        return false;
    // The line ends at whichever of CR and LF comes first.
    const std::size_t end = pending.find_first_of("\r\n", std::max(pos, searchFrom));
    if (end == std::string::npos) {
        searchFrom = pending.size();
        return false;
    }
    if (end == pos)
        Add(" ");
    else
        Add(std::string_view(pending).substr(pos, end - pos));
    pos = end + 1;
    // Control characters after the line end are dropped; a line feed that is not the first of
    // them stands for an empty line.
    bool first = true;
    while (pos < pending.size() && static_cast<unsigned char>(pending[pos]) < 32) {
        if (pending[pos] == '\n' && !first)
            Add(" ");
        first = false;
        ++pos;
    }
    searchFrom = pos;
    return true;
}

void CLineList::SetText(std::string_view text) {
    RemoveAll();
    const std::string pending(text);
    std::size_t pos = 0;
    std::size_t searchFrom = 0;
    while (ExtractLine(pending, pos, searchFrom)) {
    }
}

bool CLineList::LoadFromFile(const std::string& path, bool reportError) {
    RemoveAll();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        if (reportError)
            ShowMessage("Error !\n\nCannot open file: \"" + path + "\" !");
        return false;
    }
    // The file is read in chunks of 1999 bytes; a NUL byte ends its chunk's contribution.
    constexpr std::size_t kChunk = 1999;
    char chunk[kChunk];
    std::string pending;
    std::size_t pos = 0;
    std::size_t searchFrom = 0;
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, kChunk, file)) > 0) {
        const void* nul = std::memchr(chunk, '\0', got);
        const std::size_t used =
            nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - chunk) : got;
        // Drop what was consumed before appending, so the pending text stays short.
        if (pos > 0) {
            pending.erase(0, pos);
            searchFrom -= std::min(searchFrom, pos);
            pos = 0;
        }
        pending.append(chunk, used);
        while (ExtractLine(pending, pos, searchFrom)) {
        }
    }
    std::fclose(file);
    Add(std::string_view(pending).substr(pos));
    return true;
}

void CLineList::WriteEntry(std::FILE* file, const std::string& entry, bool lineEnds) const {
    std::size_t start = 0;
    while (start < entry.size()) {
        std::size_t end = entry.find('\n', start);
        if (end == std::string::npos)
            end = entry.size();
        std::fwrite(entry.data() + start, 1, end - start, file);
        if (lineEnds)
            std::fwrite("\r\n", 1, 2, file);
        start = end + 1;
    }
}

void CLineList::SaveToFile(const std::string& path, bool lineEnds) {
    if (m_entries.empty() || path.empty())
        return;
    std::FILE* file = std::fopen(path.c_str(), "w+b");
    if (file == nullptr)
        return;
    Rewind();
    std::size_t running = 0;
    for (const std::string& entry : m_entries) {
        running += entry.size();
        if (running <= 2000) {
            WriteEntry(file, entry, lineEnds);
        } else {
            WriteEntry(file, entry, true);
            running = 0;
        }
    }
    std::fflush(file);
    std::fclose(file);
}

void CLineList::TruncateLongEntries() {
    for (std::string& entry : m_entries) {
        if (entry.size() > kMaxEntryLength) {
            entry.resize(kMaxEntryLength);
            entry += "...";
        }
    }
}

} // namespace tessaray
