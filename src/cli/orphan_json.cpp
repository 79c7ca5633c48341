// The JSON document of /list /json. Written here rather than by a JSON library: a library keeps
// only text that is UTF-8, and a Linux path may hold any bytes, each of which must come back.
#include "cli/orphan_json.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/os_error.h"
#include "scan/utf8_sequence.h"

namespace zendrift::cli {

namespace {

void appendEscape(std::string& out, unsigned unit) {
  constexpr std::string_view kHex = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xf];
}

// `text` as a JSON string. Control characters (C0, DEL, C1) are escaped so that a terminal shows
// the document as it is; a byte that is no part of a UTF-8 character becomes the lone surrogate
// U+DC80 to U+DCFF that stands for it (Python's "surrogateescape"), so that no two paths read the
// same.
std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = scan::utf8SequenceLength(text, i);
    if (length == 0) {
      appendEscape(out, 0xdc00u + static_cast<unsigned char>(text[i]));
      ++i;
      continue;
    }
    const char32_t point = scan::utf8CodePoint(text, i, length);
    switch (point) {
      case U'"': out += "\\\""; break;
      case U'\\': out += "\\\\"; break;
      case U'\b': out += "\\b"; break;
      case U'\f': out += "\\f"; break;
      case U'\n': out += "\\n"; break;
      case U'\r': out += "\\r"; break;
      case U'\t': out += "\\t"; break;
      default:
        if (point < 0x20 || (point >= 0x7f && point <= 0x9f)) {
          appendEscape(out, static_cast<unsigned>(point));
        } else {
          out.append(text.substr(i, length));
        }
    }
    i += length;
  }
  out += '"';
  return out;
}

// An array whose elements are already written, each on its own line at `indent`.
std::string array(const std::vector<std::string>& elements, std::string_view indent) {
  if (elements.empty()) return "[]";
  std::string out = "[\n";
  for (std::size_t i = 0; i < elements.size(); ++i) {
    out += std::string(indent) + "  " + elements[i] + (i + 1 < elements.size() ? ",\n" : "\n");
  }
  return out + std::string(indent) + "]";
}

// An object of fields whose values are already written, at `indent`.
std::string object(const std::vector<std::pair<std::string_view, std::string>>& fields, std::string_view indent) {
  std::string out = "{\n";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    out += std::string(indent) + "  " + quoted(fields[i].first) + ": " + fields[i].second +
           (i + 1 < fields.size() ? ",\n" : "\n");
  }
  return out + std::string(indent) + "}";
}

}  // namespace

void writeJson(const ListDocument& document, std::ostream& out) {
  std::vector<std::string> folders;
  for (const std::string& folder : document.folders) folders.push_back(quoted(folder));
  std::vector<std::string> orphans;
  for (const scan::OrphanRecord& orphan : document.orphans) {
    orphans.push_back(object({{"kind", quoted(scan::orphanKindName(orphan.kind))},
                              {"shortcut", quoted(orphan.path)},
                              {"target", quoted(orphan.target)},
                              {"marked", orphan.excluded ? "false" : "true"},
                              // The prefix whose scan found it: with every prefix scanned, the
                              // document's own profile is "*".
                              {"profile", quoted(orphan.prefix.empty() ? document.profile : orphan.prefix)},
                              {"reason", quoted(orphan.reason)}},
                             "    "));
  }
  std::vector<std::string> unreadable;
  for (const scan::UnreadableFolder& folder : document.unreadable) {
    unreadable.push_back(
        object({{"folder", quoted(folder.path)}, {"error", quoted(platform::errorText(folder.code))}}, "    "));
  }
  out << object({{"profile", quoted(document.profile)},
                 {"folders", array(folders, "  ")},
                 {"orphans", array(orphans, "  ")},
                 {"unreadable", array(unreadable, "  ")}},
                "")
      << '\n';
}

}  // namespace zendrift::cli
