#include "search/pdf_crypt.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "search/aes_cipher.h"
#include "search/digests.h"
#include "search/pdf_document.h"

namespace trovex::search::pdf {
namespace {

// The 32 bytes an empty password is padded with.
const std::string kPadding(
    "\x28\xBF\x4E\x5E\x4E\x75\x8A\x41\x64\x00\x4E\x56\xFF\xFA\x01\x08"
    "\x2E\x2E\x00\xB6\xD0\x68\x3E\x80\x2F\x0C\xA9\xFE\x64\x53\x69\x7A",
    32);

std::string Rc4(std::string_view key, std::string_view data) {
  std::uint8_t s[256];
  for (int i = 0; i < 256; ++i) s[i] = static_cast<std::uint8_t>(i);
  if (key.empty()) return std::string(data);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + static_cast<std::uint8_t>(key[i % key.size()])) & 0xFF;
    std::swap(s[i], s[j]);
  }
  std::string out(data);
  int i = 0, j = 0;
  for (char& c : out) {
    i = (i + 1) & 0xFF;
    j = (j + s[i]) & 0xFF;
    std::swap(s[i], s[j]);
    c = static_cast<char>(c ^ s[(s[i] + s[j]) & 0xFF]);
  }
  return out;
}

// AES-CBC data: a 16-byte IV first, PKCS#5 padding last.
bool AesDecrypt(std::string_view key, std::string& data) {
  if (data.size() < 16) {
    data.clear();
    return true;
  }
  const Aes aes(key);
  std::string plain = aes.DecryptCbc(data.substr(0, 16), std::string_view(data).substr(16));
  if (!plain.empty()) {
    const auto pad = static_cast<unsigned char>(plain.back());
    if (pad >= 1 && pad <= 16 && pad <= plain.size()) plain.resize(plain.size() - pad);
  }
  data = std::move(plain);
  return true;
}

std::string StringOf(Document& document, const Object& dict, std::string_view key) {
  const Object* value = document.Lookup(dict, key);
  return value && value->type == Object::Type::String ? value->text : std::string();
}

std::int64_t IntOf(Document& document, const Object& dict, std::string_view key,
                   std::int64_t fallback) {
  const Object* value = document.Lookup(dict, key);
  return value && value->type == Object::Type::Int ? value->integer : fallback;
}

// The hash of a password for AES-256 (revision 6; revision 5 is one SHA-256).
std::string Hash2B(std::string_view password, std::string_view salt, int revision) {
  std::string k = Sha256(std::string(password) + std::string(salt));
  if (revision < 6) return k;
  for (int round = 0;; ++round) {
    std::string k1;
    const std::string unit = std::string(password) + k;
    for (int i = 0; i < 64; ++i) k1 += unit;
    const Aes aes(std::string_view(k).substr(0, 16));
    const std::string e = aes.EncryptCbc(std::string_view(k).substr(16, 16), k1);
    int sum = 0;
    for (int i = 0; i < 16; ++i) sum += static_cast<unsigned char>(e[i]);
    switch (sum % 3) {
      case 0:
        k = Sha256(e);
        break;
      case 1:
        k = Sha384(e);
        break;
      default:
        k = Sha512(e);
        break;
    }
    if (round >= 63 && static_cast<unsigned char>(e.back()) <= round + 1 - 32) break;
  }
  return k.substr(0, 32);
}

}  // namespace

