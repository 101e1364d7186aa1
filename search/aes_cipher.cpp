#include "search/aes_cipher.h"

#include <array>
#include <cstring>

namespace trovex::search {
namespace {

std::uint8_t Times2(std::uint8_t x) {
  return static_cast<std::uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1B : 0));
}

std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) {
  std::uint8_t product = 0;
  for (; b; b >>= 1, a = Times2(a))
    if (b & 1) product ^= a;
  return product;
}

struct Boxes {
  std::array<std::uint8_t, 256> forward{}, inverse{};
};

// The S-box from its definition: the multiplicative inverse in GF(2^8), then
// the affine map.
const Boxes& SBoxes() {
  static const Boxes boxes = [] {
    Boxes b;
    for (int x = 0; x < 256; ++x) {
      std::uint8_t inverse = 0;
      for (int y = 1; y < 256 && x; ++y)
        if (Multiply(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)) == 1) {
          inverse = static_cast<std::uint8_t>(y);
          break;
        }
      std::uint8_t s = inverse;
      for (int shift = 1; shift <= 4; ++shift)
        s ^= static_cast<std::uint8_t>((inverse << shift) | (inverse >> (8 - shift)));
      s ^= 0x63;
      b.forward[x] = s;
      b.inverse[s] = static_cast<std::uint8_t>(x);
    }
    return b;
  }();
  return boxes;
}

void AddKey(std::uint8_t s[16], const std::uint8_t k[16]) {
  for (int i = 0; i < 16; ++i) s[i] ^= k[i];
}

}  // namespace

Aes::Aes(std::string_view key) {
  if (key.size() != 16 && key.size() != 32) return;
  const auto& box = SBoxes().forward;
  const int nk = static_cast<int>(key.size() / 4);
  rounds_ = nk + 6;
  std::uint8_t w[60][4];
  for (int i = 0; i < nk; ++i)
    for (int j = 0; j < 4; ++j) w[i][j] = static_cast<std::uint8_t>(key[4 * i + j]);
  std::uint8_t rcon = 1;
  for (int i = nk; i < 4 * (rounds_ + 1); ++i) {
    std::uint8_t t[4];
    std::memcpy(t, w[i - 1], 4);
    if (i % nk == 0) {
      const std::uint8_t first = t[0];
      t[0] = static_cast<std::uint8_t>(box[t[1]] ^ rcon);
      t[1] = box[t[2]];
      t[2] = box[t[3]];
      t[3] = box[first];
      rcon = Times2(rcon);
    } else if (nk > 6 && i % nk == 4) {
      for (auto& byte : t) byte = box[byte];
    }
    for (int j = 0; j < 4; ++j) w[i][j] = w[i - nk][j] ^ t[j];
  }
  for (int r = 0; r <= rounds_; ++r)
    for (int c = 0; c < 4; ++c) std::memcpy(keys_[r] + 4 * c, w[4 * r + c], 4);
}

void Aes::EncryptBlock(const std::uint8_t in[16], std::uint8_t out[16]) const {
  const auto& box = SBoxes().forward;
  std::uint8_t s[16];
  std::memcpy(s, in, 16);
  AddKey(s, keys_[0]);
  for (int round = 1; round <= rounds_; ++round) {
    std::uint8_t t[16];
    // SubBytes and ShiftRows: byte (row r, column c) comes from column c + r.
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r) t[4 * c + r] = box[s[4 * ((c + r) % 4) + r]];
    if (round != rounds_)
      for (int c = 0; c < 4; ++c) {
        std::uint8_t* col = t + 4 * c;
        const std::uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
        col[0] = Times2(a0) ^ (Times2(a1) ^ a1) ^ a2 ^ a3;
        col[1] = a0 ^ Times2(a1) ^ (Times2(a2) ^ a2) ^ a3;
        col[2] = a0 ^ a1 ^ Times2(a2) ^ (Times2(a3) ^ a3);
        col[3] = (Times2(a0) ^ a0) ^ a1 ^ a2 ^ Times2(a3);
      }
    AddKey(t, keys_[round]);
    std::memcpy(s, t, 16);
  }
  std::memcpy(out, s, 16);
}

void Aes::DecryptBlock(const std::uint8_t in[16], std::uint8_t out[16]) const {
  const auto& inverse = SBoxes().inverse;
  std::uint8_t s[16];
  std::memcpy(s, in, 16);
  AddKey(s, keys_[rounds_]);
  for (int round = rounds_ - 1; round >= 0; --round) {
    std::uint8_t t[16];
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r) t[4 * ((c + r) % 4) + r] = inverse[s[4 * c + r]];
    AddKey(t, keys_[round]);
    if (round != 0)
      for (int c = 0; c < 4; ++c) {
        std::uint8_t* col = t + 4 * c;
        const std::uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
        col[0] = Multiply(a0, 14) ^ Multiply(a1, 11) ^ Multiply(a2, 13) ^ Multiply(a3, 9);
        col[1] = Multiply(a0, 9) ^ Multiply(a1, 14) ^ Multiply(a2, 11) ^ Multiply(a3, 13);
        col[2] = Multiply(a0, 13) ^ Multiply(a1, 9) ^ Multiply(a2, 14) ^ Multiply(a3, 11);
        col[3] = Multiply(a0, 11) ^ Multiply(a1, 13) ^ Multiply(a2, 9) ^ Multiply(a3, 14);
      }
    std::memcpy(s, t, 16);
  }
  std::memcpy(out, s, 16);
}

std::string Aes::EncryptCbc(std::string_view iv, std::string_view data) const {
  std::string out;
  if (!Valid() || iv.size() != 16) return out;
  std::uint8_t chain[16], block[16];
  std::memcpy(chain, iv.data(), 16);
  for (std::size_t at = 0; at + 16 <= data.size(); at += 16) {
    for (int i = 0; i < 16; ++i) block[i] = chain[i] ^ static_cast<std::uint8_t>(data[at + i]);
    EncryptBlock(block, chain);
    out.append(reinterpret_cast<const char*>(chain), 16);
  }
  return out;
}

std::string Aes::DecryptCbc(std::string_view iv, std::string_view data) const {
  std::string out;
  if (!Valid() || iv.size() != 16) return out;
  std::uint8_t chain[16], block[16];
  std::memcpy(chain, iv.data(), 16);
  out.reserve(data.size());
  for (std::size_t at = 0; at + 16 <= data.size(); at += 16) {
    DecryptBlock(reinterpret_cast<const std::uint8_t*>(data.data() + at), block);
    for (int i = 0; i < 16; ++i) block[i] ^= chain[i];
    std::memcpy(chain, data.data() + at, 16);
    out.append(reinterpret_cast<const char*>(block), 16);
  }
  return out;
}

}  // namespace trovex::search
