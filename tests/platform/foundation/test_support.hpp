// The shared file fixtures under the foundation tests' names, and readable values in failures.
#pragma once

#include "platform/foundation/property_list.hpp"
#include "tests/support/temporary_folder.hpp"

#include <ostream>

namespace foundation {

// Lets failed expectations show values as readable XML.
inline void PrintTo(const Value& value, std::ostream* out) {
    try {
        *out << xmlPropertyList(value);
    } catch (const std::exception&) {
        *out << "(value of kind " << static_cast<int>(value.kind()) << ")";
    }
}

} // namespace foundation

namespace foundation::testing {

using tintbox::testing::fileContents;
using tintbox::testing::ScopedEnvironment;
using tintbox::testing::TemporaryFolder;
using tintbox::testing::writeFile;

} // namespace foundation::testing
