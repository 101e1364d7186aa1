#pragma once
// A forgiving streaming XML tokenizer: start tags with their attributes, end tags
// and character data (entities decoded, CDATA included), fed a piece at a time.
// Comments, processing instructions and declarations are skipped. It never fails:
// damaged markup gives whatever text can be told apart.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trovex::search {

using XmlAttributes = std::vector<std::pair<std::string_view, std::string>>;

// The part of a name after its namespace prefix: "w:t" gives "t".
std::string_view LocalName(std::string_view name);

// The value of the attribute whose local name is `local`, or nullptr.
const std::string* FindAttribute(const XmlAttributes& attributes, std::string_view local);

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void StartTag(std::string_view name, const XmlAttributes& attributes, bool empty) = 0;
  virtual void EndTag(std::string_view name) = 0;
  // Decoded character data, UTF-8, in pieces of any size.
  virtual void Text(std::string_view text) = 0;
};

class XmlScanner {
 public:
  explicit XmlScanner(XmlHandler& handler) : handler_(handler) {}
  void Feed(std::string_view piece);
  // The input has ended: hands over the text still held.
  void Finish();

  // Appends the character an entity's body names ("amp", "#x41") as UTF-8;
  // false when it names none this scanner knows.
  static bool DecodeEntity(std::string_view body, std::string& out);

 private:
  enum class State { Text, Entity, Markup, Comment, CData };
  void EndMarkup();
  void FlushText();
  void EmitTag(std::string_view tag);

  XmlHandler& handler_;
  State state_ = State::Text;
  std::string text_;    // character data not yet handed over
  std::string entity_;  // the body of an entity being read
  std::string markup_;  // the markup after "<", up to its ">"
  char quote_ = 0;      // inside an attribute value of the markup
  std::string tail_;    // the last bytes of a comment or CDATA section
  XmlAttributes attributes_;
};

}  // namespace trovex::search
