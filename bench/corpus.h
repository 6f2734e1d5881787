#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray::bench {

// The pages the scanner benchmarks run on. Every page is generated from a fixed seed, so the
// same name always gives the same bytes on every machine.
struct CorpusEntry {
    std::string_view name;
    std::string (*make)();
};

// A typical partner page: about 100 KB, about 300 anchors, head with meta tags, scripts, styles,
// comments, mixed case and some non-ASCII text.
std::string TypicalPage();
// The same kind of page at 5 MB with 20,000 anchors.
std::string LargePage();
// 50,000 "-->" followed by "<!--".
std::string StrayClosesPage();
// 1 MB of "<a " without any "</a".
std::string OpenAnchorsPage();
// 100,000 tiny comments between bits of text.
std::string TinyCommentsPage();
// One 1 MB anchor whose text is full of tags, for the tag stripping.
std::string HugeAnchorPage();
// 80,000 "<a href=x>" and a word without any "</a>" (1 MB): every anchor ends where the next opens.
std::string UnclosedAnchorsPage();

const std::vector<CorpusEntry>& Corpus();

// Base URL of the corpus pages and the domain the pipeline looks for.
inline constexpr std::string_view kBaseUrl = "http://blog.partner-one.example";
inline constexpr std::string_view kDomain = "http://shop.example";

// The work that is measured, the path of "tessaray-cli scan" and of the analysis: the fetched
// bytes read as text (charset, UTF-8) and scanned (ScanPageBytes), the page signals, and a walk
// over every link with NextLinkToDomain. Returns the number of links to the domain, so the work
// cannot be optimised away.
std::size_t ScanPage(std::string bytes);

} // namespace tessaray::bench
