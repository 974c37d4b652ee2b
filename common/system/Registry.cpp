#include "common/system/Registry.h"

#include <cmath>

#include "common/numbers/LeadingNumber.h"

namespace zentra {
namespace {

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::vector<std::uint8_t> BytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

// The leading number rounded half to even; nullopt beyond 32 bits (or not a number at all).
std::optional<std::int32_t> DwordOf(std::string_view text) {
    const double value = std::nearbyint(LeadingNumber(text));
    if (!(value >= -2147483648.0 && value <= 2147483647.0)) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace

bool RegWriteValue(RegistryPort& registry, RegistryRoot root, const std::string& path,
                   const std::string& name, std::string_view text, std::uint32_t type) {
    RegistryValue value;
    value.type = type;
    if (type == kRegSz || type == kRegBinary) {
        value.data = BytesOf(text);
    } else if (type == kRegDword) {
        const auto number = DwordOf(text);
        if (!number) return false;
        const auto bits = static_cast<std::uint32_t>(*number);
        for (int shift = 0; shift < 32; shift += 8) {
            value.data.push_back(static_cast<std::uint8_t>(bits >> shift));
        }
    } else {
        return false;
    }
    return registry.SetValue(root, path, name, value);
}

std::string RegReadValue(const RegistryPort& registry, RegistryRoot root, const std::string& path,
                         const std::string& name, std::vector<std::uint8_t>* raw,
                         std::uint32_t* type) {
    const auto value = registry.QueryValue(root, path, name);
    if (!value) return {};
    if (raw != nullptr) *raw = value->data;
    if (type != nullptr) *type = value->type;
    const std::vector<std::uint8_t>& data = value->data;
    if (value->type == kRegDword) {
        if (data.size() < 4) return {};
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i) bits = bits << 8 | data[static_cast<std::size_t>(i)];
        return std::to_string(static_cast<std::int32_t>(bits));
    }
    std::string text(data.begin(), data.end());
    // Only a NUL that is there is dropped: a value written without one keeps its last character.
    if (IsStringType(value->type) && !text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

bool MemoryRegistry::SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                              const RegistryValue& value) {
    if (readOnly_.count(root) != 0) return false;
    values_[{root, path, name}] = value;
    ++writes_;
    return true;
}

std::optional<RegistryValue> MemoryRegistry::QueryValue(RegistryRoot root, const std::string& path,
                                                        const std::string& name) const {
    const auto found = values_.find({root, path, name});
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

}  // namespace zentra
