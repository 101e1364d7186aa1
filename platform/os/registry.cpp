#include "platform/os/registry.h"

#include <windows.h>

#include <utility>

#include "platform/os/wide_text.h"

namespace trovex::os {
namespace {

HKEY RootHandle(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// A leading "\" marks a path from the root, as in the framework's registry class.
std::wstring KeyPath(const std::string& path) {
  std::string_view p(path);
  while (!p.empty() && p.front() == '\\') p.remove_prefix(1);
  return Widen(p);
}

// REG_SZ data as CP932: the stored size usually counts the terminating zero; the
// text ends at the first one.
std::string StringData(const std::vector<unsigned char>& data) {
  std::wstring wide(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  auto end = wide.find(L'\0');
  if (end != std::wstring::npos) wide.resize(end);
  return Narrow(wide);
}

std::int32_t IntegerData(const std::string& name, const std::vector<unsigned char>& data) {
  if (data.size() != sizeof(DWORD)) throw RegistryError("Invalid data type for '" + name + "'");
  DWORD value = 0;
  memcpy(&value, data.data(), sizeof value);
  return static_cast<std::int32_t>(value);
}

}  // namespace

RegistryKey::~RegistryKey() { Close(); }

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

bool RegistryKey::OpenWith(RegistryRoot root, const std::string& path, unsigned long access,
                           bool create) {
  Close();
  HKEY key = nullptr;
  std::wstring wide = KeyPath(path);
  LONG rc = create ? RegCreateKeyExW(RootHandle(root), wide.c_str(), 0, nullptr,
                                     REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr)
                   : RegOpenKeyExW(RootHandle(root), wide.c_str(), 0, access, &key);
  if (rc != ERROR_SUCCESS) return false;
  handle_ = key;
  return true;
}

bool RegistryKey::Open(RegistryRoot root, const std::string& path) {
  return OpenWith(root, path, KEY_READ | KEY_WRITE, false);
}

bool RegistryKey::OpenReadOnly(RegistryRoot root, const std::string& path) {
  return OpenWith(root, path, KEY_READ, false);
}

bool RegistryKey::Create(RegistryRoot root, const std::string& path) {
  return OpenWith(root, path, KEY_READ | KEY_WRITE, true);
}

void RegistryKey::Close() {
  if (handle_) RegCloseKey(static_cast<HKEY>(handle_));
  handle_ = nullptr;
}

long RegistryKey::ValueType(const std::string& name) const {
  if (!handle_) return -1;
  DWORD type = 0;
  std::wstring wide = Widen(name);
  if (RegQueryValueExW(static_cast<HKEY>(handle_), wide.c_str(), nullptr, &type, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return -1;
  return static_cast<long>(type);
}

bool RegistryKey::ValueExists(const std::string& name) const { return ValueType(name) >= 0; }

bool RegistryKey::TryReadRaw(const std::string& name, unsigned long expectedType,
                             std::vector<unsigned char>& data) const {
  if (!handle_) return false;
  std::wstring wide = Widen(name);
  HKEY key = static_cast<HKEY>(handle_);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  bool stringTypes = expectedType == REG_SZ && (type == REG_SZ || type == REG_EXPAND_SZ);
  if (type != expectedType && !stringTypes)
    throw RegistryError("Invalid data type for '" + name + "'");
  data.assign(size, 0);
  if (size != 0 &&
      RegQueryValueExW(key, wide.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
    throw RegistryError("Failed to get data for '" + name + "'");
  data.resize(size);
  return true;
}

std::vector<unsigned char> RegistryKey::ReadRaw(const std::string& name,
                                                unsigned long expectedType) const {
  if (!handle_) throw RegistryError("Registry key is not open");
  std::vector<unsigned char> data;
  if (!TryReadRaw(name, expectedType, data))
    throw RegistryError("Failed to get data for '" + name + "'");
  return data;
}

std::string RegistryKey::ReadString(const std::string& name) const {
  return StringData(ReadRaw(name, REG_SZ));
}

std::int32_t RegistryKey::ReadInteger(const std::string& name) const {
  return IntegerData(name, ReadRaw(name, REG_DWORD));
}

bool RegistryKey::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

bool RegistryKey::TryReadString(const std::string& name, std::string& value) const {
  std::vector<unsigned char> data;
  if (!TryReadRaw(name, REG_SZ, data)) return false;
  value = StringData(data);
  return true;
}

bool RegistryKey::TryReadInteger(const std::string& name, std::int32_t& value) const {
  std::vector<unsigned char> data;
  if (!TryReadRaw(name, REG_DWORD, data)) return false;
  value = IntegerData(name, data);
  return true;
}

bool RegistryKey::TryReadBool(const std::string& name, bool& value) const {
  std::int32_t integer = 0;
  if (!TryReadInteger(name, integer)) return false;
  value = integer != 0;
  return true;
}

void RegistryKey::WriteRaw(const std::string& name, unsigned long type, const void* data,
                           unsigned long size) {
  if (!handle_) throw RegistryError("Registry key is not open");
  std::wstring wide = Widen(name);
  if (RegSetValueExW(static_cast<HKEY>(handle_), wide.c_str(), 0, type,
                     static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
    throw RegistryError("Failed to set data for '" + name + "'");
}

void RegistryKey::WriteString(const std::string& name, const std::string& value) {
  std::wstring wide = Widen(value);
  WriteRaw(name, REG_SZ, wide.c_str(),
           static_cast<unsigned long>((wide.size() + 1) * sizeof(wchar_t)));
}

void RegistryKey::WriteInteger(const std::string& name, std::int32_t value) {
  DWORD raw = static_cast<DWORD>(value);
  WriteRaw(name, REG_DWORD, &raw, sizeof raw);
}

void RegistryKey::WriteBool(const std::string& name, bool value) {
  WriteInteger(name, value ? 1 : 0);
}

bool RegistryKey::DeleteValue(const std::string& name) {
  if (!handle_) return false;
  std::wstring wide = Widen(name);
  return RegDeleteValueW(static_cast<HKEY>(handle_), wide.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> RegistryKey::ValueNames() const {
  std::vector<std::string> names;
  if (!handle_) return names;
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD length = sizeof name / sizeof name[0];
    if (RegEnumValueW(static_cast<HKEY>(handle_), i, name, &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS)
      break;
    names.push_back(Narrow(std::wstring_view(name, length)));
  }
  return names;
}

bool RegistryKeyExists(RegistryRoot root, const std::string& path) {
  RegistryKey key;
  return key.OpenReadOnly(root, path);
}

bool DeleteRegistryTree(RegistryRoot root, const std::string& path) {
  std::wstring wide = KeyPath(path);
  LONG rc = RegDeleteTreeW(RootHandle(root), wide.c_str());
  if (rc == ERROR_SUCCESS) RegDeleteKeyW(RootHandle(root), wide.c_str());
  return !RegistryKeyExists(root, path);
}

}  // namespace trovex::os
