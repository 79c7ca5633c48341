// The cleaning records: one text file per cleaning, named by its time so that names sort as
// cleanings happened; one line per item, tab-separated, with tabs, line breaks and backslashes
// escaped.
#include "scan/cleaning_record.h"

#include "scan/field_escape.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <set>
#include <string_view>

#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"

namespace zendrift::scan {

namespace {

constexpr std::string_view kHeader = "Zendrift cleaning 1";
constexpr std::string_view kPrefix = "cleaning-";
constexpr std::string_view kSuffix = ".txt";

std::optional<std::uint64_t> number(const std::string& text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> result;
  for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1)) {
    result.push_back(line.substr(0, tab));
  }
  result.push_back(line);
  return result;
}

std::string serialized(const CleaningRecord& record) {
  std::string text(kHeader);
  text += '\n';
  for (const std::string& root : record.roots) text += "root\t" + escapedField(root) + '\n';
  for (const std::string& folder : record.removedFolders) text += "folder\t" + escapedField(folder) + '\n';
  for (const platform::TrashedFile& file : record.trashed) {
    text += "trashed\t" + escapedField(file.original) + '\t' + escapedField(file.inTrash) + '\t' + escapedField(file.info) + '\t' +
            std::to_string(file.identity.volume) + '\t' + std::to_string(file.identity.file) + '\t' +
            std::to_string(file.changed) + '\t' + std::to_string(file.size) + '\n';
  }
  for (const std::string& path : record.deletedForGood) text += "deleted\t" + escapedField(path) + '\n';
  for (const std::string& path : record.alreadyGone) text += "gone\t" + escapedField(path) + '\n';
  // A changed line with what it became; a removed one with the line that stood above it.
  for (const EditedLine& line : record.editedLines) {
    text += "line\t" + escapedField(line.file) + '\t' + std::to_string(line.edit.line) + '\t' +
            escapedField(line.edit.before) + (line.edit.after ? "\tchanged\t" : "\tremoved\t") +
            escapedField(line.edit.after.value_or(line.edit.above)) + '\n';
  }
  return text;
}

std::optional<CleaningRecord> parsed(std::string_view text) {
  if (!text.starts_with(kHeader) || !text.substr(kHeader.size()).starts_with('\n')) return std::nullopt;
  text.remove_prefix(kHeader.size() + 1);
  CleaningRecord record;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    const std::vector<std::string_view> parts = fields(text.substr(0, end));
    text.remove_prefix(end + 1);
    std::vector<std::string> values;
    for (std::size_t i = 1; i < parts.size(); ++i) {
      std::optional<std::string> value = unescapedField(parts[i]);
      if (!value) return std::nullopt;
      values.push_back(std::move(*value));
    }
    if (parts[0] == "folder" && values.size() == 1) {
      record.removedFolders.push_back(std::move(values[0]));
    } else if (parts[0] == "trashed" && (values.size() == 6 || values.size() == 7)) {
      // The size came later: a record without it is read as before.
      const std::optional<std::uint64_t> volume = number(values[3]);
      const std::optional<std::uint64_t> file = number(values[4]);
      const std::optional<std::uint64_t> changed = number(values[5]);
      const std::optional<std::uint64_t> size = values.size() == 7 ? number(values[6]) : std::optional<std::uint64_t>(0);
      if (!volume || !file || !changed || !size) return std::nullopt;
      record.trashed.push_back({std::move(values[0]), std::move(values[1]), std::move(values[2]), {*volume, *file},
                                static_cast<std::int64_t>(*changed), *size});
    } else if (parts[0] == "deleted" && values.size() == 1) {
      record.deletedForGood.push_back(std::move(values[0]));
    } else if (parts[0] == "gone" && values.size() == 1) {
      record.alreadyGone.push_back(std::move(values[0]));
    } else if (parts[0] == "root" && values.size() == 1) {
      record.roots.push_back(std::move(values[0]));
    } else if (parts[0] == "line" && values.size() == 5 && (values[3] == "changed" || values[3] == "removed")) {
      const std::optional<std::uint64_t> line = number(values[1]);
      if (!line) return std::nullopt;
      profile::wine::LineEdit edit{static_cast<std::size_t>(*line), std::move(values[2]), std::nullopt, {}};
      (values[3] == "changed" ? edit.after.emplace() : edit.above) = std::move(values[4]);
      record.editedLines.push_back({std::move(values[0]), std::move(edit)});
    } else {
      return std::nullopt;
    }
  }
  return record;
}

