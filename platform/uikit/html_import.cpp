#include "platform/uikit/html_import.hpp"

#include <array>
#include <cctype>
#include <libxml/HTMLparser.h>
#include <memory>
#include <string>

namespace uikit {
namespace {

struct DocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentDeleter>;

bool nameIs(const xmlNode* node, std::string_view name) {
    return node->name && std::string_view(reinterpret_cast<const char*>(node->name)) == name;
}

bool isBlock(const xmlNode* node) {
    static constexpr std::array kBlocks{"p",  "div", "li", "tr", "h1",    "h2",         "h3", "h4",
                                        "h5", "h6",  "ul", "ol", "table", "blockquote", "hr"};
    for (const char* block : kBlocks)
        if (nameIs(node, block))
            return true;
    return false;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// An element the reader never sees: display:none in its style (newsletters hide their
// preheader so), or the hidden attribute.
bool isHidden(const xmlNode* node) {
    if (xmlHasProp(node, reinterpret_cast<const xmlChar*>("hidden")))
        return true;
    xmlChar* raw = xmlGetProp(node, reinterpret_cast<const xmlChar*>("style"));
    if (!raw)
        return false;
    std::string style;
    for (const xmlChar* c = raw; *c; ++c)
        if (!isBlank(static_cast<char>(*c)))
            style += static_cast<char>(std::tolower(*c));
    xmlFree(raw);
    for (std::size_t at = style.find("display:none"); at != std::string::npos;
         at = style.find("display:none", at + 1))
        if (at == 0 || style[at - 1] == ';')
            return true;
    return false;
}

// Text with blanks folded, line breaks kept where blocks end.
class TextBuilder {
public:
    void appendText(std::string_view text) {
        for (char c : text) {
            if (isBlank(c)) {
                m_pendingSpace = !m_text.empty() && m_text.back() != '\n';
                continue;
            }
            if (m_pendingSpace)
                m_text += ' ';
            m_pendingSpace = false;
            m_text += c;
        }
    }
    void breakLine() {
        m_pendingSpace = false;
        m_text += '\n';
    }
    void endLine() {
        m_pendingSpace = false;
        if (!m_text.empty() && !m_text.ends_with("\n\n"))
            m_text += '\n';
    }
    std::string finish() {
        while (!m_text.empty() && isBlank(m_text.back()))
            m_text.pop_back();
        return m_text;
    }

private:
    std::string m_text;
    bool m_pendingSpace{false};
};

void collect(const xmlNode* node, TextBuilder& builder) {
    for (; node; node = node->next) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            if (node->content)
                builder.appendText(reinterpret_cast<const char*>(node->content));
            continue;
        }
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (nameIs(node, "script") || nameIs(node, "style") || nameIs(node, "head") ||
            isHidden(node))
            continue;
        if (nameIs(node, "br")) {
            builder.breakLine();
            continue;
        }
        const bool block = isBlock(node);
        if (block)
            builder.endLine();
        collect(node->children, builder);
        if (block)
            builder.endLine();
    }
}

} // namespace

std::string plainTextFromHTML(std::string_view html) {
    if (html.empty())
        return {};
    Document document(htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                                     HTML_PARSE_RECOVER | HTML_PARSE_NOERROR |
                                         HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
    if (!document)
        return {};
    TextBuilder builder;
    collect(xmlDocGetRootElement(document.get()), builder);
    return builder.finish();
}

} // namespace uikit
