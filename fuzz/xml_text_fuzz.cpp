// The XML text of each kind of part over any bytes: no fault, and the text fed
// in pieces cut where the bytes choose equals the text of the whole part.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/xml_text.h"

using namespace trovex::search;

namespace {

std::string InPieces(XmlTextKind kind, std::string_view xml) {
  std::string text;
  XmlTextExtractor extractor(kind, text);
  std::size_t at = 0;
  while (at < xml.size()) {
    const std::size_t length = 1 + static_cast<unsigned char>(xml[(at * 7) % xml.size()]) % 16;
    extractor.Feed(xml.substr(at, length));
    at += length;
  }
  extractor.Finish();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view xml(reinterpret_cast<const char*>(bytes), size);
  for (XmlTextKind kind :
       {XmlTextKind::WordProcessing, XmlTextKind::Spreadsheet, XmlTextKind::Presentation,
        XmlTextKind::OpenDocument, XmlTextKind::OpenDocumentStyles, XmlTextKind::Xhtml}) {
    if (InPieces(kind, xml) != XmlToText(kind, xml)) {
      std::fprintf(stderr, "the text in pieces differs from the text of the whole part\n");
      std::abort();
    }
  }
  return 0;
}
