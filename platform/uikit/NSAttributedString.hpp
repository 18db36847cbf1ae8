// NSAttributedString, as far as its plain text goes: made from text, or from a document's bytes
// with initWithData:options:documentAttributes:error: (HTML through the platform's HTML import,
// plain text as it is); `string` answers the text. Options name the document type and the
// character encoding; only UTF-8 (4) is read.
//   auto text = NSAttributedString::withData(html, {{NSDocumentTypeDocumentOption,
//       NSHTMLTextDocumentType}, {NSCharacterEncodingDocumentOption, NSUTF8StringEncoding}});
//   if (text) body = text->string();
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/objc/objc.hpp"

#include <string>

inline constexpr const char* NSDocumentTypeDocumentOption = "DocumentType";
inline constexpr const char* NSCharacterEncodingDocumentOption = "CharacterEncoding";
inline constexpr const char* NSHTMLTextDocumentType = "NSHTML";
inline constexpr const char* NSPlainTextDocumentType = "NSPlainText";
inline constexpr std::int64_t NSUTF8StringEncoding = 4;

class NSAttributedString : public NSObject {
public:
    static Class registerRuntimeClass();

    NSAttributedString() = default;
    explicit NSAttributedString(std::string text) : m_string(std::move(text)) {}

    // A new string through initWithData:options:documentAttributes:error:; nil when the
    // document type or the encoding is not one it reads.
    static objc::Ref<NSAttributedString> withData(std::string data,
                                                  const foundation::Dictionary& options);
    // Answers the receiver, or nil for a document it cannot read (no type is read as plain text).
    NSAttributedString* initWithData(std::string data, foundation::Dictionary options);

    std::string string() const { return m_string; }
    NSUInteger length() const;

private:
    std::string m_string;
};
