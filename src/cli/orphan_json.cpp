// The JSON document of /list /json, written by the JSON library so that every path is escaped
// as JSON wants it.
#include "cli/orphan_json.h"

#include <nlohmann/json.hpp>

#include "platform/os_error.h"

namespace zendrift::app {

void writeJson(const ListDocument& document, std::ostream& out) {
  nlohmann::ordered_json orphans = nlohmann::ordered_json::array();
  for (const scan::OrphanRecord& orphan : document.orphans) {
    orphans.push_back({{"shortcut", orphan.path},
                       {"target", orphan.target},
                       {"marked", !orphan.excluded},
                       {"reason", orphan.reason}});
  }
  nlohmann::ordered_json unreadable = nlohmann::ordered_json::array();
  for (const scan::UnreadableFolder& folder : document.unreadable) {
    unreadable.push_back({{"folder", folder.path}, {"error", platform::errorText(folder.code)}});
  }
  const nlohmann::ordered_json root = {{"profile", document.profile},
                                       {"folders", document.folders},
                                       {"orphans", std::move(orphans)},
                                       {"unreadable", std::move(unreadable)}};
  out << root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace zendrift::app
