#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaray {

// Result codes of CPageFetcher::Fetch and CFetchJob: 0 a response came, -1 404, 1 authentication
// refused, otherwise a WinInet-style error number of a transport failure.
inline constexpr int kFetchOk = 0;
inline constexpr int kFetchNotFound = -1;
inline constexpr int kFetchAuthRefused = 1;
inline constexpr int kFetchErrorTimeout = 12002;
inline constexpr int kFetchErrorInternal = 12004; // anything not listed here
inline constexpr int kFetchErrorNameNotResolved = 12007;
inline constexpr int kFetchErrorCannotConnect = 12029;
inline constexpr int kFetchErrorInvalidResponse = 12152;
inline constexpr int kFetchErrorSecureFailure = 12157;

// Whether a page arrived whole and, if not, why. The codes are what the JSON report writes.
enum class ETransferOutcome {
    Complete,    // a response arrived and its body was read to its end
    Timeout,     // nothing arrived in time (no connection, no answer, silence inside the body)
    TooSlow,     // data kept coming, but the whole fetch ran out of time
    Reset,       // the connection was reset or broke
    ShortBody,   // the connection closed before Content-Length bytes came
    BadChunking, // the chunked body was malformed or ended without its last chunk
    SizeCap,     // the body reached the size cap and was cut there
    Tls,         // the TLS handshake or certificate check failed
    Dns,         // the host name could not be resolved
    Refused,     // the connection was refused
    HttpError,   // a response arrived whole, but with a status other than 2xx
    Other,       // anything else (an invalid response, a refused authentication, ...)
};

// What a finished transfer leaves to classify it by. nCurlCode is the libcurl result of the
// request whose body was read, nFetchError the fetcher's result number for it (kFetchError...);
// errorText is libcurl's error buffer.
struct STransferFacts {
    int nCurlCode = 0;
    int nFetchError = 0;
    bool bHeadersDone = false;
    int nStatus = 0;
    bool bCapReached = false;
    bool bTotalTimeUsedUp = false;
    std::string_view errorText;
};

ETransferOutcome ClassifyTransfer(const STransferFacts& facts);

// "complete", "timeout", "too-slow", ... as listed above.
std::string_view OutcomeCode(ETransferOutcome eOutcome);

// True for the outcomes of a page that did not arrive whole although a response began (or none
// came at all): everything except Complete and HttpError.
inline bool IsBrokenTransfer(ETransferOutcome eOutcome) {
    return eOutcome != ETransferOutcome::Complete && eOutcome != ETransferOutcome::HttpError;
}

// A short sentence for the output log in the language of chLanguage ('G' German, else English):
// "broken off after 18 bytes (server went silent)" once a response began, else "failed (host
// name not found)".
std::string OutcomeLogText(ETransferOutcome eOutcome, bool bResponded, std::size_t nBytes,
                           char chLanguage);

} // namespace tessaray
