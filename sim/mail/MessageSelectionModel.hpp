// MessageSelectionModel: the messages chosen in a message list's edit mode, in the order they
// were chosen, each once. The list holds it in its instance variable _selectionModel while it
// is in edit mode and hands it to _bulkMarkSelection:asRead:.
//   selection->add(message);   selection->count();
#pragma once

#include "platform/objc/objc.hpp"

#include <vector>

class MessageSelectionModel : public NSObject {
public:
    static Class registerRuntimeClass();

    const std::vector<objc::Ref<NSObject>>& messages() const { return m_messages; }
    NSInteger count() const { return static_cast<NSInteger>(m_messages.size()); }
    bool contains(NSObject* message) const;
    void add(NSObject* message);
    void remove(NSObject* message);
    void removeAll() { m_messages.clear(); }

private:
    std::vector<objc::Ref<NSObject>> m_messages;
};
