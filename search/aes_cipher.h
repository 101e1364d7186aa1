#pragma once
// AES with 128- and 256-bit keys in CBC mode, for encrypted PDF files: their
// streams are decrypted, and the AES-256 password check encrypts.
#include <cstdint>
#include <string>
#include <string_view>

namespace trovex::search {

class Aes {
 public:
  // `key` is 16 or 32 bytes; any other length leaves the cipher unusable.
  explicit Aes(std::string_view key);
  bool Valid() const { return rounds_ != 0; }
  void EncryptBlock(const std::uint8_t in[16], std::uint8_t out[16]) const;
  void DecryptBlock(const std::uint8_t in[16], std::uint8_t out[16]) const;
  // CBC over whole blocks (a trailing part block is dropped), no padding handled.
  std::string EncryptCbc(std::string_view iv, std::string_view data) const;
  std::string DecryptCbc(std::string_view iv, std::string_view data) const;

 private:
  int rounds_ = 0;
  std::uint8_t keys_[15][16] = {};
};

}  // namespace trovex::search
