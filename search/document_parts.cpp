#include "search/document_parts.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "search/xml_scanner.h"

namespace trovex::search {
namespace {

constexpr std::size_t kMaxPackageBytes = 4u << 20;

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}
bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// "slide12.xml" after "slide2.xml": runs of digits compare as numbers.
bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  while (i < a.size() && j < b.size()) {
    if (digit(a[i]) && digit(b[j])) {
      std::size_t ie = i, je = j;
      while (ie < a.size() && digit(a[ie])) ++ie;
      while (je < b.size() && digit(b[je])) ++je;
      std::string_view na = a.substr(i, ie - i), nb = b.substr(j, je - j);
      while (na.size() > 1 && na[0] == '0') na.remove_prefix(1);
      while (nb.size() > 1 && nb[0] == '0') nb.remove_prefix(1);
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ie;
      j = je;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

// The entries whose names start with `folder` + `stem` and end in ".xml", in
// natural order (header1.xml, header2.xml, ..., header10.xml).
std::vector<std::size_t> Numbered(const std::vector<ZipEntry>& entries, std::string_view prefix) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string_view name = entries[i].name;
    if (StartsWith(name, prefix) && EndsWith(name, ".xml") &&
        name.find('/', prefix.size()) == std::string_view::npos)
      found.push_back(i);
  }
  std::sort(found.begin(), found.end(), [&](std::size_t a, std::size_t b) {
    return NaturalLess(entries[a].name, entries[b].name);
  });
  return found;
}

std::optional<std::size_t> Named(const std::vector<ZipEntry>& entries, std::string_view name) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].name == name) return i;
  return std::nullopt;
}

void AddAll(std::vector<DocumentPart>& parts, const std::vector<std::size_t>& indexes,
            XmlTextKind kind) {
  for (std::size_t i : indexes) parts.push_back({i, kind});
}

std::vector<DocumentPart> WordParts(const std::vector<ZipEntry>& entries) {
  std::vector<DocumentPart> parts;
  const auto body = Named(entries, "word/document.xml");
  if (!body) return parts;
  parts.push_back({*body, XmlTextKind::WordProcessing});
  for (std::string_view prefix :
       {"word/header", "word/footer", "word/footnotes", "word/endnotes", "word/comments"})
    AddAll(parts, Numbered(entries, prefix), XmlTextKind::WordProcessing);
  return parts;
}

std::vector<DocumentPart> SheetParts(const std::vector<ZipEntry>& entries) {
  std::vector<DocumentPart> parts;
  if (const auto strings = Named(entries, "xl/sharedStrings.xml"))
    parts.push_back({*strings, XmlTextKind::Spreadsheet});
  AddAll(parts, Numbered(entries, "xl/worksheets/sheet"), XmlTextKind::Spreadsheet);
  return parts;
}

// Each slide, then the notes of that slide when they bear its number.
std::vector<DocumentPart> SlideParts(const std::vector<ZipEntry>& entries) {
  std::vector<DocumentPart> parts;
  const std::string_view slidePrefix = "ppt/slides/slide";
  const std::string_view notesPrefix = "ppt/notesSlides/notesSlide";
  std::map<std::string, std::size_t> notes;
  for (std::size_t i : Numbered(entries, notesPrefix))
    notes[entries[i].name.substr(notesPrefix.size())] = i;
  for (std::size_t i : Numbered(entries, slidePrefix)) {
    parts.push_back({i, XmlTextKind::Presentation});
    const auto note = notes.find(entries[i].name.substr(slidePrefix.size()));
    if (note != notes.end()) {
      parts.push_back({note->second, XmlTextKind::Presentation});
      notes.erase(note);
    }
  }
  for (const auto& [number, index] : notes) parts.push_back({index, XmlTextKind::Presentation});
  return parts;
}

std::vector<DocumentPart> OpenDocumentParts(const std::vector<ZipEntry>& entries) {
  std::vector<DocumentPart> parts;
  if (const auto content = Named(entries, "content.xml"))
    parts.push_back({*content, XmlTextKind::OpenDocument});
  if (const auto styles = Named(entries, "styles.xml"))
    parts.push_back({*styles, XmlTextKind::OpenDocumentStyles});
  return parts;
}

