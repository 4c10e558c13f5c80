// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/engine_add.h"

#include "common/atomic_file.h"
#include "common/text.h"
#include "compose/own_engines.h"
#include "compose/search_link.h"
#include "compose/web_get.h"
#include "settings/ini.h"

#include <curl/curl.h>
#include <filesystem>
#include <fstream>

namespace trov {

namespace {

// A document as read, with the address its links are resolved against.
struct Document {
    std::string bytes;
    std::string address;
};

bool isWebAddress(std::string_view s) {
    return text::startsWithIgnoreCase(s, "http://") || text::startsWithIgnoreCase(s, "https://");
}

std::string fileAddress(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string address = "file://";
    for (const char c : std::filesystem::absolute(path).lexically_normal().string()) {
        const auto b = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            std::string_view("/-._~").find(c) != std::string_view::npos) {
            address += c;
        } else {
            address += '%';
            address += kHex[b >> 4];
            address += kHex[b & 0xF];
        }
    }
    return address;
}

// The path of a file: address, nullopt for any other.
std::optional<std::string> filePath(const std::string& address) {
    if (!text::startsWithIgnoreCase(address, "file://"))
        return std::nullopt;
    CURLU* url = curl_url();
    char* path = nullptr;
    std::optional<std::string> result;
    if (url && curl_url_set(url, CURLUPART_URL, address.c_str(), 0) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_PATH, &path, CURLU_URLDECODE) == CURLUE_OK)
        result = path;
    curl_free(path);
    curl_url_cleanup(url);
    return result;
}

std::variant<Document, std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || std::filesystem::is_directory(path, ec))
        return path + ": cannot be read";
    std::string bytes(kMaxDescriptionBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxDescriptionBytes)
        return path + ": larger than " + std::to_string(kMaxDescriptionBytes) + " bytes";
    return Document{std::move(bytes), fileAddress(path)};
}

std::variant<Document, std::string> readDocument(const std::string& source) {
    if (!isWebAddress(source))
        return readFile(filePath(source).value_or(source));
    WebPage page = webGet(source, {std::chrono::seconds(10), kMaxDescriptionBytes});
    if (!page.ok)
        return source + ": " + page.error;
    return Document{std::move(page.body), page.address.empty() ? source : page.address};
}

} // namespace

std::variant<OpenSearchDescription, std::string> readEngineSource(const std::string& source) {
    auto read = readDocument(source);
    if (read.index() == 1)
        return std::get<1>(read);
    const Document& document = std::get<0>(read);
    std::string why;
    if (auto description = readOpenSearchDescription(document.bytes, &why))
        return std::move(*description);
    // Not a description: a web page that links one is followed, once.
    const std::optional<std::string> link = findSearchLink(document.bytes);
    if (!link)
        return source + ": no OpenSearch description (" + why +
               ") and no link to one (<link rel=\"search\" "
               "type=\"application/opensearchdescription+xml\">)";
    const std::optional<std::string> linked = resolveAddress(document.address, *link);
    // A page on the web may link descriptions on the web only, never a local file.
    if (!linked || (!isWebAddress(*linked) && isWebAddress(document.address)))
        return source + ": its search link \"" + *link + "\" is no address Trov can read";
    auto linkedRead = readDocument(*linked);
    if (linkedRead.index() == 1)
        return std::get<1>(linkedRead);
    if (auto description = readOpenSearchDescription(std::get<0>(linkedRead).bytes, &why))
        return std::move(*description);
    return *linked + " (linked by " + source + "): no OpenSearch description (" + why + ")";
}

std::string uniqueSectionName(std::string_view iniText, const std::string& name) {
    const IniDocument doc = IniDocument::parse(iniText);
    std::string unique = name;
    for (int n = 2; doc.hasSection(unique); ++n)
        unique = name + " " + std::to_string(n);
    return unique;
}

std::string appendEngineSection(std::string_view file, const std::string& name,
                                const std::string& key, const DescribedEngine& engine) {
    const std::size_t firstEnd = file.find('\n');
    const std::string_view eol =
        firstEnd != std::string_view::npos && (firstEnd == 0 || file[firstEnd - 1] != '\r')
            ? "\n"
            : "\r\n";
    std::string out(file);
    if (!out.empty() && out.back() != '\n')
        out += eol;
    if (!out.empty())
        out += eol;
    out.append("[").append(name).append("]").append(eol);
    if (!key.empty())
        out.append("Key=").append(key).append(eol);
    out.append("Address=").append(engine.address).append(eol);
    if (!engine.suggest.empty())
        out.append("Suggest=").append(engine.suggest).append(eol);
    return out;
}

EngineAdded addEngine(const std::string& enginesPath, const EngineAddition& addition) {
    using Status = EngineAdded::Status;
    FileError error;
    // The key is checked before anything is fetched, and again against the file as it is
    // when the section is written.
    const auto keyRefusal = [&](const std::string& file) -> std::optional<EngineAdded> {
        if (!addition.key)
            return std::nullopt;
        const OwnEngines engines = parseOwnEngines(file);
        if (auto problem = keyProblem(*addition.key, engines.byKey(*addition.key)))
            return EngineAdded{Status::KeyRefused, {}, std::move(*problem)};
        return std::nullopt;
    };
    const auto readEngines = [&]() -> std::optional<std::string> {
        if (!fileExists(enginesPath))
            return std::string();
        return readWholeFile(enginesPath, &error);
    };
    std::optional<std::string> file = readEngines();
    if (!file)
        return {Status::Failed, {}, enginesPath + ": " + error.reason};
    if (auto refusal = keyRefusal(*file))
        return *refusal;

    auto description = readEngineSource(addition.source);
    if (description.index() == 1)
        return {Status::Failed, {}, std::get<1>(description)};
    auto described = describedEngine(std::get<0>(description));
    if (described.index() == 1)
        return {Status::Failed, {}, addition.source + ": " + std::get<1>(described)};
    const DescribedEngine& engine = std::get<0>(described);

    file = readEngines();
    if (!file)
        return {Status::Failed, {}, enginesPath + ": " + error.reason};
    if (auto refusal = keyRefusal(*file))
        return *refusal;
    const std::string given = addition.name ? sectionNameOf(*addition.name) : std::string();
    const std::string name =
        uniqueSectionName(text::decodeStoredText(*file), given.empty() ? engine.name : given);
    if (!writeFileAtomically(enginesPath,
                             appendEngineSection(*file, name, addition.key.value_or(""), engine),
                             &error))
        return {Status::Failed, {}, enginesPath + ": " + error.reason};
    return {Status::Added, name, {}};
}

} // namespace trov
