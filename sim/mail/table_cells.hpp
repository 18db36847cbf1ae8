// Making the rows of the Mail screens as the host does: a queued cell of the identifier when the
// table has one, else a new object of the named class initialised through the runtime
// (initWithStyle:reuseIdentifier:), so a plug-in's replacement of that method sees every new
// cell. The cell is given the table's width before it is filled, as the platform's dequeue does.
#pragma once

#include "platform/uikit/UITableView.hpp"

#include <string>
#include <string_view>

namespace tintbox::sim::mail {

objc::Ref<NSObject> dequeueOrMakeCell(UITableView* table, std::string_view className,
                                      const std::string& reuseIdentifier,
                                      UITableViewCellStyle style = UITableViewCellStyleDefault);

} // namespace tintbox::sim::mail
