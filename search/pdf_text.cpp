#include "search/pdf_text.h"

#include <string>

#include "platform/text/utf8.h"
#include "search/pdf_content.h"
#include "search/pdf_crypt.h"
#include "search/pdf_document.h"

namespace trovex::search {

PdfEnd ReadPdfText(const ByteSource& source, const PieceSink& sink,
                   const std::atomic<bool>* cancel) {
  pdf::Document document(source, cancel);
  switch (document.Open(pdf::SetUpDecryption)) {
    case pdf::OpenResult::NotPdf:
      return PdfEnd::NotPdf;
    case pdf::OpenResult::Damaged:
      return document.Cancelled() ? PdfEnd::Cancelled : PdfEnd::Damaged;
    case pdf::OpenResult::Locked:
      return PdfEnd::Locked;
    case pdf::OpenResult::Ok:
      break;
  }
  const std::vector<pdf::Object> pages = document.Pages();
  if (pages.empty()) return document.Cancelled() ? PdfEnd::Cancelled : PdfEnd::Damaged;
  std::u16string text;
  pdf::PageText page(document, text);
  for (const pdf::Object& dict : pages) {
    const pdf::Object* resources = document.Lookup(dict, "Resources");
    if (resources && !resources->IsDict()) resources = nullptr;
    const pdf::Object* contents = dict.Get("Contents");
    const pdf::Object& resolved = contents ? document.Resolve(*contents) : pdf::Object();
    std::vector<const pdf::Object*> streams;
    if (resolved.type == pdf::Object::Type::Array) {
      for (const pdf::Object& item : resolved.items) streams.push_back(&item);
    } else if (contents) {
      streams.push_back(contents);
    }
    // The streams of one page form one program: an operator may straddle two.
    std::string program;
    for (const pdf::Object* stream : streams) {
      if (document.Cancelled()) return PdfEnd::Cancelled;
      std::string data;
      if (document.StreamDataOf(*stream, data) == pdf::DecodeResult::Ok) {
        program += data;
        program += '\n';
      }
    }
    if (!page.Run(program, resources)) return PdfEnd::Cancelled;
    page.EndPage();
    if (!text.empty()) {
      const std::string utf8 = text::Utf16ToUtf8(text);
      text.clear();
      if (!sink(utf8)) return PdfEnd::Stopped;
    }
    if (document.Cancelled()) return PdfEnd::Cancelled;
  }
  return PdfEnd::Complete;
}

}  // namespace trovex::search