bool isRecordName(std::string_view name) {
  return name.size() > kPrefix.size() + kSuffix.size() && name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

// The records in `folder`, oldest first.
std::vector<std::string> recordFiles(const std::string& folder) {
  std::vector<std::string> names;
  platform::DirectoryListing listing;
  for (std::error_code code = listing.open(folder); !code; code = listing.next()) {
    const platform::DirEntry& entry = listing.entry();
    if (!entry.isDirectory() && !entry.isSymlink() && isRecordName(entry.name())) names.push_back(entry.name());
  }
  std::sort(names.begin(), names.end());
  for (std::string& name : names) name = platform::withTrailingSeparator(folder) + name;
  return names;
}

// A name that sorts after every earlier record's: nanoseconds since 1970, zero-padded.
std::string newRecordName() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  char digits[32];
  std::snprintf(digits, sizeof digits, "%020lld",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  return std::string(kPrefix) + digits + std::string(kSuffix);
}

}  // namespace

CleaningRecord cleaningRecordOf(const RemovalReport& report) {
  CleaningRecord record;
  record.trashed = report.trashed;
  record.removedFolders = report.removedFolders;
  record.alreadyGone = report.alreadyGone;
  record.roots = report.roots;
  record.editedLines = report.editedLines;
  std::set<std::string_view> inTrash;
  for (const platform::TrashedFile& file : report.trashed) inTrash.insert(file.original);
  // The shortcuts and the menu files that went for good.
  for (const auto* paths : {&report.deleted, &report.menuFiles}) {
    for (const std::string& path : *paths) {
      if (!inTrash.contains(path)) record.deletedForGood.push_back(path);
    }
  }
  return record;
}

std::string cleaningRecordFolder() {
  const std::string state = platform::localStateFolder();
  if (state.empty()) return {};
  return platform::withTrailingSeparator(state) + "Zendrift";
}

std::error_code saveCleaningRecord(const CleaningRecord& record, const std::string& folder) {
  if (folder.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (const std::error_code error = platform::createFolders(folder)) return error;
  std::vector<std::string> existing = recordFiles(folder);
  std::string name = newRecordName();
  // A clock set back would sort the new record before older ones.
  if (!existing.empty()) {
    const std::string_view newest = platform::fileName(existing.back());
    if (name <= newest) name = std::string(newest.substr(0, newest.size() - kSuffix.size())) + "1" + std::string(kSuffix);
  }
  const std::string path = platform::withTrailingSeparator(folder) + name;
  if (const std::error_code error = platform::replaceFile(path, serialized(record))) return error;
  existing.push_back(path);
  // Best effort: an old record that cannot go now goes with a later cleaning.
  for (std::size_t i = 0; i + kKeptCleaningRecords < existing.size(); ++i) {
    static_cast<void>(platform::deleteFile(existing[i]));
  }
  return {};
}

std::error_code recordCleaning(const RemovalReport& report) {
  const CleaningRecord record = cleaningRecordOf(report);
  if (record.empty()) return {};
  return saveCleaningRecord(record, cleaningRecordFolder());
}

platform::Result<std::optional<StoredCleaningRecord>> lastCleaningRecord(const std::string& folder) {
  using Found = std::optional<StoredCleaningRecord>;
  if (folder.empty()) return Found();
  const std::vector<std::string> files = recordFiles(folder);
  if (files.empty()) return Found();
  const auto text = platform::readFile(files.back());
  if (!text) return text.error();
  std::optional<CleaningRecord> record = parsed(*text);
  if (!record) return std::make_error_code(std::errc::illegal_byte_sequence);
  return Found(StoredCleaningRecord{files.back(), std::move(*record)});
}

platform::Result<std::string> setAsideLastCleaningRecord(const std::string& folder) {
  const std::vector<std::string> files = recordFiles(folder);
  if (files.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  std::string setAside = files.back() + ".unreadable";
  const auto text = platform::readFile(files.back());
  if (!text) return text.error();
  if (const std::error_code error = platform::replaceFile(setAside, *text)) return error;
  if (const std::error_code error = platform::deleteFile(files.back())) return error;
  return setAside;
}

std::error_code rewriteCleaningRecord(const StoredCleaningRecord& stored) {
  if (stored.record.empty()) {
    return platform::deleteFile(stored.file);
  }
  return platform::replaceFile(stored.file, serialized(stored.record));
}

}  // namespace zendrift::scan
