#include <gtest/gtest.h>

#include <string>

#include "search/aes_cipher.h"
#include "search/digests.h"

using namespace trovex::search;

namespace {

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (const unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string Bytes(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

TEST(DigestsTest, KnownAnswers) {
  EXPECT_EQ(Hex(Md5("")), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Hex(Md5("abc")), "900150983cd24fb0d6963f7d28e17f72");
  // 56 bytes: the padding and the length fall into a second block.
  EXPECT_EQ(Hex(Md5(std::string(56, '1'))), "16e54833b88a6cc06966d83d05c271b3");
  EXPECT_EQ(
      Hex(Md5("12345678901234567890123456789012345678901234567890123456789012345678901234567890")),
      "57edf4a22be3c955ac49da2e2107b67a");
  EXPECT_EQ(Hex(Sha256("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Hex(Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Hex(Sha384("abc")),
            "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed"
            "8086072ba1e7cc2358baeca134c825a7");
  EXPECT_EQ(Hex(Sha512("abc")),
            "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
            "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f");
}

TEST(AesTest, KnownAnswersAndCbcRoundTrip) {
  const std::string plain = Bytes("00112233445566778899aabbccddeeff");
  const Aes aes128(Bytes("000102030405060708090a0b0c0d0e0f"));
  const Aes aes256(Bytes("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f"));
  const std::string zeros(16, '\0');
  EXPECT_EQ(Hex(aes128.EncryptCbc(zeros, plain)), "69c4e0d86a7b0430d8cdb78070b4c55a");
  EXPECT_EQ(Hex(aes256.EncryptCbc(zeros, plain)), "8ea2b7ca516745bfeafc49904b496089");
  EXPECT_EQ(aes128.DecryptCbc(zeros, Bytes("69c4e0d86a7b0430d8cdb78070b4c55a")), plain);
  EXPECT_EQ(aes256.DecryptCbc(zeros, Bytes("8ea2b7ca516745bfeafc49904b496089")), plain);
  // Chained blocks with an IV; a key of another size gives nothing.
  const std::string iv = "initial vector!!";
  const std::string text = "three blocks of text, forty-eight bytes long....";
  ASSERT_EQ(text.size() % 16, 0u);
  const std::string sealed = aes128.EncryptCbc(iv, text);
  EXPECT_NE(sealed.substr(16, 16), aes128.EncryptCbc(zeros, text.substr(16, 16)));
  EXPECT_EQ(aes128.DecryptCbc(iv, sealed), text);
  EXPECT_FALSE(Aes("short key").Valid());
  EXPECT_EQ(Aes("short key").DecryptCbc(iv, sealed), "");
}

}  // namespace
