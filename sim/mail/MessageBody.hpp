// MessageBody and MessageBodyPart, the host's body objects: a body says whether it is HTML and
// hands out its preferred part (the HTML part when there is one, else the plain text), whose
// decodeText is the part's text in UTF-8.
//   id part = objc::msgSend<id()>(body, sel_registerName("preferredBodyPart"));
//   std::string text = objc::msgSend<std::string()>(part, sel_registerName("decodeText"));
#pragma once

#include "platform/objc/objc.hpp"

#include <string>

class MessageBodyPart : public NSObject {
public:
    static Class registerRuntimeClass();

    MessageBodyPart() = default;
    MessageBodyPart(std::string text, bool isHTML) : m_text(std::move(text)), m_isHTML(isHTML) {}

    std::string decodeText() const { return m_text; }
    bool isHTML() const { return m_isHTML; }

private:
    std::string m_text;
    bool m_isHTML{false};
};

class MessageBody : public NSObject {
public:
    static Class registerRuntimeClass();

    MessageBody() = default;
    explicit MessageBody(objc::Ref<MessageBodyPart> preferredPart)
        : m_preferredPart(std::move(preferredPart)) {}

    bool isHTML() const { return m_preferredPart && m_preferredPart->isHTML(); }
    MessageBodyPart* preferredBodyPart() const { return m_preferredPart.get(); }

private:
    objc::Ref<MessageBodyPart> m_preferredPart;
};
