// Registry values as text: the store behind a small port, so that start-up and shut-down can be
// tested against an in-memory registry.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace zentra {

enum class RegistryRoot : int { LocalMachine, CurrentUser };

// Value types by their registry numbers.
enum RegistryType : std::uint32_t {
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

struct RegistryValue {
    std::uint32_t type = kRegSz;
    std::vector<std::uint8_t> data;
};

// The raw store. Paths are backslash-separated key paths below the root. Names, paths and the
// data of string values are UTF-8; the system's store converts them.
class RegistryPort {
  public:
    virtual ~RegistryPort() = default;
    // Creates the key if needed and writes the value; false when either is refused.
    virtual bool SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                          const RegistryValue& value) = 0;
    // nullopt when the key or the value is missing or cannot be read.
    virtual std::optional<RegistryValue> QueryValue(RegistryRoot root, const std::string& path,
                                                    const std::string& name) const = 0;
};

// Writes `text` as a value: REG_SZ and REG_BINARY as its bytes without a terminating NUL,
// REG_DWORD as its leading number rounded to a 32-bit integer. False when the store refuses, the
// type is none of those three, or the number does not fit 32 bits.
bool RegWriteValue(RegistryPort& registry, RegistryRoot root, const std::string& path,
                   const std::string& name, std::string_view text, std::uint32_t type = kRegSz);

// The value as text: string types without their trailing NUL, REG_DWORD as signed decimal, other
// types as their bytes. "" for a missing key or value. `raw` and `type`, when given, receive the
// stored bytes and type.
std::string RegReadValue(const RegistryPort& registry, RegistryRoot root, const std::string& path,
                         const std::string& name, std::vector<std::uint8_t>* raw = nullptr,
                         std::uint32_t* type = nullptr);

// A registry in memory; roots can be made read-only to act like a standard user account.
class MemoryRegistry final : public RegistryPort {
  public:
    bool SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                  const RegistryValue& value) override;
    std::optional<RegistryValue> QueryValue(RegistryRoot root, const std::string& path,
                                            const std::string& name) const override;

    void RefuseWrites(RegistryRoot root) { readOnly_.insert(root); }
    int Writes() const { return writes_; }

  private:
    using Key = std::tuple<RegistryRoot, std::string, std::string>;
    std::map<Key, RegistryValue> values_;
    std::set<RegistryRoot> readOnly_;
    int writes_ = 0;
};

}  // namespace zentra