// Collects the start tags of a small XML file with their attributes.
class TagCollector final : public XmlHandler {
 public:
  struct Tag {
    std::string local;
    std::map<std::string, std::string> attributes;  // by local name
  };
  std::vector<Tag> tags;
  void StartTag(std::string_view name, const XmlAttributes& attributes, bool) override {
    Tag tag;
    tag.local = std::string(LocalName(name));
    for (const auto& [attribute, value] : attributes)
      tag.attributes[std::string(LocalName(attribute))] = value;
    tags.push_back(std::move(tag));
  }
  void EndTag(std::string_view) override {}
  void Text(std::string_view) override {}
};

std::vector<TagCollector::Tag> TagsOf(const ByteSource& source, const ZipEntry& entry,
                                      const std::atomic<bool>* cancel) {
  std::string xml;
  TagCollector collector;
  if (!ReadSmallZipEntry(source, entry, kMaxPackageBytes, xml, cancel)) return {};
  XmlScanner scanner(collector);
  scanner.Feed(xml);
  scanner.Finish();
  return std::move(collector.tags);
}

// "a/b/../c%20d.xhtml" as a name in the archive: "a/c d.xhtml".
std::string ResolveHref(std::string_view folder, std::string_view href) {
  href = href.substr(0, href.find('#'));
  std::string decoded;
  for (std::size_t i = 0; i < href.size(); ++i) {
    if (href[i] == '%' && i + 2 < href.size()) {
      const std::string hex(href.substr(i + 1, 2));
      char* end = nullptr;
      const long value = std::strtol(hex.c_str(), &end, 16);
      if (end == hex.c_str() + 2) {
        decoded += static_cast<char>(value);
        i += 2;
        continue;
      }
    }
    decoded += href[i];
  }
  std::vector<std::string> segments;
  std::string path = std::string(folder) + decoded;
  std::size_t at = 0;
  while (at <= path.size()) {
    const std::size_t slash = std::min(path.find('/', at), path.size());
    const std::string segment = path.substr(at, slash - at);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    at = slash + 1;
  }
  std::string resolved;
  for (const auto& segment : segments) resolved += (resolved.empty() ? "" : "/") + segment;
  return resolved;
}

bool IsPage(std::string_view name) {
  std::string lower(name);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return EndsWith(lower, ".xhtml") || EndsWith(lower, ".html") || EndsWith(lower, ".htm");
}

// The pages in the order of the package's spine; every page in the archive's
// order when the package cannot be read.
std::vector<DocumentPart> EpubParts(const std::vector<ZipEntry>& entries, const ByteSource& source,
                                    const std::atomic<bool>* cancel) {
  std::vector<DocumentPart> parts;
  std::string packagePath;
  if (const auto container = Named(entries, "META-INF/container.xml")) {
    for (const auto& tag : TagsOf(source, entries[*container], cancel)) {
      const auto path = tag.attributes.find("full-path");
      if (tag.local == "rootfile" && path != tag.attributes.end()) {
        packagePath = path->second;
        break;
      }
    }
  }
  const auto package = Named(entries, packagePath);
  if (package) {
    const std::string folder = packagePath.substr(0, packagePath.rfind('/') + 1);
    std::map<std::string, std::string> manifest;  // id -> href
    std::vector<std::string> spine;
    for (const auto& tag : TagsOf(source, entries[*package], cancel)) {
      const auto id = tag.attributes.find("id");
      const auto href = tag.attributes.find("href");
      const auto idref = tag.attributes.find("idref");
      if (tag.local == "item" && id != tag.attributes.end() && href != tag.attributes.end())
        manifest[id->second] = href->second;
      else if (tag.local == "itemref" && idref != tag.attributes.end())
        spine.push_back(idref->second);
    }
    for (const auto& idref : spine) {
      const auto item = manifest.find(idref);
      if (item == manifest.end()) continue;
      if (const auto page = Named(entries, ResolveHref(folder, item->second)))
        parts.push_back({*page, XmlTextKind::Xhtml});
    }
  }
  if (parts.empty()) {
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (IsPage(entries[i].name)) parts.push_back({i, XmlTextKind::Xhtml});
  }
  return parts;
}

}  // namespace

std::vector<DocumentPart> DocumentParts(ContainerKind kind, const std::vector<ZipEntry>& entries,
                                        const ByteSource& source, const std::atomic<bool>* cancel) {
  switch (kind) {
    case ContainerKind::Word:
      return WordParts(entries);
    case ContainerKind::Sheet:
      return SheetParts(entries);
    case ContainerKind::Slides:
      return SlideParts(entries);
    case ContainerKind::OpenDocument:
      return OpenDocumentParts(entries);
    case ContainerKind::Epub:
      return EpubParts(entries, source, cancel);
    default:
      return {};
  }
}

}  // namespace trovex::search
