// Maildir file names into flag parsing and the message identifier: the unique name and the
// flags always make up the name, and the identifier is 12 hexadecimal digits.
#include "fuzz/fuzz_support.hpp"
#include "sim/mail/maildir.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string name(reinterpret_cast<const char*>(data), size);
    // A file name holds neither a slash nor a NUL.
    for (char& c : name)
        if (c == '/' || c == '\0')
            c = '_';
    if (name.empty() || name == "." || name == "..")
        return 0;
    const auto file =
        tintbox::sim::mail::maildirFileAt(std::filesystem::path("/mail/cur") / name, false);
    if (name.rfind(file.uniqueName, 0) != 0)
        tintbox::fuzz::fault("the unique name is not the start of the file name");
    for (const char flag : {'S', 'F', 'R', 'T'})
        (void)file.hasFlag(flag);
    const std::string identifier = tintbox::sim::mail::messageIdentifierFor(file.uniqueName);
    if (identifier.size() != 12 ||
        identifier.find_first_not_of("0123456789abcdef") != std::string::npos)
        tintbox::fuzz::fault("identifier '" + identifier + "' is not 12 hexadecimal digits");
    return 0;
}
