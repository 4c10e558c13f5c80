// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/web_get.h"

#include "crawler/curl_fetch.h"
#include "crawler/curl_page_source.h"

#include <memory>

namespace trov {

namespace {

struct Reader {
    std::string body;
    std::size_t maxBytes;
    bool cut = false;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* reader = static_cast<Reader*>(user);
    const std::size_t n = size * count;
    if (reader->body.size() + n > reader->maxBytes) {
        reader->cut = true;
        return 0; // ends the transfer: an answer this large is not what was asked for
    }
    reader->body.append(data, n);
    return n;
}

struct EasyDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};

} // namespace

WebPage webGet(const std::string& address, const WebGetOptions& options) {
    WebPage page;
    initialiseCurl();
    const std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        page.error = "no transfer could be set up";
        return page;
    }
    CURL* h = easy.get();
    Reader reader{{}, options.maxBytes};
    const std::string agent = crawlerAgent();
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(options.timeout.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBytes));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &reader);
    const CURLcode code = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &page.status);
    if (char* final = nullptr;
        curl_easy_getinfo(h, CURLINFO_EFFECTIVE_URL, &final) == CURLE_OK && final)
        page.address = final;
    if (reader.cut || code == CURLE_FILESIZE_EXCEEDED)
        page.error = "the answer is larger than " + std::to_string(options.maxBytes) + " bytes";
    else if (code != CURLE_OK)
        page.error = curl_easy_strerror(code);
    else if (page.status < 200 || page.status > 299)
        page.error = "the answer's status is " + std::to_string(page.status);
    else
        page.ok = true;
    if (page.ok)
        page.body = std::move(reader.body);
    return page;
}

} // namespace trov
