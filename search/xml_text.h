#pragma once
// The text of one XML part of an office document or e-book, streamed: the text
// runs in reading order, entities decoded, paragraphs, cells and slides ended by
// CR LF (so that the skipped line breaks option spans them), UTF-8.
#include <string>
#include <string_view>

#include "search/xml_scanner.h"

namespace trovex::search {

enum class XmlTextKind {
  WordProcessing,      // .docx body, headers, footers, notes, comments: the w:t runs
  Spreadsheet,         // .xlsx shared strings and sheets: strings and values, not indexes
  Presentation,        // .pptx slides and notes: the a:t runs
  OpenDocument,        // content.xml: everything in the body
  OpenDocumentStyles,  // styles.xml: the headers and footers
  Xhtml,               // an e-book's pages: the body without scripts and styles
};

class XmlTextExtractor final : private XmlHandler {
 public:
  // Appends the text to `out`, which the caller may empty between feeds.
  XmlTextExtractor(XmlTextKind kind, std::string& out);
  void Feed(std::string_view piece) { scanner_.Feed(piece); }
  // The part has ended: its last line is ended too.
  void Finish();

 private:
  void StartTag(std::string_view name, const XmlAttributes& attributes, bool empty) override;
  void EndTag(std::string_view name) override;
  void Text(std::string_view text) override;
  void Break();
  void Put(std::string_view text);
  bool Keeping() const { return zones_ > 0 && skips_ == 0; }

  XmlTextKind kind_;
  std::string& out_;
  XmlScanner scanner_;
  int zones_ = 0;  // open elements whose text is kept
  int skips_ = 0;  // open elements whose text is dropped inside a zone
  bool collapse_;  // markup whitespace: runs become one space
  bool runs_;      // the text lies in runs (OOXML), not in whole zones
  bool lineEmpty_ = true;
  bool pendingSpace_ = false;
  bool sharedCell_ = false;  // a sheet cell whose value indexes the shared strings
};

// The text of a whole part.
std::string XmlToText(XmlTextKind kind, std::string_view xml);

}  // namespace trovex::search
