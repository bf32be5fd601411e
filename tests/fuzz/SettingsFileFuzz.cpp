// The settings file is outside input: any bytes must parse without a fault, and what the parser
// keeps must survive a rewrite exactly, so that saving never changes a value it did not set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/linux/RegistryFile.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

bool sameValues(const velunor::RegistryFile& a, const velunor::RegistryFile& b) {
    if (a.values().size() != b.values().size()) return false;
    for (std::size_t i = 0; i < a.values().size(); ++i) {
        const auto& x = a.values()[i];
        const auto& y = b.values()[i];
        if (x.name != y.name || x.registryType != y.registryType || x.data != y.data) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto first = velunor::RegistryFile::parse(text);
    const std::string written = first.serialize();
    auto second = velunor::RegistryFile::parse(written);
    require(sameValues(first, second));
    require(second.serialize() == written);

    // Setting a value taken from the input keeps every other value and reads back as set.
    if (size > 2) {
        std::string name(text.substr(0, size / 2));
        std::string value(text.substr(size / 2));
        auto third = second;
        if (third.set(name, velunor::RegistryFile::kString, value)) {
            auto fourth = velunor::RegistryFile::parse(third.serialize());
            const auto* v = fourth.find(name);
            require(v != nullptr);
            std::size_t zero = value.find('\0');
            require(v->data == value.substr(0, zero));
            require(fourth.values().size() == third.values().size());
        }
    }
    return 0;
}
