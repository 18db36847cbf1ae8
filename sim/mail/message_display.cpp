#include "sim/mail/message_display.hpp"

#include "platform/uikit/html_import.hpp"
#include "sim/mail/text_snippet.hpp"

#include <ctime>
#include <optional>

namespace tintbox::sim::mail {
namespace {

// Seconds from 1970-01-01 to 2001-01-01, the platform's reference date.
constexpr double kReferenceDateOffset = 978307200.0;

using AddressList = std::optional<std::vector<std::string>>;

SEL sel(const char* name) {
    return sel_registerName(name);
}

std::vector<std::string> addresses(id message, SEL selector) {
    return objc::msgSend<AddressList()>(message, selector).value_or(std::vector<std::string>{});
}

std::string trimmed(std::string text) {
    const auto first = text.find_first_not_of(" \t\"");
    const auto last = text.find_last_not_of(" \t\"");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// In the local time zone (TZ), as the reminders' due times are shown.
std::string formatted(double secondsSinceReferenceDate, const char* format) {
    const auto seconds = static_cast<std::time_t>(secondsSinceReferenceDate + kReferenceDateOffset);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char buffer[64] = {};
    std::strftime(buffer, sizeof buffer, format, &parts);
    return buffer;
}

bool responds(id object, const char* selector) {
    return object && object->respondsToSelector(sel(selector));
}

} // namespace

std::string personalName(const std::string& address) {
    const auto open = address.find('<');
    if (open == std::string::npos)
        return trimmed(address);
    std::string name = trimmed(address.substr(0, open));
    if (!name.empty())
        return name;
    const auto close = address.find('>', open);
    return trimmed(address.substr(open + 1, close == std::string::npos ? close : close - open - 1));
}

MessageDisplay readMessageDisplay(id message) {
    // Every row reads these: the selectors are looked up once.
    static const SEL sendersSel = sel("senders");
    static const SEL toSel = sel("to");
    static const SEL ccSel = sel("cc");
    static const SEL subjectSel = sel("subject");
    static const SEL dateSentSel = sel("dateSent");
    static const SEL isReadSel = sel("isRead");
    static const SEL isFlaggedSel = sel("isFlagged");
    MessageDisplay shown;
    const auto senders = addresses(message, sendersSel);
    for (const auto& sender : senders)
        shown.from += (shown.from.empty() ? "" : ", ") + sender;
    shown.sender = senders.empty() ? std::string() : personalName(senders.front());
    shown.to = addresses(message, toSel);
    shown.cc = addresses(message, ccSel);
    shown.subject = objc::msgSend<std::optional<std::string>()>(message, subjectSel).value_or("");
    if (message && message->respondsToSelector(dateSentSel))
        shown.dateSent = objc::msgSend<double()>(message, dateSentSel);
    if (message && message->respondsToSelector(isReadSel))
        shown.read = objc::msgSend<bool()>(message, isReadSel);
    if (message && message->respondsToSelector(isFlaggedSel))
        shown.flagged = objc::msgSend<bool()>(message, isFlaggedSel);
    return shown;
}

std::string readBodyText(id message) {
    if (!responds(message, "messageBody"))
        return {};
    id body = objc::msgSend<id()>(message, sel("messageBody"));
    id part = objc::msgSend<id()>(body, sel("preferredBodyPart"));
    if (!part)
        return {};
    std::string text = objc::msgSend<std::string()>(part, sel("decodeText"));
    if (objc::msgSend<bool()>(body, sel("isHTML")))
        text = uikit::plainTextFromHTML(text);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string readPreviewText(id message, std::size_t maxCharacters) {
    static const SEL previewTextSel = sel("previewText");
    if (message && message->respondsToSelector(previewTextSel))
        return snippetOf(objc::msgSend<std::string()>(message, previewTextSel), maxCharacters);
    return snippetOf(readBodyText(message), maxCharacters);
}

std::string shortDate(double secondsSinceReferenceDate) {
    return formatted(secondsSinceReferenceDate, "%d %b %Y");
}

std::string longDate(double secondsSinceReferenceDate) {
    return formatted(secondsSinceReferenceDate, "%a, %d %b %Y %H:%M");
}

} // namespace tintbox::sim::mail
