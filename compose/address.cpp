// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/address.h"

#include "common/text.h"

namespace trov {

namespace {

std::string plus(std::string_view s) {
    return text::replaced(s, " ", "+");
}

// Several comma-separated exact phrases become one quoted group per phrase.
std::string exactGroup(const std::string& exact) {
    if (exact.find(',') == std::string::npos)
        return exact;
    return text::replaced(exact, ",", "%22 %22");
}

std::string quotedExact(const std::string& group) {
    return group.empty() ? std::string() : "%22" + plus(group) + "%22";
}

// E preceded by "+" when both it and the words are there.
std::string joinedExact(const std::string& e, const std::string& w) {
    return (!e.empty() && !w.empty()) ? "+" + e : e;
}

ComposedAddress google(const SearchRequest& r, const EngineHosts& hosts) {
    const int kind = r.kindIndex < 0 ? 0 : r.kindIndex;
    if (kind == kTranslateKind) {
        const std::string t = r.expanded ? "\"" + r.words + "\"" : r.words;
        return {hosts.translation + "/?q=" + t,
                r.expanded ? Opener::ChosenBrowser : Opener::DefaultHandler};
    }
    const std::string_view kindFragment = fragments::at(fragments::kGoogleKind, kind);
    if (!r.expanded)
        return {hosts.google + "/search?q=" + r.words + std::string(kindFragment),
                Opener::DefaultHandler};

    const std::string w = plus(r.words);
    const std::string e = joinedExact(quotedExact(exactGroup(r.exactPhrase)), w);
    std::string x;
    if (r.excludedWords.find(',') != std::string::npos) {
        for (const std::string& piece : text::split(r.excludedWords, ','))
            x += " -" + piece;
    } else if (!r.excludedWords.empty()) {
        x = "+-\"" + r.excludedWords + "\"";
    }
    const std::string s = r.site.empty() ? std::string() : "+site:" + r.site + " ";
    const std::string& ext = r.fragments.fileExtension;
    const std::string f = ext.empty() ? std::string() : "&as_filetype=" + ext + "&";
    std::string address = hosts.google + "/search?q=" + w + e + x + s + f +
                          r.fragments.interfaceParam + r.fragments.countryParam +
                          r.fragments.languageParam +
                          std::string(fragments::at(fragments::kGooglePeriod, r.periodIndex)) +
                          std::string(kindFragment);
    for (int i = 0; i < 2; ++i)
        if (!address.empty() && address.back() == '+')
            address.pop_back();
    return {address, Opener::ChosenBrowser};
}

ComposedAddress bing(const SearchRequest& r, bool haveBrowser, const EngineHosts& hosts) {
    const int kind = r.kindIndex < 0 ? 0 : r.kindIndex;
    const std::string w = plus(r.words);
    if (kind == kTranslateKind)
        return {hosts.bing + "/translator?text=" + (r.expanded ? w : r.words),
                r.expanded ? Opener::ChosenBrowser : Opener::DefaultHandler};

    const std::string base =
        hosts.bing + "/" + std::string(fragments::at(fragments::kBingKind, kind)) + "search?&q=";
    // The "+" depends on the typed exact phrase even where the phrase itself is not sent.
    const std::string wPrime = (!r.exactPhrase.empty() && !r.words.empty()) ? "+" + w : w;
    if (!r.expanded)
        return {base + wPrime, Opener::DefaultHandler};

    const std::string e = quotedExact(r.exactPhrase);
    const std::string x =
        r.excludedWords.empty() ? std::string() : "+NOT+%5B" + r.excludedWords + "%5D";
    const std::string& ext = r.fragments.fileExtension;
    const std::string f = ext.empty() ? std::string() : "+filetype%3A" + ext;
    const std::string s = r.site.empty() ? std::string() : "+site:" + r.site + " ";
    std::string address =
        base + e + wPrime + f + x + r.fragments.locationOperator + r.fragments.languageOperator + s;
    // Through the default handler the file type has always been appended a second time.
    if (!haveBrowser)
        address += f;
    return {address, Opener::ChosenBrowser};
}

ComposedAddress duckDuckGo(const SearchRequest& r, const EngineHosts& hosts) {
    const int kind = r.kindIndex < 0 ? 0 : r.kindIndex;
    const std::string kindFragment(fragments::at(fragments::kDuckDuckGoKind, kind));
    if (!r.expanded) {
        if (r.words.empty())
            return {hosts.duckDuckGo + "/", Opener::DefaultHandler};
        return {hosts.duckDuckGo + "/?q=" + r.words + kindFragment, Opener::DefaultHandler};
    }
    const std::string e = quotedExact(r.exactPhrase);
    const std::string s = r.site.empty() ? std::string() : "+site:" + r.site;
    const std::string& ext = r.fragments.fileExtension;
    const std::string f = ext.empty() ? std::string() : "+filetype:" + ext + "&";
    const std::string rest =
        e + s + f + std::string(fragments::at(fragments::kDuckDuckGoPeriod, r.periodIndex)) +
        kindFragment;
    std::string address = hosts.duckDuckGo + "/?q=" + plus(r.words);
    if (!rest.empty())
        address += "+" + rest;
    return {address, Opener::ChosenBrowser};
}

ComposedAddress swisscows(const SearchRequest& r, const EngineHosts& hosts) {
    const std::string w = plus(r.words);
    const std::string e = joinedExact(quotedExact(exactGroup(r.exactPhrase)), w);
    return {hosts.swisscows + "/en/" +
                std::string(fragments::at(fragments::kSwisscowsKind, r.kindIndex)) + w + e +
                std::string(fragments::at(fragments::kSwisscowsPeriod, r.periodIndex)),
            Opener::ChosenBrowser};
}

std::string withLanguage(const SearchRequest& r, const std::string& bareDomain) {
    return "https://" + r.fragments.languageSubdomain + bareDomain;
}

} // namespace

std::string mendTypedText(std::string_view typed) {
    std::string s(typed);
    text::replaceAll(s, "%", "%25");
    text::replaceAll(s, "&", "%26");
    text::replaceAll(s, "#", "%23");
    text::replaceAll(s, "+", "%2B");
    return s;
}

ComposedAddress composeAddress(const SearchRequest& typed, bool haveBrowser,
                               const EngineHosts& hosts) {
    SearchRequest r = typed;
    r.words = mendTypedText(typed.words);
    r.exactPhrase = mendTypedText(typed.exactPhrase);
    r.excludedWords = mendTypedText(typed.excludedWords);
    r.site = mendTypedText(typed.site);

    const Opener byHeight = r.expanded ? Opener::ChosenBrowser : Opener::DefaultHandler;
    switch (r.engine) {
    case SearchEngine::Google:
        return google(r, hosts);
    case SearchEngine::Bing:
        return bing(r, haveBrowser, hosts);
    case SearchEngine::DuckDuckGo:
        return duckDuckGo(r, hosts);
    case SearchEngine::Swisscows:
        return swisscows(r, hosts);
    case SearchEngine::Wikipedia:
        return {withLanguage(r, hosts.wikipedia) + "/w/index.php?search=" + plus(r.words),
                byHeight};
    case SearchEngine::UrbanDictionary:
        return {withLanguage(r, hosts.urbanDictionary) + "/" + plus(r.words), byHeight};
    case SearchEngine::WolframAlpha: {
        std::string m = plus(r.words);
        if (r.kindIndex == kWolframMathKind) {
            // The blanks are "+" by now, so Math sends them as "%2B" too.
            text::replaceAll(m, "+", "%2B");
            text::replaceAll(m, "(", "%28");
            text::replaceAll(m, ")", "%29");
        }
        return {withLanguage(r, hosts.wolframAlpha) + "/input?i=" + m, Opener::ChosenBrowser};
    }
    case SearchEngine::Ask:
        return {withLanguage(r, hosts.ask) + "/web?q=" + plus(r.words), Opener::ChosenBrowser};
    case SearchEngine::Links:
        break;
    }
    return {};
}

} // namespace trov
