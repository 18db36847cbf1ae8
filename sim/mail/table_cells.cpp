#include "sim/mail/table_cells.hpp"

#include <stdexcept>

namespace tintbox::sim::mail {

objc::Ref<NSObject> dequeueOrMakeCell(UITableView* table, std::string_view className,
                                      const std::string& reuseIdentifier,
                                      UITableViewCellStyle style) {
    static const SEL dequeue = sel_registerName("dequeueReusableCellWithIdentifier:");
    objc::Ref<NSObject> cell =
        objc::msgSend<objc::Ref<NSObject>(std::string)>(table, dequeue, reuseIdentifier);
    if (!cell) {
        Class cls = objc_getClass(className);
        if (!cls)
            throw std::logic_error("no runtime class " + std::string(className));
        cell = class_createInstance(cls);
        objc::msgSend<id(NSInteger, std::string)>(cell, UITableViewCell::initWithStyleSelector(),
                                                  style, reuseIdentifier);
    }
    if (auto* view = dynamic_cast<UIView*>(cell.get()); view && table) {
        CGRect frame = view->frame();
        frame.size.width = table->bounds().width();
        view->setFrame(frame);
    }
    return cell;
}

} // namespace tintbox::sim::mail
