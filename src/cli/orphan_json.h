// /list /json: what a scan found, as one JSON document.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "scan/orphan_scan.h"

namespace zendrift::app {

struct ListDocument {
  std::string profile;               // the Windows profile or Wine prefix scanned
  std::vector<std::string> folders;  // each folder whose walk began, in order
  std::vector<scan::OrphanRecord> orphans;
  std::vector<scan::UnreadableFolder> unreadable;
};

// Writes `document` as one JSON object, indented, with a line break at the end. Bytes that are
// not UTF-8 (a Linux file name may hold any) become U+FFFD: the document stays valid JSON.
void writeJson(const ListDocument& document, std::ostream& out);

}  // namespace zendrift::app
