#include "core/project/line_list.h"

#include "core/util/message_sink.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

namespace tessaray {

namespace {

// Writes one entry: each piece between line feeds, followed by CR LF when lineEnds is set.
void WriteEntry(std::FILE* file, std::string_view entry, bool lineEnds) {
    while (!entry.empty()) {
        const std::size_t end = std::min(entry.find('\n'), entry.size());
        std::fwrite(entry.data(), 1, end, file);
        if (lineEnds) {
            std::fwrite("\r\n", 1, 2, file);
        }
        entry.remove_prefix(std::min(end + 1, entry.size()));
    }
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 32;
}

} // namespace

void CLineList::RemoveAll() {
    m_entries.clear();
    m_cursor = kNone;
    m_bChanged = false;
}

void CLineList::Add(std::string_view text) {
    m_bChanged = true;
    if (m_entries.size() >= static_cast<std::size_t>(m_nMaxCount)) {
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
    m_cursor = 0;
    return GetNext(out);
}

bool CLineList::GetNext(std::string& out) {
    if (m_cursor >= m_entries.size()) {
        m_cursor = kNone;
        out.clear();
        return false;
    }
    out = m_entries[m_cursor++];
    if (m_cursor == m_entries.size()) {
        m_cursor = kNone; // entries added later are not reached by this walk
    }
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
    // Copying a list onto itself would first empty it.
    if (&other == this) {
        return;
    }
    RemoveAll();
    for (const std::string& entry : other.m_entries) {
        Add(entry);
    }
}

bool CLineList::Contains(std::string_view text) {
    Rewind();
    return std::find(m_entries.begin(), m_entries.end(), text) != m_entries.end();
}

void CLineList::ExtractLines(std::string_view text, SplitState& state) {
    for (;;) {
        if (state.bSkipping) {
            // Control characters after a line end are dropped; a line feed that is not the first
            // of them stands for an empty line.
            while (state.pos < text.size() && IsControl(text[state.pos])) {
                if (text[state.pos] == '\n' && state.bFirstSkipped) {
                    Add(" ");
                }
                state.bFirstSkipped = true;
                ++state.pos;
            }
            if (state.pos == text.size()) {
                return; // the run may go on in text still to come
            }
            state.bSkipping = false;
        }
        // The line ends at whichever of CR and LF comes first.
        const std::size_t end = text.find_first_of("\r\n", std::max(state.pos, state.searchFrom));
        if (end == std::string_view::npos) {
            state.searchFrom = text.size();
            return;
        }
        Add(end == state.pos ? std::string_view(" ") : text.substr(state.pos, end - state.pos));
        state.pos = end + 1;
        state.searchFrom = state.pos;
        state.bSkipping = true;
        state.bFirstSkipped = false;
    }
}

void CLineList::SetText(std::string_view text) {
    RemoveAll();
    SplitState state;
    ExtractLines(text, state);
}

bool CLineList::LoadFromFile(const std::string& path, bool reportError, CReadResult* pResult) {
    RemoveAll();
    std::string bytes;
    const CReadResult result = ReadInputFile(path, kImportFileLimit, bytes);
    if (pResult != nullptr) {
        *pResult = result;
    }
    if (!result.Ok()) {
        if (reportError) {
            std::string text = "Error !\n\nCannot open file: \"" + path + "\" !";
            if (result.Code() != EReadError::CannotOpen) {
                text += "\n\nIt " + ReadFailureReason(result) + ".";
            }
            ShowMessage(text);
        }
        return false;
    }
    std::string pending;
    SplitState state;
    for (std::string_view rest = bytes; !rest.empty();) {
        const std::string_view chunk = rest.substr(0, kLoadChunk);
        rest.remove_prefix(chunk.size());
        // A NUL byte ends the chunk's text.
        const std::string_view used = chunk.substr(0, chunk.find('\0'));
        // Drop what was taken before appending, so pending holds only the unfinished line.
        if (state.pos > 0) {
            pending.erase(0, state.pos);
            state.searchFrom = std::max(state.searchFrom, state.pos) - state.pos;
            state.pos = 0;
        }
        pending.append(used);
        ExtractLines(pending, state);
    }
    Add(std::string_view(pending).substr(state.pos));
    return true;
}

void CLineList::SaveToFile(const std::string& path, bool lineEnds) {
    if (m_entries.empty() || path.empty()) {
        return;
    }
    std::FILE* file = std::fopen(path.c_str(), "w+b");
    if (file == nullptr) {
        return;
    }
    Rewind();
    std::size_t running = 0;
    for (const std::string& entry : m_entries) {
        running += entry.size();
        if (running <= kSaveRunLength) {
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
