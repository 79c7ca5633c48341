// The prefix selector's entries.
#include "ui/prefix_choices.h"

#include <algorithm>

namespace zendrift::ui {

namespace {

std::string lastName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string labelOf(const profile::FoundPrefix& prefix) { return prefix.name + " (" + prefix.kind + "): " + prefix.path; }

}  // namespace

std::vector<PrefixChoice> prefixChoices(const std::vector<profile::FoundPrefix>& found, const std::string& chosen,
                                        const std::string& defaultPrefix, std::string (*realPath)(const std::string&)) {
  std::vector<PrefixChoice> choices;
  std::vector<std::string> listed;  // real paths already given an entry
  const auto add = [&](const std::string& folder, std::string prefix) {
    const std::string real = realPath(folder);
    if (real.empty() || std::find(listed.begin(), listed.end(), real) != listed.end()) return;
    listed.push_back(real);
    const auto known = std::find_if(found.begin(), found.end(), [&](const profile::FoundPrefix& p) { return p.path == real; });
    std::string label = known != found.end() ? labelOf(*known) : lastName(real) + ": " + real;
    choices.push_back({std::move(label), std::move(prefix), false});
  };
  if (!chosen.empty()) add(chosen, chosen);
  if (!defaultPrefix.empty()) add(defaultPrefix, std::string());
  for (const profile::FoundPrefix& prefix : found) add(prefix.path, prefix.path);
  choices.push_back({kAllPrefixesLabel, std::string(), true});
  return choices;
}

int chosenIndex(const std::vector<PrefixChoice>& choices, const std::string& prefix, bool allPrefixes) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].all == allPrefixes && (allPrefixes || choices[i].prefix == prefix)) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace zendrift::ui
