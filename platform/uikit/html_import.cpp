#include "platform/uikit/html_import.hpp"

#include <array>
#include <cctype>
#include <initializer_list>
#include <libxml/HTMLparser.h>
#include <memory>
#include <string>
#include <string_view>

namespace uikit {
namespace {

struct DocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentDeleter>;

bool nameIs(const xmlNode* node, std::string_view name) {
    return node->name && std::string_view(reinterpret_cast<const char*>(node->name)) == name;
}

bool nameIsOneOf(const xmlNode* node, std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names)
        if (nameIs(node, name))
            return true;
    return false;
}

// Blocks that stand apart from what surrounds them by an empty line.
bool isParagraphBlock(const xmlNode* node) {
    return nameIsOneOf(node, {"p", "div", "h1", "h2", "h3", "h4", "h5", "h6", "ul", "ol", "dl",
                              "table", "blockquote", "hr", "pre", "address", "figure"});
}

// Blocks that only take a line of their own: list items, table rows and the like.
bool isLineBlock(const xmlNode* node) {
    return nameIsOneOf(node, {"li", "tr", "dt", "dd", "caption", "figcaption"});
}

bool isCell(const xmlNode* node) {
    return nameIsOneOf(node, {"td", "th"});
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
                m_pendingSpace = !m_text.empty() && !atLineStart() && m_text.back() != '\t';
                continue;
            }
            if (m_pendingSpace)
                m_text += ' ';
            m_pendingSpace = false;
            m_text += c;
        }
    }
    // Preformatted text: every blank and line break as written, line ends as line feeds.
    void appendVerbatim(std::string_view text) {
        flushSpace();
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') {
                m_text += '\n';
                if (i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
                continue;
            }
            m_text += text[i];
        }
    }
    void breakLine() {
        m_pendingSpace = false;
        m_text += '\n';
    }
    void endLine() {
        m_pendingSpace = false;
        if (!m_text.empty() && !atLineStart())
            m_text += '\n';
    }
    void endParagraph() {
        m_pendingSpace = false;
        if (!m_text.empty() && !m_text.ends_with("\n\n"))
            m_text += atLineStart() ? "\n" : "\n\n";
    }
    // A table cell after another in its row is set apart by a tab.
    void startCell() {
        m_pendingSpace = false;
        if (!m_text.empty() && !atLineStart())
            m_text += '\t';
    }
    std::string finish() {
        while (!m_text.empty() && isBlank(m_text.back()))
            m_text.pop_back();
        return m_text;
    }

private:
    bool atLineStart() const { return m_text.empty() || m_text.back() == '\n'; }
    void flushSpace() {
        if (m_pendingSpace)
            m_text += ' ';
        m_pendingSpace = false;
    }

    std::string m_text;
    bool m_pendingSpace{false};
};

void collect(const xmlNode* node, TextBuilder& builder, bool preformatted) {
    for (; node; node = node->next) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            if (!node->content)
                continue;
            const std::string_view text(reinterpret_cast<const char*>(node->content));
            if (preformatted)
                builder.appendVerbatim(text);
            else
                builder.appendText(text);
            continue;
        }
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (nameIsOneOf(node, {"script", "style", "head", "title"}) || isHidden(node))
            continue;
        if (nameIs(node, "br")) {
            builder.breakLine();
            continue;
        }
        const bool paragraph = isParagraphBlock(node);
        const bool line = isLineBlock(node);
        if (paragraph)
            builder.endParagraph();
        else if (line)
            builder.endLine();
        else if (isCell(node))
            builder.startCell();
        const bool pre = nameIs(node, "pre");
        const xmlNode* children = node->children;
        // A line break right after <pre> belongs to the markup, not to the text.
        if (pre && children && children->type == XML_TEXT_NODE && children->content &&
            children->content[0] == '\n') {
            builder.appendVerbatim(reinterpret_cast<const char*>(children->content) + 1);
            children = children->next;
        }
        collect(children, builder, preformatted || pre);
        if (paragraph)
            builder.endParagraph();
        else if (line)
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
    collect(xmlDocGetRootElement(document.get()), builder, false);
    return builder.finish();
}

} // namespace uikit
