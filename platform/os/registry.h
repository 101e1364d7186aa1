#pragma once
// A registry key opened by path, with typed values: strings as REG_SZ, integers
// and booleans as REG_DWORD (booleans 0 or 1). Names and data are CP932.
// Reading a value stored with another type throws RegistryError, as does a
// failed write.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace trovex::os {

enum class RegistryRoot { CurrentUser, LocalMachine };

class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey();
  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens an existing key for reading and writing; a leading "\" is allowed.
  // Never creates the key. False when it cannot be opened.
  bool Open(RegistryRoot root, const std::string& path);
  // Opens an existing key for reading only.
  bool OpenReadOnly(RegistryRoot root, const std::string& path);
  // Opens the key, creating it and its parents when missing.
  bool Create(RegistryRoot root, const std::string& path);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

  bool ValueExists(const std::string& name) const;
  std::string ReadString(const std::string& name) const;
  std::int32_t ReadInteger(const std::string& name) const;
  bool ReadBool(const std::string& name) const;
  // Read the value into `value` when it exists; false, leaving `value` as it was,
  // when it does not (or the key is not open). A value of another type throws.
  bool TryReadString(const std::string& name, std::string& value) const;
  bool TryReadInteger(const std::string& name, std::int32_t& value) const;
  bool TryReadBool(const std::string& name, bool& value) const;
  void WriteString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteBool(const std::string& name, bool value);
  bool DeleteValue(const std::string& name);

  // The registry type (REG_SZ, REG_DWORD, ...) of a value, or -1 when it does not exist.
  long ValueType(const std::string& name) const;
  std::vector<std::string> ValueNames() const;

 private:
  bool OpenWith(RegistryRoot root, const std::string& path, unsigned long access, bool create);
  // False when the value does not exist; throws when it has another type or cannot be read.
  bool TryReadRaw(const std::string& name, unsigned long expectedType,
                  std::vector<unsigned char>& data) const;
  std::vector<unsigned char> ReadRaw(const std::string& name, unsigned long expectedType) const;
  void WriteRaw(const std::string& name, unsigned long type, const void* data, unsigned long size);

  void* handle_ = nullptr;  // HKEY
};

// True when the key exists (it is not created).
bool RegistryKeyExists(RegistryRoot root, const std::string& path);
// Deletes the key with its values and subkeys. True when it is gone afterwards.
bool DeleteRegistryTree(RegistryRoot root, const std::string& path);

}  // namespace trovex::os
