#include "core/fetch/transfer_outcome.h"

#include "core/util/core_texts.h"

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

// Why a transfer ended, in a few words.
ETextId OutcomeCause(ETransferOutcome eOutcome) {
    switch (eOutcome) {
    case ETransferOutcome::Timeout:
        return ETextId::OutcomeTimeout;
    case ETransferOutcome::TooSlow:
        return ETextId::OutcomeTooSlow;
    case ETransferOutcome::Reset:
        return ETextId::OutcomeReset;
    case ETransferOutcome::ShortBody:
        return ETextId::OutcomeShortBody;
    case ETransferOutcome::BadChunking:
        return ETextId::OutcomeBadChunking;
    case ETransferOutcome::SizeCap:
        return ETextId::OutcomeSizeCap;
    case ETransferOutcome::Tls:
        return ETextId::OutcomeTls;
    case ETransferOutcome::Dns:
        return ETextId::OutcomeDns;
    case ETransferOutcome::Refused:
        return ETextId::OutcomeRefused;
    case ETransferOutcome::HttpError:
        return ETextId::OutcomeHttpError;
    case ETransferOutcome::Complete:
    case ETransferOutcome::Other:
        break;
    }
    return ETextId::OutcomeInvalid;
}

} // namespace

std::string OutcomeLogText(ETransferOutcome eOutcome, bool bResponded, std::size_t nBytes,
                           char chLanguage) {
    const std::string_view cause = CoreText(OutcomeCause(eOutcome), chLanguage);
    if (!bResponded) {
        return FormatText(CoreText(ETextId::OutcomeFailed, chLanguage), {cause});
    }
    return FormatText(CoreText(ETextId::OutcomeBrokenOff, chLanguage),
                      {std::to_string(nBytes), cause});
}

} // namespace tessaray
