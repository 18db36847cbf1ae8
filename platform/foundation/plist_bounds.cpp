#include "platform/foundation/plist_bounds.hpp"

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace foundation {
namespace {

constexpr std::string_view kBinarySignature = "bplist00";
constexpr std::size_t kTrailerSize = 32;

std::uint64_t bigEndian(const unsigned char* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

struct Trailer {
    unsigned offsetSize{0};
    unsigned referenceSize{0};
    std::uint64_t objectCount{0};
    std::uint64_t topObject{0};
    std::uint64_t offsetTable{0};
};

class BinaryWalk {
public:
    explicit BinaryWalk(std::string_view bytes)
        : m_bytes(reinterpret_cast<const unsigned char*>(bytes.data())), m_size(bytes.size()) {}

    std::optional<std::string> problem() {
        if (!readTrailer())
            return m_problem;
        struct Pending {
            std::uint64_t object;
            int depth;
        };
        std::vector<Pending> pending{{m_trailer.topObject, 0}};
        std::size_t visits = 0;
        std::size_t expandedBytes = 0;
        while (!pending.empty()) {
            const Pending next = pending.back();
            pending.pop_back();
            if (++visits > kMaximumPropertyListNodes)
                return "holds too many values";
            if (next.depth > kMaximumPropertyListDepth)
                return "nested too deeply";
            Object object;
            if (!readObject(next.object, object))
                return m_problem;
            expandedBytes += object.payloadBytes;
            if (expandedBytes > kMaximumPropertyListExpandedBytes)
                return "expands to too many bytes";
            if (object.kind == Kind::Container || object.kind == Kind::Dictionary) {
                const std::uint64_t references =
                    object.kind == Kind::Dictionary ? object.count * 2 : object.count;
                for (std::uint64_t i = 0; i < references; ++i) {
                    const std::uint64_t target =
                        reference(object.payload + i * m_trailer.referenceSize);
                    if (target >= m_trailer.objectCount)
                        return "refers to an object that does not exist";
                    if (object.kind == Kind::Dictionary && i < object.count) {
                        // Keys are leaves, checked here; each reference is a copy all the same.
                        std::size_t keyBytes = 0;
                        if (auto keyProblem = checkKey(target, keyBytes))
                            return keyProblem;
                        expandedBytes += keyBytes;
                        if (++visits > kMaximumPropertyListNodes)
                            return "holds too many values";
                        if (expandedBytes > kMaximumPropertyListExpandedBytes)
                            return "expands to too many bytes";
                        continue;
                    }
                    pending.push_back({target, next.depth + 1});
                }
            }
        }
        return std::nullopt;
    }

    std::optional<double> rootDate() {
        if (!readTrailer())
            return std::nullopt;
        Object object;
        if (!readObject(m_trailer.topObject, object) || object.marker != 0x33)
            return std::nullopt;
        const std::uint64_t bits = bigEndian(object.payload, 8);
        return std::bit_cast<double>(bits);
    }

private:
    enum class Kind { Leaf, Container, Dictionary, String };

    struct Object {
        unsigned char marker{0};
        Kind kind{Kind::Leaf};
        const unsigned char* payload{nullptr};
        std::uint64_t count{0}; // elements, pairs or (for strings) characters
        std::size_t payloadBytes{0};
        bool utf16{false};
    };

    bool fail(std::string what) {
        m_problem = std::move(what);
        return false;
    }

    bool readTrailer() {
        if (m_size < kBinarySignature.size() + 1 + kTrailerSize)
            return fail("not a property list (too short)");
        const unsigned char* trailer = m_bytes + m_size - kTrailerSize;
        m_trailer.offsetSize = trailer[6];
        m_trailer.referenceSize = trailer[7];
        m_trailer.objectCount = bigEndian(trailer + 8, 8);
        m_trailer.topObject = bigEndian(trailer + 16, 8);
        m_trailer.offsetTable = bigEndian(trailer + 24, 8);
        m_objectsEnd = m_trailer.offsetTable;
        const std::uint64_t tableLimit = m_size - kTrailerSize;
        if (m_trailer.offsetSize < 1 || m_trailer.offsetSize > 8 || m_trailer.referenceSize < 1 ||
            m_trailer.referenceSize > 8)
            return fail("not a property list (bad trailer)");
        if (m_trailer.objectCount == 0 || m_trailer.topObject >= m_trailer.objectCount)
            return fail("not a property list (bad trailer)");
        if (m_trailer.offsetTable < kBinarySignature.size() + 1 ||
            m_trailer.offsetTable > tableLimit ||
            m_trailer.objectCount > (tableLimit - m_trailer.offsetTable) / m_trailer.offsetSize)
            return fail("not a property list (bad offset table)");
        return true;
    }

    std::uint64_t reference(const unsigned char* at) const {
        return bigEndian(at, m_trailer.referenceSize);
    }

    // The bytes [at, at + count) lie inside the object area.
    bool inObjects(std::uint64_t at, std::uint64_t count) const {
        return at <= m_objectsEnd && count <= m_objectsEnd - at;
    }

    bool readObject(std::uint64_t index, Object& object) {
        const std::uint64_t offset = bigEndian(
            m_bytes + m_trailer.offsetTable + index * m_trailer.offsetSize, m_trailer.offsetSize);
        if (offset < kBinarySignature.size() || offset >= m_objectsEnd)
            return fail("refers to an object outside the document");
        std::uint64_t at = offset + 1;
        object.marker = m_bytes[offset];
        const unsigned high = object.marker >> 4;
        const unsigned low = object.marker & 0x0F;

        auto counted = [&](std::uint64_t& count) {
            count = low;
            if (low != 0x0F)
                return true;
            if (!inObjects(at, 1))
                return fail("ends inside an object");
            const unsigned char lengthMarker = m_bytes[at];
            if ((lengthMarker >> 4) != 0x1 || (lengthMarker & 0x0F) > 3)
                return fail("holds an object of unreadable length");
            const std::uint64_t width = 1u << (lengthMarker & 0x0F);
            if (!inObjects(at + 1, width))
                return fail("ends inside an object");
            count = bigEndian(m_bytes + at + 1, width);
            at += 1 + width;
            return true;
        };
        auto payload = [&](std::uint64_t count, std::uint64_t unit) {
            if (count > m_objectsEnd / unit || !inObjects(at, count * unit))
                return fail("holds an object that runs past the document");
            object.payload = m_bytes + at;
            return true;
        };

        switch (high) {
        case 0x0:
            if (low != 0x0 && low != 0x8 && low != 0x9 && low != 0xF)
                return fail("holds an object of unknown type");
            return true;
        case 0x1:
            if (low > 4)
                return fail("holds an integer of unknown width");
            return payload(std::uint64_t{1} << low, 1);
        case 0x2:
            if (low != 2 && low != 3)
                return fail("holds a real of unknown width");
            return payload(std::uint64_t{1} << low, 1);
        case 0x3:
            if (low != 3)
                return fail("holds a date of unknown width");
            return payload(8, 1);
        case 0x4:
        case 0x5:
        case 0x6: {
            std::uint64_t count = 0;
            if (!counted(count))
                return false;
            const std::uint64_t unit = high == 0x6 ? 2 : 1;
            if (!payload(count, unit))
                return false;
            object.kind = high == 0x4 ? Kind::Leaf : Kind::String;
            object.utf16 = high == 0x6;
            object.count = count;
            // UTF-16 text may grow by half again as UTF-8.
            object.payloadBytes = static_cast<std::size_t>(count * (high == 0x6 ? 3 : 1));
            return true;
        }
        case 0x8:
            if (low != 0 && low != 1 && low != 3 && low != 7)
                return fail("holds a UID of unknown width");
            return payload(low + 1u, 1);
        case 0xA:
        case 0xC:
        case 0xD: {
            std::uint64_t count = 0;
            if (!counted(count))
                return false;
            const std::uint64_t references = high == 0xD ? 2 : 1;
            if (count > m_objectsEnd / references ||
                !payload(count * references, m_trailer.referenceSize))
                return false;
            object.kind = high == 0xD ? Kind::Dictionary : Kind::Container;
            object.count = count;
            return true;
        }
        default:
            return fail("holds an object of unknown type");
        }
    }

    std::optional<std::string> checkKey(std::uint64_t index, std::size_t& bytes) {
        Object key;
        if (!readObject(index, key))
            return m_problem;
        bytes = key.payloadBytes;
        if (key.kind != Kind::String)
            return "has a dictionary key that is not a string";
        for (std::uint64_t i = 0; i < key.count; ++i) {
            const bool nul = key.utf16 ? (key.payload[2 * i] == 0 && key.payload[2 * i + 1] == 0)
                                       : key.payload[i] == 0;
            if (nul)
                return "has a dictionary key holding a NUL character";
        }
        return std::nullopt;
    }

    const unsigned char* m_bytes;
    std::size_t m_size;
    Trailer m_trailer;
    std::uint64_t m_objectsEnd{0};
    std::string m_problem;
};

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return text.size() - at >= prefix.size() && text.compare(at, prefix.size(), prefix) == 0;
}

// Counts the open array and dict elements the way libplist's XML reader nests them. Comments,
// CDATA sections and declarations are skipped as that reader skips them; a closing tag only
// lowers the count, so a document cannot look shallower than it is.
std::optional<std::string> xmlDepthProblem(std::string_view text) {
    int depth = 0;
    std::size_t at = 0;
    for (;;) {
        at = text.find('<', at);
        if (at == std::string_view::npos)
            return std::nullopt;
        auto skipPast = [&](std::string_view end) {
            const std::size_t found = text.find(end, at);
            at = found == std::string_view::npos ? text.size() : found + end.size();
        };
        if (startsWith(text, at, "<!--")) {
            at += 4;
            skipPast("-->");
            continue;
        }
        if (startsWith(text, at, "<![CDATA[")) {
            skipPast("]]>");
            continue;
        }
        if (startsWith(text, at, "<!") || startsWith(text, at, "<?")) {
            skipPast(">");
            continue;
        }
        const bool closing = startsWith(text, at, "</");
        std::size_t nameStart = at + (closing ? 2 : 1);
        std::size_t nameEnd = nameStart;
        while (nameEnd < text.size() && text[nameEnd] != '>' && text[nameEnd] != '/' &&
               text[nameEnd] != ' ' && text[nameEnd] != '\t' && text[nameEnd] != '\n' &&
               text[nameEnd] != '\r')
            ++nameEnd;
        const std::string_view name = text.substr(nameStart, nameEnd - nameStart);
        const bool container = name == "array" || name == "dict";
        const std::size_t end = text.find('>', nameEnd);
        const bool selfClosing = end != std::string_view::npos && end > 0 && text[end - 1] == '/';
        if (container && closing) {
            if (depth > 0)
                --depth;
        } else if (container && !selfClosing) {
            // The plist element is depth 0's parent, so the root container is depth 0.
            if (++depth > kMaximumPropertyListDepth + 1)
                return "nested too deeply";
        }
        if (end == std::string_view::npos)
            return std::nullopt;
        at = end + 1;
    }
}

} // namespace

std::optional<std::string> propertyListBoundsProblem(std::string_view bytes) {
    if (bytes.substr(0, kBinarySignature.size()) == kBinarySignature)
        return BinaryWalk(bytes).problem();
    return xmlDepthProblem(bytes);
}

std::optional<double> binaryRootDate(std::string_view bytes) {
    if (bytes.substr(0, kBinarySignature.size()) != kBinarySignature)
        return std::nullopt;
    return BinaryWalk(bytes).rootDate();
}

std::string binaryDateDocument(double secondsSinceReferenceDate) {
    std::string document(kBinarySignature);
    document += static_cast<char>(0x33);
    const auto bits = std::bit_cast<std::uint64_t>(secondsSinceReferenceDate);
    for (int shift = 56; shift >= 0; shift -= 8)
        document += static_cast<char>((bits >> shift) & 0xFF);
    document += static_cast<char>(kBinarySignature.size()); // the offset table: one entry
    const std::size_t offsetTable = document.size() - 1;
    document.append(6, '\0');
    document += static_cast<char>(1); // offset width
    document += static_cast<char>(1); // reference width
    auto appendWord = [&](std::uint64_t value) {
        for (int shift = 56; shift >= 0; shift -= 8)
            document += static_cast<char>((value >> shift) & 0xFF);
    };
    appendWord(1);
    appendWord(0);
    appendWord(offsetTable);
    return document;
}

} // namespace foundation
