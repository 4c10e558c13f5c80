// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/opensearch_description.h"

#include "common/text.h"

#include <expat.h>
#include <memory>

namespace trov {

namespace {

// Between a name's namespace and its local part when expat reports it.
constexpr char kNamespaceSeparator = ' ';

std::string_view localName(const XML_Char* name) {
    const std::string_view n(name);
    const std::size_t at = n.rfind(kNamespaceSeparator);
    return at == std::string_view::npos ? n : n.substr(at + 1);
}

std::string attribute(const XML_Char** attributes, std::string_view wanted) {
    for (const XML_Char** a = attributes; a[0]; a += 2)
        if (localName(a[0]) == wanted)
            return a[1];
    return {};
}

struct Reader {
    XML_Parser parser = nullptr;
    OpenSearchDescription description;
    int depth = 0;
    bool rootKnown = false;
    bool inShortName = false;
    bool inUrl = false;
    std::string problem{};

    void stop(std::string why) {
        if (problem.empty())
            problem = std::move(why);
        XML_StopParser(parser, XML_FALSE);
    }
};

void XMLCALL onStart(void* user, const XML_Char* name, const XML_Char** attributes) {
    auto* r = static_cast<Reader*>(user);
    const std::string_view element = localName(name);
    ++r->depth;
    if (r->depth == 1) {
        r->rootKnown = element == "OpenSearchDescription" || element == "SearchPlugin";
        if (!r->rootKnown)
            r->stop("its root element is " + std::string(element) + ", not OpenSearchDescription");
    } else if (r->depth == 2 && element == "ShortName") {
        r->inShortName = true;
    } else if (r->depth == 2 && element == "Url") {
        r->inUrl = true;
        r->description.urls.push_back({attribute(attributes, "type"),
                                       attribute(attributes, "method"),
                                       attribute(attributes, "rel"),
                                       attribute(attributes, "template"),
                                       attribute(attributes, "indexOffset"),
                                       attribute(attributes, "pageOffset"),
                                       {}});
    } else if (r->depth == 3 && r->inUrl && element == "Param") {
        r->description.urls.back().params.emplace_back(attribute(attributes, "name"),
                                                       attribute(attributes, "value"));
    }
}

void XMLCALL onEnd(void* user, const XML_Char*) {
    auto* r = static_cast<Reader*>(user);
    if (r->depth == 2) {
        r->inShortName = false;
        r->inUrl = false;
    }
    --r->depth;
}

void XMLCALL onText(void* user, const XML_Char* s, int length) {
    auto* r = static_cast<Reader*>(user);
    if (r->inShortName && r->depth == 2)
        r->description.shortName.append(s, static_cast<std::size_t>(length));
}

// A description has no use for entities; refusing their declarations keeps expansion
// tricks out whatever expat's own limits are.
void XMLCALL onEntity(void* user, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                      const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<Reader*>(user)->stop("it declares entities");
}

struct ParserDeleter {
    void operator()(XML_Parser p) const { XML_ParserFree(p); }
};

} // namespace

std::optional<OpenSearchDescription> readOpenSearchDescription(std::string_view bytes,
                                                               std::string* error) {
    const auto fail = [error](std::string why) -> std::optional<OpenSearchDescription> {
        if (error)
            *error = std::move(why);
        return std::nullopt;
    };
    if (bytes.size() > kMaxDescriptionBytes)
        return fail("it is larger than " + std::to_string(kMaxDescriptionBytes) + " bytes");
    const std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(
        XML_ParserCreateNS(nullptr, kNamespaceSeparator));
    if (!parser)
        return fail("no XML parser could be made");
    Reader reader;
    reader.parser = parser.get();
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    XML_SetEntityDeclHandler(parser.get(), onEntity);
    // The whole document in one call: expat then reads every token once.
    if (XML_Parse(parser.get(), bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) !=
        XML_STATUS_OK) {
        if (!reader.problem.empty())
            return fail(reader.problem);
        return fail("it is not well-formed XML (line " +
                    std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                    XML_ErrorString(XML_GetErrorCode(parser.get())) + ")");
    }
    reader.description.shortName = std::string(text::trim(reader.description.shortName));
    return std::move(reader.description);
}

} // namespace trov
