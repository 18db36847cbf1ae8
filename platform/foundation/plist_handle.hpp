// Owning handles for libplist: a node tree (plist_t) and the buffers libplist allocates for
// serialised output and copied strings. Hold every plist_t in a PlistHandle so that no path,
// early return or exception included, forgets plist_free.
#pragma once

#include <cstdlib>
#include <memory>
#include <plist/plist.h>

namespace foundation {

struct PlistNodeDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};

// A root node; release() when handing the node to a parent that takes ownership of it.
using PlistHandle = std::unique_ptr<void, PlistNodeDeleter>;

struct PlistXmlDeleter {
    void operator()(char* xml) const { plist_to_xml_free(xml); }
};

// The text that plist_to_xml returns.
using PlistXmlBuffer = std::unique_ptr<char, PlistXmlDeleter>;

struct MallocDeleter {
    void operator()(void* p) const { std::free(p); }
};

// A key or iterator that libplist allocates with malloc and leaves to the caller.
using PlistKeyBuffer = std::unique_ptr<char, MallocDeleter>;
using PlistIterator = std::unique_ptr<void, MallocDeleter>;

} // namespace foundation
