// Hints of the result list's lines.
#include "ui/orphan_hint.h"

namespace zendrift::ui {

std::string orphanHint(std::string_view path, std::string_view target, std::string_view reason) {
  std::string hint = "Path: ";
  hint += path;
  hint += "\nTarget: ";
  hint += target;
  if (!reason.empty()) {
    hint += "\nReason: ";
    hint += reason;
  }
  return hint;
}

std::string failedDeletionHint(std::string_view error, std::string_view hint) {
  std::string text = "Could not delete: ";
  text += error;
  if (!hint.empty()) {
    text += '\n';
    text += hint;
  }
  return text;
}

}  // namespace zendrift::ui
