#include "core/project/line_list.h"

#include "core/util/message_sink.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray {
namespace {

using Lines = std::vector<std::string>;

Lines SplitText(std::string_view text) {
    CLineList list;
    list.SetText(text);
    return list.Entries();
}

Lines LoadBytes(std::string_view bytes) {
    test::TempDir dir;
    CLineList list;
    EXPECT_TRUE(list.LoadFromFile(dir.Write("in.txt", bytes), false));
    return list.Entries();
}

// Collects what the core would show in a message box, for the lifetime of the object.
class MessageCapture {
public:
    MessageCapture()
        : m_previous(
              SetMessageHandler([this](const std::string& text) { m_texts.push_back(text); })) {}
    ~MessageCapture() { SetMessageHandler(m_previous); }
    const Lines& Texts() const { return m_texts; }

private:
    Lines m_texts;
    MessageHandler m_previous;
};

TEST(LineListSplitTest, LineEndsAndEmptyLines) {
    // CR, LF and CR LF each end one line.
    EXPECT_EQ(SplitText("a\rb\nc\r\nd\n"), (Lines{"a", "b", "c", "d"}));
    // An empty line between CR LF pairs becomes " ".
    EXPECT_EQ(SplitText("a\r\n\r\nb\r\n"), (Lines{"a", " ", "b"}));
    // With bare line feeds the second of two does not give an entry, the third does.
    EXPECT_EQ(SplitText("a\n\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitText("a\n\n\nb\n"), (Lines{"a", " ", "b"}));
    // Bare CRs: the second is skipped as a control character without an entry.
    EXPECT_EQ(SplitText("a\r\rb\r"), (Lines{"a", "b"}));
    // A text that starts with a line end gives " " first.
    EXPECT_EQ(SplitText("\nx\n"), (Lines{" ", "x"}));
}

TEST(LineListSplitTest, ControlCharactersAfterALineEndAreLost) {
    EXPECT_EQ(SplitText("a\n\tb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitText("a\r\n\x01\x1f c\r\n"), (Lines{"a", " c"}));
    // Inside a line they stay, and bytes above 127 are ordinary text.
    EXPECT_EQ(SplitText("a\tb\x01\xe4\n"), (Lines{"a\tb\x01\xe4"}));
}

TEST(LineListSplitTest, SetTextDropsALastLineWithoutLineEnd) {
    EXPECT_EQ(SplitText("x\r\ny"), (Lines{"x"}));
    EXPECT_EQ(SplitText("no line end"), Lines{});
    EXPECT_EQ(SplitText(""), Lines{});
    EXPECT_EQ(SplitText(std::string("a\0b\n", 4)), (Lines{std::string("a\0b", 3)}));
}

TEST(LineListLoadTest, LastEntryIsWhatFollowsTheLastLineEnd) {
    EXPECT_EQ(LoadBytes("a\r\n\r\nb"), (Lines{"a", " ", "b"}));
    EXPECT_EQ(LoadBytes("a\r\nb\r\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(LoadBytes("a\n\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(LoadBytes(""), (Lines{""}));
    EXPECT_EQ(LoadBytes("one"), (Lines{"one"}));
}

TEST(LineListLoadTest, NulByteEndsItsChunkOnly) {
    // The bytes after a NUL up to the end of its 1999-byte chunk are lost; the next chunk counts.
    std::string bytes = "a\r\nb";
    bytes += '\0';
    bytes += "lost\r\n";
    bytes.resize(CLineList::kLoadChunk, 'z');
    bytes += "c\r\nd";
    EXPECT_EQ(LoadBytes(bytes), (Lines{"a", "bc", "d"}));
}

TEST(LineListLoadTest, ChunkBoundaryDoesNotChangeTheLines) {
    // A CR LF pair, an empty line or a long line cut by the chunk boundary splits as one text.
    for (std::size_t before :
         {CLineList::kLoadChunk - 2, CLineList::kLoadChunk - 1, CLineList::kLoadChunk}) {
        const std::string first(before, 'x');
        EXPECT_EQ(LoadBytes(first + "\r\n\r\nb\r\n"), (Lines{first, " ", "b", ""})) << before;
        EXPECT_EQ(LoadBytes(first + "\n\n\nb"), (Lines{first, " ", "b"})) << before;
    }
    const std::string longLine(3 * CLineList::kLoadChunk + 5, 'q');
    EXPECT_EQ(LoadBytes("a\n" + longLine + "\nz"), (Lines{"a", longLine, "z"}));
}

TEST(LineListLoadTest, MissingFileOrFolderFails) {
    test::TempDir dir;
    CLineList list;
    list.Add("old");
    MessageCapture messages;
    EXPECT_FALSE(list.LoadFromFile(dir.File("missing.txt"), false));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_TRUE(messages.Texts().empty());

    EXPECT_FALSE(list.LoadFromFile(dir.Path(), true));
    ASSERT_EQ(messages.Texts().size(), 1u);
    // The message of a file that is no file also says what it is.
    EXPECT_EQ(messages.Texts()[0], "Error !\n\nCannot open file: \"" + dir.Path() +
                                       "\" !\n\nIt is a folder, not a file.");
}

TEST(LineListSaveTest, LineEndsAndLineFeedsInsideEntries) {
    test::TempDir dir;
    CLineList list;
    list.Add("a");
    list.Add("");
    list.Add("b\nc\n");
    list.Add("\nd");
    list.SaveToFile(dir.File("on.txt"), true);
    EXPECT_EQ(test::ReadAll(dir.File("on.txt")), "a\r\nb\r\nc\r\n\r\nd\r\n");
    list.SaveToFile(dir.File("off.txt"), false);
    EXPECT_EQ(test::ReadAll(dir.File("off.txt")), "abcd");
}

TEST(LineListSaveTest, ForcedLineEndAfter2000Characters) {
    test::TempDir dir;
    CLineList list;
    const std::string a(1500, 'a'), b(1500, 'b'), c(1500, 'c');
    list.Add(a);
    list.Add(b);
    list.Add(c);
    list.SaveToFile(dir.File("out.txt"), false);
    EXPECT_EQ(test::ReadAll(dir.File("out.txt")), a + b + "\r\n" + c);

    // Exactly 2000 is still within the run; the count starts again after a forced end.
    CLineList exact;
    exact.Add(std::string(2000, 'x'));
    exact.Add("y");
    exact.Add(std::string(2000, 'z'));
    exact.SaveToFile(dir.File("exact.txt"), false);
    EXPECT_EQ(test::ReadAll(dir.File("exact.txt")),
              std::string(2000, 'x') + "y\r\n" + std::string(2000, 'z'));
}

TEST(LineListSaveTest, NothingWrittenForEmptyListOrPath) {
    test::TempDir dir;
    const std::string path = dir.Write("keep.txt", "old");
    CLineList empty;
    empty.SaveToFile(path, true);
    EXPECT_EQ(test::ReadAll(path), "old");
    CLineList list;
    list.Add("x");
    list.SaveToFile("", true); // must not crash or write anywhere
    list.SaveToFile(dir.File("no/such/folder.txt"), true);
    EXPECT_FALSE(test::ReadAll(path).empty());
}

TEST(LineListSaveTest, SaveThenLoadGivesTheEntriesBack) {
    test::TempDir dir;
    CLineList list;
    for (const char* text : {"http://a.example", "b c", " ", "d"}) {
        list.Add(text);
    }
    list.SaveToFile(dir.File("round.txt"), true);
    CLineList loaded;
    ASSERT_TRUE(loaded.LoadFromFile(dir.File("round.txt"), false));
    EXPECT_EQ(loaded.Entries(), (Lines{"http://a.example", "b c", " ", "d", ""}));
}

TEST(LineListTest, TruncateLongEntriesAt500) {
    CLineList list;
    list.Add(std::string(500, 'a'));
    list.Add(std::string(501, 'b'));
    list.Add("");
    list.TruncateLongEntries();
    EXPECT_EQ(list.At(0), std::string(500, 'a'));
    EXPECT_EQ(list.At(1), std::string(500, 'b') + "...");
    EXPECT_EQ(list.At(1).size(), 503u);
    EXPECT_EQ(list.At(2), "");
}

TEST(LineListTest, CursorWalks) {
    CLineList list;
    std::string out = "stale";
    EXPECT_FALSE(list.GetFirst(out));
    EXPECT_EQ(out, "");
    EXPECT_FALSE(list.GetNextAuto(out));

    for (const char* text : {"a", "b", "c"}) {
        list.Add(text);
    }
    // The at-start flag was used up on the empty list: GetNextAuto goes on from nowhere.
    EXPECT_FALSE(list.GetNextAuto(out));
    list.Rewind();
    ASSERT_TRUE(list.GetNextAuto(out));
    EXPECT_EQ(out, "a");
    ASSERT_TRUE(list.GetNextAuto(out));
    EXPECT_EQ(out, "b");
    // Without a Rewind the walk continues where it stopped.
    ASSERT_TRUE(list.GetNextAuto(out));
    EXPECT_EQ(out, "c");
    for (int i = 0; i < 3; ++i) {
        out = "stale";
        EXPECT_FALSE(list.GetNextAuto(out));
        EXPECT_EQ(out, "");
    }
    // An entry added after a finished walk is not reached by it.
    list.Add("d");
    EXPECT_FALSE(list.GetNext(out));
    ASSERT_TRUE(list.GetFirst(out));
    EXPECT_EQ(out, "a");
    ASSERT_TRUE(list.GetNext(out));
    EXPECT_EQ(out, "b");
}

TEST(LineListTest, ContainsRewindsAndComparesBytes) {
    CLineList list;
    list.Add("Abc");
    list.Add("");
    std::string out;
    list.Rewind();
    ASSERT_TRUE(list.GetNextAuto(out));
    ASSERT_TRUE(list.GetNextAuto(out));
    EXPECT_TRUE(list.Contains("Abc"));
    EXPECT_TRUE(list.Contains(""));
    EXPECT_FALSE(list.Contains("abc"));
    EXPECT_FALSE(list.Contains("Abc "));
    // Contains rewound the list.
    ASSERT_TRUE(list.GetNextAuto(out));
    EXPECT_EQ(out, "Abc");
}

TEST(LineListTest, ChangedFlagAndCopy) {
    CLineList list;
    EXPECT_FALSE(list.IsChanged());
    list.Add("a");
    list.Add("a");
    EXPECT_TRUE(list.IsChanged());

    CLineList copy;
    copy.Add("old");
    copy.CopyFrom(list);
    EXPECT_EQ(copy.Entries(), (Lines{"a", "a"}));
    EXPECT_TRUE(copy.IsChanged());
    copy.CopyFrom(copy); // copying onto itself keeps the entries
    EXPECT_EQ(copy.GetCount(), 2);

    copy.RemoveAll();
    EXPECT_FALSE(copy.IsChanged());
    EXPECT_EQ(copy.GetCount(), 0);
}

// A list with a small limit, to reach "Max line count reached".
class CSmallLineList : public CLineList {
public:
    CSmallLineList() : CLineList(2) {}
};

TEST(LineListTest, FullListRefusesWithMessage) {
    MessageCapture messages;
    CSmallLineList list;
    list.Add("a");
    list.Add("b");
    list.RemoveAll();
    list.Add("a");
    list.Add("b");
    EXPECT_TRUE(messages.Texts().empty());
    list.Add("c");
    EXPECT_EQ(list.Entries(), (Lines{"a", "b"}));
    EXPECT_TRUE(list.IsChanged());
    EXPECT_EQ(messages.Texts(), (Lines{"Max line count reached"}));
}

TEST(MessageSinkTest, HandlerIsReplacedAndRestored) {
    Lines outer;
    const MessageHandler before =
        SetMessageHandler([&outer](const std::string& text) { outer.push_back(text); });
    {
        MessageCapture inner;
        ShowMessage("one");
        EXPECT_EQ(inner.Texts(), (Lines{"one"}));
    }
    ShowMessage("two");
    EXPECT_EQ(outer, (Lines{"two"}));
    SetMessageHandler(before);
}

} // namespace
} // namespace tessaray
