#include "core/fetch/transfer_outcome.h"

#include "core/fetch/page_fetcher.h"

#include <curl/curl.h>

namespace tessaray {

ETransferOutcome ClassifyTransfer(const STransferFacts& facts) {
    const auto code = static_cast<CURLcode>(facts.nCurlCode);
    if (facts.bCapReached) {
        return ETransferOutcome::SizeCap;
    }
    switch (code) {
    case CURLE_OK:
        if (!facts.bHeadersDone) {
            return ETransferOutcome::Other; // the connection ended without a final response
        }
        return facts.nStatus >= 200 && facts.nStatus < 300 ? ETransferOutcome::Complete
                                                           : ETransferOutcome::HttpError;
    case CURLE_WRITE_ERROR:
        // Our own callbacks stop the body of a response they do not read (404, a redirect).
        return facts.bHeadersDone && (facts.nStatus < 200 || facts.nStatus >= 300)
                   ? ETransferOutcome::HttpError
                   : ETransferOutcome::Other;
    case CURLE_OPERATION_TIMEDOUT:
        return facts.bHeadersDone && facts.bTotalTimeUsedUp ? ETransferOutcome::TooSlow
                                                            : ETransferOutcome::Timeout;
    case CURLE_PARTIAL_FILE:
        return ETransferOutcome::ShortBody;
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        // libcurl reports a malformed chunked body as a receive error naming the encoding.
        return facts.errorText.find("chunk") != std::string_view::npos
                   ? ETransferOutcome::BadChunking
                   : ETransferOutcome::Reset;
    default:
        break;
    }
    switch (facts.nFetchError) {
    case kFetchErrorNameNotResolved:
        return ETransferOutcome::Dns;
    case kFetchErrorCannotConnect:
        return ETransferOutcome::Refused;
    case kFetchErrorSecureFailure:
        return ETransferOutcome::Tls;
    default:
        return ETransferOutcome::Other;
    }
}

std::string_view OutcomeCode(ETransferOutcome eOutcome) {
    switch (eOutcome) {
    case ETransferOutcome::Complete:
        return "complete";
    case ETransferOutcome::Timeout:
        return "timeout";
    case ETransferOutcome::TooSlow:
        return "too-slow";
    case ETransferOutcome::Reset:
        return "reset";
    case ETransferOutcome::ShortBody:
        return "short-body";
    case ETransferOutcome::BadChunking:
        return "bad-chunking";
    case ETransferOutcome::SizeCap:
        return "size-cap";
    case ETransferOutcome::Tls:
        return "tls";
    case ETransferOutcome::Dns:
        return "dns";
    case ETransferOutcome::Refused:
        return "refused";
    case ETransferOutcome::HttpError:
        return "http-error";
    case ETransferOutcome::Other:
        break;
    }
    return "other";
}

namespace {

// Why a transfer ended, in a few words (English, German).
std::pair<std::string_view, std::string_view> OutcomeCause(ETransferOutcome eOutcome) {
    switch (eOutcome) {
    case ETransferOutcome::Timeout:
        return {"server went silent", "Server antwortet nicht mehr"};
    case ETransferOutcome::TooSlow:
        return {"server too slow", "Server zu langsam"};
    case ETransferOutcome::Reset:
        return {"connection reset", "Verbindung abgebrochen"};
    case ETransferOutcome::ShortBody:
        return {"shorter than announced", "kürzer als angekündigt"};
    case ETransferOutcome::BadChunking:
        return {"malformed chunked body", "fehlerhafte Chunk-Kodierung"};
    case ETransferOutcome::SizeCap:
        return {"size limit reached", "Größengrenze erreicht"};
    case ETransferOutcome::Tls:
        return {"TLS failure", "TLS-Fehler"};
    case ETransferOutcome::Dns:
        return {"host name not found", "Hostname nicht gefunden"};
    case ETransferOutcome::Refused:
        return {"connection refused", "Verbindung abgelehnt"};
    case ETransferOutcome::HttpError:
        return {"HTTP error", "HTTP-Fehler"};
    case ETransferOutcome::Complete:
    case ETransferOutcome::Other:
        break;
    }
    return {"invalid response", "ungültige Antwort"};
}

} // namespace

std::string OutcomeLogText(ETransferOutcome eOutcome, bool bResponded, std::size_t nBytes,
                           char chLanguage) {
    const bool german = chLanguage == 'G';
    const auto [english, deutsch] = OutcomeCause(eOutcome);
    const std::string cause(german ? deutsch : english);
    if (!bResponded) {
        return (german ? "fehlgeschlagen (" : "failed (") + cause + ")";
    }
    const std::string count = std::to_string(nBytes);
    return (german ? "abgebrochen nach " + count + " Bytes ("
                   : "broken off after " + count + " bytes (") +
           cause + ")";
}

} // namespace tessaray
