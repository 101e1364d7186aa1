// The content-stream interpreter over any program, with a page whose resources
// hold a simple font, a Japanese composite font and a form that draws itself:
// no fault, no hang, text within the page's limit.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/byte_source.h"
#include "search/pdf_content.h"
#include "search/pdf_document.h"

using namespace trovex::search;

namespace {

std::string FixedFile() {
  const char* objects[] = {
      "<</Type/Catalog/Pages 2 0 R>>",
      "<</Type/Pages/Kids[3 0 R]/Count 1>>",
      "<</Type/Page/Resources<</Font<</F1 4 0 R/F2 5 0 R>>/XObject<</X 6 0 R>>>>>>",
      "<</Type/Font/Subtype/Type1/Encoding<</Differences[65/uni3042/space]>>>>",
      "<</Type/Font/Subtype/Type0/Encoding/Identity-V/DescendantFonts[<</CIDSystemInfo"
      "<</Ordering(Japan1)>>/W[1[500 600]10 20 700]>>]>>",
      "<</Type/XObject/Subtype/Form/Length 20>>stream\nBT (form) Tj ET /X Do\nendstream"};
  std::string file = "%PDF-1.4\n";
  std::string table = "xref\n0 7\n0000000000 65535 f\r\n";
  for (int i = 0; i < 6; ++i) {
    char line[24];
    std::snprintf(line, sizeof line, "%010zu 00000 n\r\n", file.size());
    table += line;
    file += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t at = file.size();
  return file + table + "trailer\n<</Size 7/Root 1 0 R>>\nstartxref\n" + std::to_string(at) +
         "\n%%EOF\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const std::string file = FixedFile();
  const MemoryBytes source(file);
  pdf::Document document(source, nullptr);
  if (document.Open(nullptr) != pdf::OpenResult::Ok) std::abort();
  const auto pages = document.Pages();
  if (pages.size() != 1) std::abort();
  std::u16string text;
  pdf::PageText page(document, text);
  page.Run(std::string_view(reinterpret_cast<const char*>(bytes), size),
           document.Lookup(pages[0], "Resources"));
  page.EndPage();
  if (text.size() > pdf::kMaxPageUnits + 4096) std::abort();
  return 0;
}
