// /list /json: what a scan found, as one JSON document.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "scan/orphan_scan.h"

namespace zendrift::cli {

struct ListDocument {
  std::string profile;               // the Windows profile or Wine prefix scanned
  std::vector<std::string> folders;  // each folder whose walk began, in order
  std::vector<scan::OrphanRecord> orphans;
  std::vector<scan::UnreadableFolder> unreadable;
};

// Writes `document` as one JSON object, indented, with a line break at the end. A byte of a path
// that is no part of a UTF-8 character (a Linux file name may hold any) is written as the escape
// of the lone surrogate U+DC00 plus the byte ("\udcff" for 0xFF), as Python's "surrogateescape"
// writes it: two different names never read the same. Control characters are escaped too.
void writeJson(const ListDocument& document, std::ostream& out);

}  // namespace zendrift::cli
