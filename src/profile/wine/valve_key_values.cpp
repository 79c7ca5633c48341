// A small reader of Valve's key-value text. It reads what Steam writes and refuses the rest.
#include "profile/wine/valve_key_values.h"

#include "platform/ascii_case.h"

namespace zendrift::profile::wine {

namespace {

// Steam's files nest four or five deep; a file nesting far deeper is not one of them.
constexpr int kMaxDepth = 32;

enum class TokenKind { Text, Open, Close, End, Bad };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;
};

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  // The pairs up to the end of the block (`nested`) or of the text; false when malformed.
  bool readPairs(KeyValues& into, int depth) {
    if (depth > kMaxDepth) return false;
    const bool nested = depth > 0;
    for (;;) {
      Token key = next();
      if (key.kind == TokenKind::Close) return nested;
      if (key.kind == TokenKind::End) return !nested;
      if (key.kind != TokenKind::Text) return false;
      Token value = next();
      KeyValues pair;
      pair.key = std::move(key.text);
      if (value.kind == TokenKind::Text) {
        pair.value = std::move(value.text);
      } else if (value.kind == TokenKind::Open) {
        pair.block = true;
        if (!readPairs(pair, depth + 1)) return false;
      } else {
        return false;
      }
      into.children.push_back(std::move(pair));
    }
  }

 private:
  Token next() {
    skipSpaceAndComments();
    if (at_ >= text_.size()) return {TokenKind::End, {}};
    const char c = text_[at_];
    if (c == '{') return ++at_, Token{TokenKind::Open, {}};
    if (c == '}') return ++at_, Token{TokenKind::Close, {}};
    if (c == '"') return quoted();
    return bare();
  }

  void skipSpaceAndComments() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++at_;
      } else if (text_.substr(at_, 2) == "//") {
        const std::size_t end = text_.find('\n', at_);
        at_ = end == std::string_view::npos ? text_.size() : end;
      } else if (c == '[') {
        // A platform condition ("[$WIN32]") after a value: Steam's own files on Linux hold none
        // that matter here.
        const std::size_t end = text_.find(']', at_);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else {
        return;
      }
    }
  }

  Token quoted() {
    Token token{TokenKind::Text, {}};
    for (++at_; at_ < text_.size(); ++at_) {
      char c = text_[at_];
      if (c == '"') {
        ++at_;
        return token;
      }
      if (c == '\\' && at_ + 1 < text_.size()) {
        c = text_[++at_];
        if (c == 'n') c = '\n';
        else if (c == 't') c = '\t';
      }
      token.text += c;
    }
    return {TokenKind::Bad, {}};
  }

  Token bare() {
    Token token{TokenKind::Text, {}};
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '{' || c == '}' || c == '"') break;
      token.text += c;
      ++at_;
    }
    return token;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

const KeyValues* KeyValues::child(std::string_view name) const {
  for (const KeyValues& entry : children) {
    if (platform::equalsIgnoringAsciiCase(entry.key, name)) return &entry;
  }
  return nullptr;
}

std::optional<KeyValues> parseKeyValues(std::string_view text) {
  KeyValues root;
  root.block = true;
  if (!Reader(text).readPairs(root, 0)) return std::nullopt;
  return root;
}

}  // namespace zendrift::profile::wine
