#include "cli/message_rows.hpp"

#include "cli/json_value.hpp"
#include "cli/table_walk.hpp"
#include "cli/terminal_view.hpp"
#include "mailhooks/tags.hpp"
#include "platform/quartz/CAGradientLayer.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UIColor.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/Mailbox.hpp"
#include "sim/mail/MailboxContentViewCell.hpp"
#include "sim/mail/MailboxContentViewController.hpp"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <nlohmann/json.hpp>

namespace tintbox::cli {
namespace {

namespace tags = tintbox::mailhooks::tags;
using nlohmann::ordered_json;

// Seconds from 1970 to the platform's reference date, 2001-01-01.
constexpr double kReferenceDateOffset = 978307200.0;

std::string isoDate(double secondsSinceReferenceDate) {
    const auto seconds =
        static_cast<std::time_t>(std::floor(secondsSinceReferenceDate + kReferenceDateOffset));
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string hexOf(const quartz::Color& colour) {
    const auto channel = [](double value) {
        return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", channel(colour.red), channel(colour.green),
                  channel(colour.blue));
    return text;
}

// The colours the extension gave a band (its stripes, top to bottom), its opacity and its
// frame in the row; null for a band that is missing, hidden or clear.
ordered_json bandJson(const UIView* band) {
    const std::vector<quartz::Color> colours = bandColours(band);
    if (colours.empty())
        return nullptr;
    auto list = ordered_json::array();
    for (const auto& colour : colours)
        if (colour.alpha > 0)
            list.push_back(hexOf(colour));
    if (list.empty())
        return nullptr;
    const CGRect frame = band->frame();
    return {{"colours", list},
            {"alpha", band->alpha()},
            {"frame", {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height}}};
}

ordered_json rowJson(MailboxContentViewCell& cell) {
    auto* message = dynamic_cast<MailMessage*>(cell.message());
    const auto& shown = cell.shown();
    Mailbox* mailbox = message ? message->mailbox() : nullptr;
    MailAccount* account = message ? message->account() : nullptr;
    UIView* content = cell.contentView();
    return {{"message", message ? message->messageIdentifier() : std::string()},
            {"account", account ? account->displayName() : std::string()},
            {"mailbox", mailbox ? mailbox->displayName() : std::string()},
            {"from", shown.from},
            {"to", shown.to},
            {"cc", shown.cc},
            {"subject", shown.subject},
            {"date", isoDate(shown.dateSent)},
            {"unread", !shown.read},
            {"flagged", shown.flagged},
            {"bands",
             {{"account", bandJson(content->viewWithTag(tags::kListAccountBand))},
              {"filter", bandJson(content->viewWithTag(tags::kListFilterBand))}}}};
}

} // namespace

void writeMessageRows(MailboxContentViewController& list, std::ostream& out, bool oneLine) {
    const char* separator = oneLine ? "" : "\n";
    out << "{\"rows\":[" << separator;
    bool first = true;
    // Rows are filled as a user scrolling through the list would see them, a screen at a time.
    if (UITableView* table = list.tableView())
        forEachRowByScrolling(*table, 0, [&](NSInteger, UITableViewCell& cell) {
            auto* row = dynamic_cast<MailboxContentViewCell*>(&cell);
            if (!row)
                return;
            if (!first)
                out << ',' << separator;
            first = false;
            out << jsonText(rowJson(*row));
        });
    out << (first ? "" : separator) << "]}\n";
}

} // namespace tintbox::cli
