#pragma once
// MD5, SHA-256, SHA-384 and SHA-512, for the keys of encrypted PDF files.
#include <string>
#include <string_view>

namespace trovex::search {

// Each returns the digest's raw bytes (16, 32, 48 or 64).
std::string Md5(std::string_view data);
std::string Sha256(std::string_view data);
std::string Sha384(std::string_view data);
std::string Sha512(std::string_view data);

}  // namespace trovex::search
