#include "search/xml_text.h"

#include <algorithm>
#include <initializer_list>

namespace trovex::search {
namespace {

bool OneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements whose text is the document's text (an OOXML run's text), or whose
// whole content is (an OpenDocument body, a page's body).
bool IsZone(XmlTextKind kind, std::string_view local, bool sharedCell) {
  switch (kind) {
    case XmlTextKind::WordProcessing:
    case XmlTextKind::Presentation:
      return local == "t";
    case XmlTextKind::Spreadsheet:
      return local == "t" || (local == "v" && !sharedCell);
    case XmlTextKind::OpenDocument:
    case XmlTextKind::Xhtml:
      return local == "body";
    case XmlTextKind::OpenDocumentStyles:
      return OneOf(local, {"header", "footer", "header-left", "footer-left", "header-first",
                           "footer-first"});
  }
  return false;
}

// Elements whose text is not read: tab stop lists, a cell string's phonetic
// reading, deleted text kept for tracking, scripts and styles of a page.
bool IsSkipped(XmlTextKind kind, std::string_view local) {
  switch (kind) {
    case XmlTextKind::WordProcessing:
      return local == "tabs";
    case XmlTextKind::Spreadsheet:
      return local == "rPh";
    case XmlTextKind::OpenDocument:
    case XmlTextKind::OpenDocumentStyles:
      return local == "tracked-changes";
    case XmlTextKind::Xhtml:
      return local == "script" || local == "style";
    case XmlTextKind::Presentation:
      return false;
  }
  return false;
}

// Elements that end a line of the text.
bool EndsLine(XmlTextKind kind, std::string_view local) {
  switch (kind) {
    case XmlTextKind::WordProcessing:
      return OneOf(local, {"p", "br", "cr"});
    case XmlTextKind::Spreadsheet:
      return local == "si" || local == "c";
    case XmlTextKind::Presentation:
      return local == "p" || local == "br";
    case XmlTextKind::OpenDocument:
    case XmlTextKind::OpenDocumentStyles:
      return OneOf(local, {"p", "h", "line-break", "table-row"});
    case XmlTextKind::Xhtml:
      return OneOf(local,
                   {"p",  "div",        "br",  "li",      "tr",      "td",         "th",
                    "dt", "dd",         "h1",  "h2",      "h3",      "h4",         "h5",
                    "h6", "blockquote", "pre", "section", "article", "figcaption", "caption"});
  }
  return false;
}

bool IsTab(XmlTextKind kind, std::string_view local) {
  return local == "tab" &&
         (kind == XmlTextKind::WordProcessing || kind == XmlTextKind::OpenDocument ||
          kind == XmlTextKind::OpenDocumentStyles);
}

}  // namespace

XmlTextExtractor::XmlTextExtractor(XmlTextKind kind, std::string& out)
    : kind_(kind),
      out_(out),
      scanner_(*this),
      collapse_(kind == XmlTextKind::OpenDocument || kind == XmlTextKind::OpenDocumentStyles ||
                kind == XmlTextKind::Xhtml),
      runs_(!collapse_) {}

void XmlTextExtractor::StartTag(std::string_view name, const XmlAttributes& attributes,
                                bool /*empty*/) {
  const std::string_view local = LocalName(name);
  if (kind_ == XmlTextKind::Spreadsheet && local == "c") {
    const std::string* type = FindAttribute(attributes, "t");
    sharedCell_ = type && *type == "s";
  }
  if (IsZone(kind_, local, sharedCell_)) ++zones_;
  if (IsSkipped(kind_, local)) ++skips_;
  // Tabs and breaks of a part made of runs stand beside the runs, not in them.
  if (skips_ > 0 || (!runs_ && zones_ == 0)) return;
  if (IsTab(kind_, local)) {
    pendingSpace_ = false;
    Put("\t");
  } else if (local == "s" && collapse_ && zones_ > 0) {
    // OpenDocument writes runs of spaces as <text:s text:c="N"/>.
    int count = 1;
    if (const std::string* c = FindAttribute(attributes, "c")) count = std::atoi(c->c_str());
    count = std::clamp(count, 1, 1024);
    pendingSpace_ = false;
    Put(std::string(static_cast<std::size_t>(count), ' '));
  }
}

void XmlTextExtractor::EndTag(std::string_view name) {
  const std::string_view local = LocalName(name);
  if (skips_ == 0 && (runs_ || zones_ > 0) && EndsLine(kind_, local)) Break();
  if (IsSkipped(kind_, local) && skips_ > 0) --skips_;
  if (IsZone(kind_, local, sharedCell_) && zones_ > 0) --zones_;
  if (kind_ == XmlTextKind::Spreadsheet && local == "c") sharedCell_ = false;
}

void XmlTextExtractor::Text(std::string_view text) {
  if (!Keeping()) return;
  if (!collapse_) {
    Put(text);
    return;
  }
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      if (!lineEmpty_) pendingSpace_ = true;
      ++i;
      continue;
    }
    std::size_t stop = i;
    while (stop < text.size() && text[stop] != ' ' && text[stop] != '\t' && text[stop] != '\r' &&
           text[stop] != '\n')
      ++stop;
    Put(text.substr(i, stop - i));
    i = stop;
  }
}

void XmlTextExtractor::Put(std::string_view text) {
  if (text.empty()) return;
  if (pendingSpace_) out_ += ' ';
  pendingSpace_ = false;
  out_.append(text);
  lineEmpty_ = false;
}

void XmlTextExtractor::Break() {
  pendingSpace_ = false;
  if (lineEmpty_) return;
  out_ += "\r\n";
  lineEmpty_ = true;
}

void XmlTextExtractor::Finish() {
  scanner_.Finish();
  Break();
}

std::string XmlToText(XmlTextKind kind, std::string_view xml) {
  std::string out;
  XmlTextExtractor extractor(kind, out);
  extractor.Feed(xml);
  extractor.Finish();
  return out;
}

}  // namespace trovex::search
