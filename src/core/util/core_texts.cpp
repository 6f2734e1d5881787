#include "core/util/core_texts.h"

#include <array>
#include <cstddef>

namespace tessaray {

namespace {

using Id = ETextId;

struct SEntry {
    ETextId eId;
    std::string_view text;
};

constexpr std::size_t kTextCount = static_cast<std::size_t>(ETextId::Count);
using Catalogue = std::array<SEntry, kTextCount>;

constexpr Catalogue kEnglish = {{
    {Id::VerdictCounts, "counts"},
    {Id::VerdictDoesNotCount, "does not count"},
    {Id::VerdictMissing, "missing"},
    {Id::VerdictUnreachable, "unreachable"},
    {Id::ReasonRelNofollow, "The link is marked rel=nofollow."},
    {Id::ReasonRelSponsored, "The link is marked rel=sponsored."},
    {Id::ReasonRelUgc, "The link is marked rel=ugc."},
    {Id::ReasonMetaNofollow, "A robots meta tag of the page says nofollow."},
    {Id::ReasonHeaderNofollow, "The X-Robots-Tag header of the page says nofollow."},
    {Id::ReasonRobotsTxtUnreadable,
     "The site's robots.txt could not be fetched, so Googlebot fetches nothing from the site."},
    {Id::ReasonRobotsTxtStatus, "The site's robots.txt answered with HTTP status %1, so Googlebot "
                                "fetches nothing from the site."},
    {Id::ReasonRobotsTxtDisallowed, "The site's robots.txt does not let Googlebot fetch the page."},
    {Id::ReasonNoindex, "The page asks not to be indexed (noindex in %1)."},
    {Id::ReasonHttpStatus, "The page answered with HTTP status %1."},
    {Id::ReasonIncomplete, "The page did not arrive whole (%1)."},
    {Id::ReasonFetchFailed, "The page could not be fetched (%1)."},
    {Id::ReasonUndecodable, "The page could not be read as text (%1)."},
    {Id::ReasonRedirected, "The page redirects to %1."},
    {Id::ReasonCanonicalElsewhere, "The page names %1 as its canonical URL."},
    {Id::ReasonInNoscript, "The link stands only inside <noscript>: browsers with scripts and "
                           "Google's renderer do not show it."},
    {Id::ReasonRobotsRuleDiffers,
     "The Robots-Allow cell and the robots.txt rules search engines use disagree."},
    {Id::ReasonLinksNotListed, "1,000 links listed; %1 more to your domain not listed."},
    {Id::ReasonBlocked,
     "The site's bot protection answered instead of the page; open it in your browser."},
    {Id::ReasonCloaked, "The page shows Googlebot other links than browsers."},
    {Id::ReasonWrongTarget, "The link goes to another page than the agreed %1."},
    {Id::ReasonWrongAnchor, "The link text is not the agreed \"%1\"."},
    {Id::ReasonWrongRel, "A followed link was agreed; this one is marked %1."},
    {Id::ReasonAgreementEndsSoon, "The agreement ends on %1."},
    {Id::ReasonAgreementEnded, "The agreement ended on %1."},
    {Id::ReasonOneSided, "You link to this partner, followed, from %1; its link does not count."},
    {Id::ReasonYouDoNotLinkBack, "None of your link pages links to this partner any more."},
    {Id::ReasonScriptInserted, "Only the page's script makes the link; search engines see it "
                               "later, if at all."},
    {Id::ReasonRemovedByScript, "The page's script removes the link."},
    {Id::ReasonHidden, "People cannot see the link (%1)."},
    {Id::SummaryPartnerOne, "partner"},
    {Id::SummaryPartnerMany, "partners"},
    {Id::SummaryCountsOne, "counts"},
    {Id::SummaryCountsMany, "count"},
    {Id::SummaryDoesNotCountOne, "does not count"},
    {Id::SummaryDoesNotCountMany, "do not count"},
    {Id::SummaryMissingOne, "missing"},
    {Id::SummaryMissingMany, "missing"},
    {Id::SummaryUnreachableOne, "unreachable"},
    {Id::SummaryUnreachableMany, "unreachable"},
    {Id::SummaryStoppedOne, " (stopped after %1 of %2 partner)"},
    {Id::SummaryStoppedMany, " (stopped after %1 of %2 partners)"},
    {Id::SummaryOneSidedOne, "%1 partner takes without giving"},
    {Id::SummaryOneSidedMany, "%1 partners take without giving"},
    {Id::VerdictTableNo, "No."},
    {Id::VerdictTableVerdict, "Verdict"},
    {Id::VerdictTableReasons, "Reasons"},
    {Id::VerdictTablePartner, "Partner URL"},
    {Id::VerdictTableAgreement, "Agreement"},
    {Id::VerdictTableYouLink, "You → them"},
    {Id::AgreementMet, "met"},
    {Id::AgreementDiffers, "differs"},
    {Id::YouLinkFollowed, "followed"},
    {Id::YouLinkNofollow, "nofollow"},
    {Id::YouLinkNone, "no link"},
    {Id::YouLinkUnknown, "unknown"},
    {Id::ReportLanguageCode, "en"},
    {Id::ReportTitle, "Link report"},
    {Id::ReportIntro, "Link report of %1: one row per partner page and per link to your site."},
    {Id::ReportVerdictTitle, "Does each partner's link count?"},
    {Id::ReportFooter, "Created with Tessaray on %1."},
    {Id::ChangesCsvHeader,
     "Change\tKind\tPartner URL\tLink URL\tOld verdict\tNew verdict\tOld text\tNew text"},
    {Id::OutcomeTimeout, "server went silent"},
    {Id::OutcomeTooSlow, "server too slow"},
    {Id::OutcomeReset, "connection reset"},
    {Id::OutcomeShortBody, "shorter than announced"},
    {Id::OutcomeBadChunking, "malformed chunked body"},
    {Id::OutcomeSizeCap, "size limit reached"},
    {Id::OutcomeTls, "TLS failure"},
    {Id::OutcomeDns, "host name not found"},
    {Id::OutcomeRefused, "connection refused"},
    {Id::OutcomeHttpError, "HTTP error"},
    {Id::OutcomeInvalid, "invalid response"},
    {Id::OutcomeFailed, "failed (%1)"},
    {Id::OutcomeBrokenOff, "broken off after %1 bytes (%2)"},
    {Id::ColumnNo, "No."},
    {Id::ColumnPartnerUrl, "Partner URL"},
    {Id::ColumnR1, "R1"},
    {Id::ColumnStatusCode, "S.Code"},
    {Id::ColumnBytes, "Bytes"},
    {Id::ColumnIntLinks, "Int.Links"},
    {Id::ColumnExtLinks, "Ext.Links"},
    {Id::ColumnYourUrl, "Your URL"},
    {Id::ColumnR2, "R2"},
    {Id::ColumnAnchorText, "Your Anchor Text"},
    {Id::ColumnListed, "Listed"},
    {Id::ColumnFollowMeta, "Follow(Meta)"},
    {Id::ColumnFollowLink, "Follow(Link)"},
    {Id::ColumnRobotsAllow, "Robots-Allow"},
    {Id::ColumnR3, "R3"},
    {Id::ColumnGoogle, "Google"},
    {Id::ColumnComment, "Comment"},
    {Id::ColumnServerHeader, "Server Header"},
    {Id::RunAnalyzingReady, "analyzing ready"},
    {Id::RunLoading, "loading"},
    {Id::RunAnalyzing, "analyzing"},
    {Id::RunReady, "ready"},
    {Id::RunCannotFetch, "cannot start the fetch"},
    {Id::RunCounts, "%1 partners, %2 listed links, %3 nofollow links, %4 failed fetches"},
    {Id::RunStopping, "stopping after the current page (press Ctrl+C again to abort)"},
    {Id::RunCancelling, "aborting: the fetches under way are cancelled, the reports of the "
                        "finished rows written"},
    {Id::RunVerdictTitle, "Verdict"},
    {Id::RunProgress, "%1 of %2 partners done, %3 in flight, %4 elapsed"},
    {Id::RunProgressLeft, ", about %1 left"},
    {Id::RunConfirmed, "confirmed"},
    {Id::RunRenderedTitle, "Rendered"},
    {Id::RunRenderedYes, "yes"},
    {Id::RunRenderedNo, "no"},
    {Id::RunRenderedFailed, "failed"},
    {Id::RunNoBrowser, "No browser found; pages are not rendered (install chromium)"},
    {Id::RunRenderFailed, "Pages are not rendered: %1"},
    {Id::ReportRendered, "Read as a browser renders the page."},
    {Id::ReportRenderFailed, "The page could not be rendered in a browser (%1); the raw HTML "
                             "stands."},
    {Id::AlertTitleOne, "1 partner lost its link to %1"},
    {Id::AlertTitleMany, "%1 partners lost their link to %2"},
    {Id::AlertOpenProject, "Open the project"},
}};

constexpr Catalogue kGerman = {{
    {Id::VerdictCounts, "zählt"},
    {Id::VerdictDoesNotCount, "zählt nicht"},
    {Id::VerdictMissing, "fehlt"},
    {Id::VerdictUnreachable, "nicht erreichbar"},
    {Id::ReasonRelNofollow, "Der Link ist mit rel=nofollow markiert."},
    {Id::ReasonRelSponsored, "Der Link ist mit rel=sponsored markiert."},
    {Id::ReasonRelUgc, "Der Link ist mit rel=ugc markiert."},
    {Id::ReasonMetaNofollow, "Ein Robots-Meta-Tag der Seite sagt nofollow."},
    {Id::ReasonHeaderNofollow, "Der X-Robots-Tag-Header der Seite sagt nofollow."},
    {Id::ReasonRobotsTxtUnreadable, "Die robots.txt der Website war nicht abrufbar, daher ruft "
                                    "Googlebot nichts von der Website ab."},
    {Id::ReasonRobotsTxtStatus, "Die robots.txt der Website antwortete mit HTTP-Status %1, daher "
                                "ruft Googlebot nichts von der Website ab."},
    {Id::ReasonRobotsTxtDisallowed,
     "Die robots.txt der Website verbietet Googlebot, die Seite abzurufen."},
    {Id::ReasonNoindex, "Die Seite will nicht indexiert werden (noindex in %1)."},
    {Id::ReasonHttpStatus, "Die Seite antwortete mit HTTP-Status %1."},
    {Id::ReasonIncomplete, "Die Seite kam nicht vollständig an (%1)."},
    {Id::ReasonFetchFailed, "Die Seite konnte nicht abgerufen werden (%1)."},
    {Id::ReasonUndecodable, "Die Seite konnte nicht als Text gelesen werden (%1)."},
    {Id::ReasonRedirected, "Die Seite leitet weiter auf %1."},
    {Id::ReasonCanonicalElsewhere, "Die Seite nennt %1 als kanonische URL."},
    {Id::ReasonInNoscript, "Der Link steht nur in <noscript>: Browser mit Skripten und Googles "
                           "Renderer zeigen ihn nicht."},
    {Id::ReasonRobotsRuleDiffers,
     "Die Spalte Robots-Allow und die robots.txt-Regeln der Suchmaschinen widersprechen sich."},
    {Id::ReasonLinksNotListed,
     "1.000 Links aufgeführt; %1 weitere zu Ihrer Domain nicht aufgeführt."},
    {Id::ReasonBlocked, "Der Bot-Schutz der Website antwortete statt der Seite; öffnen Sie sie in "
                        "Ihrem Browser."},
    {Id::ReasonCloaked, "Die Seite zeigt Googlebot andere Links als Browsern."},
    {Id::ReasonWrongTarget, "Der Link führt auf eine andere Seite als die vereinbarte %1."},
    {Id::ReasonWrongAnchor, "Der Linktext ist nicht der vereinbarte „%1“."},
    {Id::ReasonWrongRel, "Vereinbart war ein gefolgter Link; dieser ist mit %1 markiert."},
    {Id::ReasonAgreementEndsSoon, "Die Vereinbarung endet am %1."},
    {Id::ReasonAgreementEnded, "Die Vereinbarung endete am %1."},
    {Id::ReasonOneSided, "Sie verlinken diesen Partner gefolgt von %1 aus; sein Link zählt nicht."},
    {Id::ReasonYouDoNotLinkBack, "Keine Ihrer Linkseiten verlinkt diesen Partner mehr."},
    {Id::ReasonScriptInserted, "Erst das Skript der Seite erzeugt den Link; Suchmaschinen sehen "
                               "ihn später oder gar nicht."},
    {Id::ReasonRemovedByScript, "Das Skript der Seite entfernt den Link."},
    {Id::ReasonHidden, "Besucher können den Link nicht sehen (%1)."},
    {Id::SummaryPartnerOne, "Partner"},
    {Id::SummaryPartnerMany, "Partner"},
    {Id::SummaryCountsOne, "zählt"},
    {Id::SummaryCountsMany, "zählen"},
    {Id::SummaryDoesNotCountOne, "zählt nicht"},
    {Id::SummaryDoesNotCountMany, "zählen nicht"},
    {Id::SummaryMissingOne, "fehlt"},
    {Id::SummaryMissingMany, "fehlen"},
    {Id::SummaryUnreachableOne, "nicht erreichbar"},
    {Id::SummaryUnreachableMany, "nicht erreichbar"},
    {Id::SummaryStoppedOne, " (angehalten nach %1 von %2 Partner)"},
    {Id::SummaryStoppedMany, " (angehalten nach %1 von %2 Partnern)"},
    {Id::SummaryOneSidedOne, "%1 Partner nimmt, ohne zu geben"},
    {Id::SummaryOneSidedMany, "%1 Partner nehmen, ohne zu geben"},
    {Id::VerdictTableNo, "Nr."},
    {Id::VerdictTableVerdict, "Bewertung"},
    {Id::VerdictTableReasons, "Gründe"},
    {Id::VerdictTablePartner, "Partner-URL"},
    {Id::VerdictTableAgreement, "Vereinbarung"},
    {Id::VerdictTableYouLink, "Sie → Partner"},
    {Id::AgreementMet, "eingehalten"},
    {Id::AgreementDiffers, "abweichend"},
    {Id::YouLinkFollowed, "gefolgt"},
    {Id::YouLinkNofollow, "nofollow"},
    {Id::YouLinkNone, "kein Link"},
    {Id::YouLinkUnknown, "unbekannt"},
    {Id::ReportLanguageCode, "de"},
    {Id::ReportTitle, "Link-Report"},
    {Id::ReportIntro,
     "Link-Report vom %1: eine Zeile je Partnerseite und je Link zu Ihrer Website."},
    {Id::ReportVerdictTitle, "Zählt der Link jedes Partners?"},
    {Id::ReportFooter, "Erstellt mit Tessaray am %1."},
    {Id::ChangesCsvHeader, "Änderung\tArt\tPartner-URL\tLink-URL\tBewertung vorher\tBewertung "
                           "nachher\tText vorher\tText nachher"},
    {Id::OutcomeTimeout, "Server antwortet nicht mehr"},
    {Id::OutcomeTooSlow, "Server zu langsam"},
    {Id::OutcomeReset, "Verbindung abgebrochen"},
    {Id::OutcomeShortBody, "kürzer als angekündigt"},
    {Id::OutcomeBadChunking, "fehlerhafte Chunk-Kodierung"},
    {Id::OutcomeSizeCap, "Größengrenze erreicht"},
    {Id::OutcomeTls, "TLS-Fehler"},
    {Id::OutcomeDns, "Hostname nicht gefunden"},
    {Id::OutcomeRefused, "Verbindung abgelehnt"},
    {Id::OutcomeHttpError, "HTTP-Fehler"},
    {Id::OutcomeInvalid, "ungültige Antwort"},
    {Id::OutcomeFailed, "fehlgeschlagen (%1)"},
    {Id::OutcomeBrokenOff, "abgebrochen nach %1 Bytes (%2)"},
    {Id::ColumnNo, "Nr."},
    {Id::ColumnPartnerUrl, "Partner URL"},
    {Id::ColumnR1, "R1"},
    {Id::ColumnStatusCode, "S.Code"},
    {Id::ColumnBytes, "Bytes"},
    {Id::ColumnIntLinks, "Int.Links"},
    {Id::ColumnExtLinks, "Ext.Links"},
    {Id::ColumnYourUrl, "Ihre URL"},
    {Id::ColumnR2, "R2"},
    {Id::ColumnAnchorText, "Ihr Anker Text"},
    {Id::ColumnListed, "gelistet"},
    {Id::ColumnFollowMeta, "Follow(Meta)"},
    {Id::ColumnFollowLink, "Follow(Link)"},
    {Id::ColumnRobotsAllow, "Robots-Allow"},
    {Id::ColumnR3, "R3"},
    {Id::ColumnGoogle, "Google"},
    {Id::ColumnComment, "Kommentar"},
    {Id::ColumnServerHeader, "Server Header"},
    {Id::RunAnalyzingReady, "analysieren fertig"},
    {Id::RunLoading, "laden"},
    {Id::RunAnalyzing, "analysieren"},
    {Id::RunReady, "fertig"},
    {Id::RunCannotFetch, "Abruf kann nicht gestartet werden"},
    {Id::RunCounts, "%1 Partner, %2 gelistete Links, %3 Nofollow-Links, %4 fehlgeschlagene Abrufe"},
    {Id::RunStopping, "Abbruch nach der laufenden Seite (Strg+C erneut bricht sofort ab)"},
    {Id::RunCancelling, "Sofortiger Abbruch: laufende Abrufe werden beendet, die Berichte der "
                        "fertigen Zeilen geschrieben"},
    {Id::RunVerdictTitle, "Bewertung"},
    {Id::RunProgress, "%1 von %2 Partnern fertig, %3 im Abruf, %4 vergangen"},
    {Id::RunProgressLeft, ", noch etwa %1"},
    {Id::RunConfirmed, "bestätigt"},
    {Id::RunRenderedTitle, "Gerendert"},
    {Id::RunRenderedYes, "ja"},
    {Id::RunRenderedNo, "nein"},
    {Id::RunRenderedFailed, "fehlgeschlagen"},
    {Id::RunNoBrowser,
     "Kein Browser gefunden; Seiten werden nicht gerendert (chromium installieren)"},
    {Id::RunRenderFailed, "Seiten werden nicht gerendert: %1"},
    {Id::ReportRendered, "So gelesen, wie ein Browser die Seite darstellt."},
    {Id::ReportRenderFailed, "Die Seite konnte nicht im Browser dargestellt werden (%1); es gilt "
                             "das rohe HTML."},
    {Id::AlertTitleOne, "1 Partner hat seinen Link auf %1 verloren"},
    {Id::AlertTitleMany, "%1 Partner haben ihren Link auf %2 verloren"},
    {Id::AlertOpenProject, "Projekt öffnen"},
}};

// Each catalogue lists every text once, in the order of the codes.
constexpr bool IsComplete(const Catalogue& catalogue) {
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        if (catalogue[i].eId != static_cast<ETextId>(i) || catalogue[i].text.empty()) {
            return false;
        }
    }
    return true;
}
static_assert(IsComplete(kEnglish) && IsComplete(kGerman));

} // namespace

std::string_view CoreText(ETextId id, char chLanguage) {
    const Catalogue& catalogue = chLanguage == 'G' ? kGerman : kEnglish;
    const auto index = static_cast<std::size_t>(id);
    return index < catalogue.size() ? catalogue[index].text : std::string_view();
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < values.size()) {
                text += values.begin()[n];
            }
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace tessaray