bool SetUpDecryption(Document& document) {
  const Object* encrypt = document.Lookup(document.Trailer(), "Encrypt");
  if (!encrypt || !encrypt->IsDict()) return false;
  const Object* filter = document.Lookup(*encrypt, "Filter");
  if (!filter || !filter->IsName("Standard")) return false;
  const std::int64_t v = IntOf(document, *encrypt, "V", 0);
  const std::int64_t r = IntOf(document, *encrypt, "R", 0);
  const std::string o = StringOf(document, *encrypt, "O");
  const std::string u = StringOf(document, *encrypt, "U");
  // How streams are encrypted: RC4, or AES by the crypt filter (V4, V5).
  enum class Method { Rc4, Aes, None } method = Method::Rc4;
  if (v >= 4) {
    const Object* streamFilter = document.Lookup(*encrypt, "StmF");
    const Object* filters = document.Lookup(*encrypt, "CF");
    if (!streamFilter || streamFilter->IsName("Identity")) {
      method = Method::None;
    } else if (filters && filters->IsDict()) {
      const Object* cf = document.Lookup(*filters, streamFilter->text);
      const Object* cfm = cf && cf->IsDict() ? document.Lookup(*cf, "CFM") : nullptr;
      if (cfm && (cfm->IsName("AESV2") || cfm->IsName("AESV3")))
        method = Method::Aes;
      else if (cfm && cfm->IsName("None"))
        method = Method::None;
    }
  }
  if (v == 5) {
    if (r < 5 || u.size() < 48) return false;
    const std::string_view uv(u);
    if (Hash2B("", uv.substr(32, 8), static_cast<int>(r)) != uv.substr(0, 32)) return false;
    const std::string ue = StringOf(document, *encrypt, "UE");
    if (ue.size() < 32) return false;
    const std::string intermediate = Hash2B("", uv.substr(40, 8), static_cast<int>(r));
    const std::string key =
        Aes(intermediate).DecryptCbc(std::string(16, '\0'), std::string_view(ue).substr(0, 32));
    if (key.size() != 32) return false;
    document.SetDecryptor([key, method](std::uint32_t, std::uint32_t, std::string& data) {
      return method != Method::Aes || AesDecrypt(key, data);
    });
    return true;
  }
  if (v < 1 || v > 4 || r < 2 || r > 4 || o.size() < 32 || u.size() < 32) return false;
  const std::size_t length =
      r == 2 ? 5
             : static_cast<std::size_t>(
                   std::clamp<std::int64_t>(IntOf(document, *encrypt, "Length", 40), 40, 128) / 8);
  std::string id;
  if (const Object* ids = document.Lookup(document.Trailer(), "ID");
      ids && ids->type == Object::Type::Array && !ids->items.empty())
    id = document.Resolve(ids->items[0]).text;
  const std::int64_t p = IntOf(document, *encrypt, "P", 0);
  std::string seed = kPadding + o.substr(0, 32);
  for (int i = 0; i < 4; ++i)
    seed += static_cast<char>((static_cast<std::uint32_t>(p) >> (8 * i)) & 0xFF);
  seed += id;
  const Object* metadata = document.Lookup(*encrypt, "EncryptMetadata");
  if (r >= 4 && metadata && metadata->type == Object::Type::Bool && !metadata->integer)
    seed += std::string(4, '\xFF');
  std::string key = Md5(seed).substr(0, length);
  if (r >= 3)
    for (int i = 0; i < 50; ++i) key = Md5(key).substr(0, length);
  // The empty password opens the file when it gives the stored /U.
  bool opens;
  if (r == 2) {
    opens = Rc4(key, kPadding) == u.substr(0, 32);
  } else {
    std::string check = Rc4(key, Md5(kPadding + id));
    for (int i = 1; i <= 19; ++i) {
      std::string round = key;
      for (char& c : round) c = static_cast<char>(c ^ i);
      check = Rc4(round, check);
    }
    opens = check == u.substr(0, 16);
  }
  if (!opens) return false;
  document.SetDecryptor(
      [key, method](std::uint32_t number, std::uint32_t generation, std::string& data) {
        if (method == Method::None) return true;
        std::string objectKey = key;
        for (int i = 0; i < 3; ++i) objectKey += static_cast<char>((number >> (8 * i)) & 0xFF);
        for (int i = 0; i < 2; ++i) objectKey += static_cast<char>((generation >> (8 * i)) & 0xFF);
        if (method == Method::Aes) objectKey += "sAlT";
        objectKey = Md5(objectKey).substr(0, std::min<std::size_t>(key.size() + 5, 16));
        if (method == Method::Aes) return AesDecrypt(objectKey, data);
        data = Rc4(objectKey, data);
        return true;
      });
  return true;
}

}  // namespace trovex::search::pdf
