// The hit snippet over any file bytes, offset and inputs: no fault, and the
// snippet keeps its form: a text up to the first zero byte, or at most 64 bytes
// as "HH,HH,..." or as characters with "." for the others.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "fuzz_file.h"
#include "results/hit_snippet.h"

using namespace trovex;

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

void CheckBinary(const std::string& snippet, results::BinaryDisplay display) {
  if (display == results::BinaryDisplay::Hex) {
    // "41,42,0D": two upper-case hexadecimal digits per byte.
    if (snippet.empty()) return;
    if ((snippet.size() + 1) % 3 != 0 || (snippet.size() + 1) / 3 > results::kSnippetBytes)
      Fail("a hexadecimal snippet of the wrong length");
    for (std::size_t i = 0; i < snippet.size(); ++i) {
      const char c = snippet[i];
      const bool ok = i % 3 == 2 ? c == ','
                                 : std::isxdigit(static_cast<unsigned char>(c)) &&
                                       !std::islower(static_cast<unsigned char>(c));
      if (!ok) Fail("a hexadecimal snippet with a stray character");
    }
  } else {
    if (snippet.size() > results::kSnippetBytes) Fail("a character snippet over 64 bytes");
    for (const char c : snippet)
      if (c < 0x20 || c > 0x7E) Fail("a character snippet with a byte outside 0x20-0x7E");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider input(bytes, size);
  results::SnippetInputs inputs;
  inputs.commaIsContent = input.ConsumeBool();
  inputs.contentFirstChar = input.ConsumeBool() ? ',' : 'a';
  inputs.binaryDisplay = results::BinaryDisplayFromIndex(input.ConsumeIntegralInRange(0, 1));
  inputs.searchedUtf16 = input.ConsumeBool();
  inputs.fromUtf8 = input.ConsumeBool();
  inputs.fromUtf16 = input.ConsumeBool();
  inputs.allAlphanumeric = input.ConsumeBool();
  static const char* const kExtensions[] = {".txt", ".doc", ".rtf", ".DOC"};
  const char* extension = kExtensions[input.ConsumeIntegralInRange(0, 3)];
  const std::int64_t offset = input.ConsumeBool()
                                  ? input.ConsumeIntegralInRange<std::int64_t>(-2, 300)
                                  : input.ConsumeIntegral<std::int64_t>();
  const std::string path = fuzzing::WriteFuzzFile(input.ConsumeRemainingBytesAsString(), extension);

  const std::string snippet = results::MakeSnippet(path, offset, inputs);
  const bool binary = inputs.contentFirstChar == ',' && !inputs.commaIsContent;
  if (binary) {
    CheckBinary(snippet, inputs.binaryDisplay);
  } else if (snippet.find('\0') != std::string::npos) {
    Fail("a text snippet holds a zero byte");
  }
  return 0;
}
