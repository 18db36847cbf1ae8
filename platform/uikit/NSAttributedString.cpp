#include "platform/uikit/NSAttributedString.hpp"

#include "platform/foundation/utf16.hpp"
#include "platform/uikit/html_import.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = NSAttributedString::registerRuntimeClass();

SEL initWithDataSelector() {
    static const SEL selector = sel_registerName("initWithData:options:documentAttributes:error:");
    return selector;
}
} // namespace

Class NSAttributedString::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<NSAttributedString>("NSAttributedString")
            // The data, the options dictionary, and the two unused out-parameters (nil here).
            .method(
                "initWithData:options:documentAttributes:error:",
                +[](id self, SEL, std::string data, foundation::Dictionary options) -> id {
                    return static_cast<NSAttributedString&>(*self).initWithData(std::move(data),
                                                                                std::move(options));
                })
            .method<&NSAttributedString::string>("string")
            .method<&NSAttributedString::length>("length");
    return cls;
}

objc::Ref<NSAttributedString> NSAttributedString::withData(std::string data,
                                                           const foundation::Dictionary& options) {
    auto text = objc::make<NSAttributedString>();
    id initialised = objc::msgSend<id(std::string, foundation::Dictionary)>(
        text, initWithDataSelector(), std::move(data), options);
    return objc::Ref<NSAttributedString>(dynamic_cast<NSAttributedString*>(initialised));
}

NSAttributedString* NSAttributedString::initWithData(std::string data,
                                                     foundation::Dictionary options) {
    if (const foundation::Value* encoding =
            foundation::find(options, NSCharacterEncodingDocumentOption)) {
        const std::int64_t* number = encoding->asInteger();
        if (!number || *number != NSUTF8StringEncoding)
            return nullptr;
    }
    std::string type = NSPlainTextDocumentType;
    if (const foundation::Value* given = foundation::find(options, NSDocumentTypeDocumentOption)) {
        if (!given->asString())
            return nullptr;
        type = *given->asString();
    }
    if (type == NSHTMLTextDocumentType)
        m_string = uikit::plainTextFromHTML(data);
    else if (type == NSPlainTextDocumentType)
        m_string = std::move(data);
    else
        return nullptr;
    return this;
}

NSUInteger NSAttributedString::length() const {
    return foundation::utf16Length(m_string);
}
