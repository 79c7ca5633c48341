// The Recycle Bin: the scanned file is reached and checked as for a deletion, then handed to the
// shell to recycle. Under Wine the shell puts it into the host's freedesktop.org trash.
//
// The shell deletes for good, without asking when told not to ask, whatever it cannot recycle.
// So a file goes to the shell only on a drive that has a Recycle Bin (a fixed drive named by its
// letter, as both Windows and Wine require) and by a path the shell takes whole.
//
// The bin may hold many files of one name and folder (a shortcut that an installer puts back and
// a cleaning takes again), listed in no fixed order. An item is told apart by the deletion time
// and the size that the bin records for it, read back right after the move.
#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/trash.h"
#include "platform/win32/entry_handle.h"
#include "platform/win32/guarded_walk.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

namespace {

using win32::FileHandle;

// The drive root ("C:\\") of a path named by its drive letter; empty for any other path.
std::wstring driveRoot(const std::wstring& path) {
  if (path.size() < 3 || path[1] != L':' || (path[2] != L'\\' && path[2] != L'/')) return {};
  return path.substr(0, 2) + L"\\";
}

bool sameText(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class Held {
 public:
  Held() = default;
  ~Held() {
    if (pointer_) pointer_->Release();
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  void** out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// Frees an item id list when it goes out of scope.
struct IdList {
  IdList() = default;
  ~IdList() { ::CoTaskMemFree(id); }
  IdList(const IdList&) = delete;
  IdList& operator=(const IdList&) = delete;
  ITEMIDLIST* id = nullptr;
};

std::wstring text(const STRRET& value, PCUITEMID_CHILD item) {
  STRRET copy = value;
  wchar_t* out = nullptr;
  if (FAILED(::StrRetToStrW(&copy, item, &out)) || !out) return {};
  std::wstring result(out);
  ::CoTaskMemFree(out);
  return result;
}

// Whether the Recycle Bin item `item` came from `original`: its "original location" column names
// the folder, its name the file (Windows hides a shortcut's extension there).
bool cameFrom(IShellFolder2* bin, PCUITEMID_CHILD item, const std::wstring& original) {
  SHELLDETAILS location{};
  STRRET name{};
  if (FAILED(bin->GetDetailsOf(item, 1, &location)) || FAILED(bin->GetDisplayNameOf(item, SHGDN_INFOLDER, &name))) {
    return false;
  }
  const std::wstring folder = text(location.str, item);
  const std::wstring shown = text(name, item);
  const std::size_t slash = original.find_last_of(L"\\/");
  if (slash == std::wstring::npos || !sameText(folder, original.substr(0, slash))) return false;
  const std::wstring fileName = original.substr(slash + 1);
  const std::size_t dot = fileName.rfind(L'.');
  return sameText(shown, fileName) || (dot != std::wstring::npos && sameText(shown, fileName.substr(0, dot)));
}

// What the bin records of an item: when it went, in nanoseconds since 1970, and its size.
struct BinRecord {
  std::int64_t deleted = 0;
  std::uint64_t size = 0;
};

constexpr std::int64_t kFileTimeAt1970 = 116444736000000000;  // 100 ns ticks from 1601 to 1970

std::int64_t nanosecondsSince1970(const FILETIME& time) {
  const auto ticks = static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  return (ticks - kFileTimeAt1970) * 100;
}

bool underWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Windows answers the bin's columns as values.
std::optional<BinRecord> recordFromDetails(IShellFolder2* bin, PCUITEMID_CHILD item) {
  // FMTID_Displaced / PID_DISPLACED_DATE and FMTID_Storage / PID_STG_SIZE.
  constexpr SHCOLUMNID kDeleted{{0x9b174b33, 0x40ff, 0x11d2, {0xa2, 0x7e, 0x00, 0xc0, 0x4f, 0xc3, 0x08, 0x71}}, 3};
  constexpr SHCOLUMNID kSize{{0xb725f130, 0x47ef, 0x101a, {0xa5, 0xf1, 0x02, 0x60, 0x8c, 0x9e, 0xeb, 0xac}}, 12};
  VARIANT deleted;
  VARIANT size;
  ::VariantInit(&deleted);
  ::VariantInit(&size);
  std::optional<BinRecord> record;
  if (SUCCEEDED(bin->GetDetailsEx(item, &kDeleted, &deleted)) && SUCCEEDED(bin->GetDetailsEx(item, &kSize, &size)) &&
      deleted.vt == VT_DATE && SUCCEEDED(::VariantChangeType(&size, &size, 0, VT_UI8))) {
    // A date counts days from 30 December 1899, 25569 days before 1970.
    const double seconds = (deleted.date - 25569.0) * 86400.0;
    record = BinRecord{static_cast<std::int64_t>(seconds * 1e9), size.ullVal};
  }
  ::VariantClear(&deleted);
  ::VariantClear(&size);
  return record;
}

// Wine 8 answers the columns only as display text, the time without seconds and the size in KB.
// Its item ids carry the listing record of the trashed file after a zero byte, with the
// deletion time (whole seconds, from the trash information) as the last access time.
std::optional<BinRecord> recordFromWineItem(PCUITEMID_CHILD item) {
  if (!underWine()) return std::nullopt;
  if (item->mkid.cb < 2 + 1 + sizeof(WIN32_FIND_DATAW) + 2 || item->mkid.abID[0] != 0) return std::nullopt;
  WIN32_FIND_DATAW data;
  std::memcpy(&data, item->mkid.abID + 1, sizeof data);
  return BinRecord{nanosecondsSince1970(data.ftLastAccessTime), win32::joined(data.nFileSizeHigh, data.nFileSizeLow)};
}

std::optional<BinRecord> binRecord(IShellFolder2* bin, PCUITEMID_CHILD item) {
  if (std::optional<BinRecord> record = recordFromDetails(bin, item)) return record;
  return recordFromWineItem(item);
}

// The Recycle Bin's folder and the list of its items.
struct BinListing {
  IdList binId;
  Held<IShellFolder> desktop;
  Held<IShellFolder2> bin;
  Held<IEnumIDList> items;

  bool open() {
    return SUCCEEDED(::SHGetFolderLocation(nullptr, CSIDL_BITBUCKET, nullptr, 0, &binId.id)) &&
           SUCCEEDED(::SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.out()))) &&
           SUCCEEDED(desktop->BindToObject(binId.id, nullptr, IID_IShellFolder2, bin.out())) &&
           bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                            reinterpret_cast<IEnumIDList**>(items.out())) == S_OK;
  }
};

// The newest item from `original` that `fits` (given what the bin records of it, when it tells),
// and that record. Of items that tell no time, the one listed last.
template <typename Fits>
bool newestFrom(BinListing& listing, const std::wstring& original, Fits fits, IdList& found, BinRecord& record) {
  for (PITEMID_CHILD item = nullptr; listing.items->Next(1, &item, nullptr) == S_OK; item = nullptr) {
    std::optional<BinRecord> candidate;
    const bool fromOriginal = cameFrom(listing.bin.get(), item, original);
    if (fromOriginal) candidate = binRecord(listing.bin.get(), item);
    const BinRecord known = candidate.value_or(BinRecord{});
    if (fromOriginal && fits(candidate) && (!found.id || known.deleted >= record.deleted)) {
      ::CoTaskMemFree(found.id);
      found.id = item;
      record = known;
    } else {
      ::CoTaskMemFree(item);
    }
  }
  return found.id != nullptr;
}

// The context-menu command that restores an item: the "undelete" verb, or on Wine, whose shell
// names no verbs, its "&Restore" entry.
std::optional<UINT> restoreCommand(IContextMenu* menu, HMENU popup, UINT first) {
  std::optional<UINT> byCaption;
  for (int i = 0, count = ::GetMenuItemCount(popup); i < count; ++i) {
    const UINT id = ::GetMenuItemID(popup, i);
    if (id == static_cast<UINT>(-1) || id < first) continue;
    char verb[64] = {};
    if (SUCCEEDED(menu->GetCommandString(id - first, GCS_VERBA, nullptr, verb, sizeof verb))) {
      if (::lstrcmpiA(verb, "undelete") == 0) return id - first;
      continue;
    }
    wchar_t caption[64] = {};
    if (::GetMenuStringW(popup, static_cast<UINT>(i), caption, 64, MF_BYPOSITION) > 0 &&
        std::wstring_view(caption) == L"&Restore") {
      byCaption = id - first;
    }
  }
  return byCaption;
}

}  // namespace

// The Recycle Bins known to be there, by drive root: Wine's answer lists the whole trash.
struct Trash::Folders {
  std::vector<std::pair<std::wstring, std::error_code>> drives;

  // Nothing when the drive of `path` has a Recycle Bin, else why not.
  std::error_code recycleBinMissing(const std::wstring& path) {
    const std::wstring root = driveRoot(path);
    if (root.empty()) return TrashError::noTrash;
    for (const auto& [known, missing] : drives) {
      if (sameText(known, root)) return missing;
    }
    std::error_code missing;
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (::GetDriveTypeW(root.c_str()) != DRIVE_FIXED) {
      missing = TrashError::noTrash;
    } else if (FAILED(::SHQueryRecycleBinW(root.c_str(), &info))) {
      // Wine fails the query for every drive when it could not set up its trash folders; its
      // delete would then delete for good.
      missing = underWine() ? TrashError::noWineTrash : TrashError::noTrash;
    }
    drives.emplace_back(root, missing);
    return missing;
  }
};

Trash::Trash() : folders_(std::make_unique<Folders>()) {}
Trash::~Trash() = default;

Result<TrashedFile> Trash::moveBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected,
                                     std::string_view original) {
  std::vector<std::wstring> names;
  if (const auto error = win32::splitRelative(relative, names)) return error;
  FileHandle parent;
  std::wstring folderPath;
  if (const auto error = win32::walkToParent(root, names, parent, folderPath)) return error;
  FileHandle entry;
  if (const auto error = win32::openScannedFile(parent, folderPath, names.back(), expected, 0, entry)) return error;
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(entry.get(), &information)) return win32::lastError();
  const std::uint64_t size = win32::joined(information.nFileSizeHigh, information.nFileSizeLow);
  // The shell opens the file itself. What remains between this check and its move: another file
  // renamed into this very folder under this very name would go instead; the folders on the way
  // stay held.
  entry.close();
  const std::wstring path = win32::joinedPath(folderPath, names.back());
  if (path.size() >= MAX_PATH) return std::error_code(TrashError::noTrash);
  if (const std::error_code missing = folders_->recycleBinMissing(path)) return missing;

  std::wstring from = path;
  from.push_back(L'\0');  // the list ends with a second NUL
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR;
  if (const int result = ::SHFileOperationW(&operation); result != 0) {
    return win32::systemError(static_cast<DWORD>(result));
  }
  if (operation.fAnyOperationsAborted) return win32::systemError(ERROR_CANCELLED);
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return win32::systemError(ERROR_ACCESS_DENIED);
  TrashedFile trashed{std::string(original), {}, {}, expected, 0, size};
  // The item just recycled is the newest of its name and size. Should the bin not tell, the file
  // is in it all the same, and undo takes the newest item of its name and size.
  BinListing listing;
  IdList found;
  BinRecord record;
  if (listing.open() &&
      newestFrom(
          listing, path, [size](const std::optional<BinRecord>& item) { return item && item->size == size; }, found,
          record)) {
    trashed.changed = record.deleted;
  }
  return trashed;
}

std::error_code restoreFromTrash(const TrashedFile& trashed, std::string_view) {
  const std::wstring original = win32::toWide(trashed.original);
  if (::GetFileAttributesW(original.c_str()) != INVALID_FILE_ATTRIBUTES) return TrashError::placeTaken;
  // Exactly the item recorded. A record that knows no deletion time or size takes the newest of
  // what it knows, and a bin that tells neither is matched by name alone.
  const auto recorded = [&trashed](const std::optional<BinRecord>& item) {
    if (!item) return true;
    return (trashed.changed == 0 || item->deleted == trashed.changed) && (trashed.size == 0 || item->size == trashed.size);
  };
  // The bin may keep the deletion time in local time and turn it to UTC with today's offset, so
  // after a change of summer time or time zone it moves by whole quarter hours. Such a match is
  // taken only when it is the one item that fits: cleanings run by the hour would fit alike.
  std::size_t shiftedFits = 0;
  const auto recordedBeforeAZoneChange = [&trashed, &shiftedFits](const std::optional<BinRecord>& item) {
    constexpr std::int64_t kQuarterHour = 15LL * 60 * 1'000'000'000;
    constexpr std::int64_t kMostOffset = 26LL * 4 * kQuarterHour;  // UTC-12 to UTC+14
    const std::int64_t shift = item ? item->deleted - trashed.changed : 0;
    const bool fits = item && trashed.changed != 0 && item->size == trashed.size && shift % kQuarterHour == 0 &&
                      shift >= -kMostOffset && shift <= kMostOffset;
    if (fits) ++shiftedFits;
    return fits;
  };
  BinListing listing;
  IdList found;
  BinRecord record;
  if (!listing.open()) return TrashError::notInTrash;
  if (!newestFrom(listing, original, recorded, found, record)) {
    BinListing again;
    if (!again.open() || !newestFrom(again, original, recordedBeforeAZoneChange, found, record) || shiftedFits != 1) {
      return TrashError::notInTrash;
    }
  }

  Held<IContextMenu> menu;
  PCUITEMID_CHILD child = found.id;
  if (FAILED(listing.bin->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr, menu.out()))) {
    return std::make_error_code(std::errc::function_not_supported);
  }
  constexpr UINT kFirst = 1;
  const HMENU popup = ::CreatePopupMenu();
  std::optional<UINT> command;
  if (SUCCEEDED(menu->QueryContextMenu(popup, 0, kFirst, 0x7FFF, CMF_NORMAL))) command = restoreCommand(menu.get(), popup, kFirst);
  ::DestroyMenu(popup);
  if (!command) return std::make_error_code(std::errc::function_not_supported);
  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof invoke;
  invoke.fMask = CMIC_MASK_FLAG_NO_UI;
  invoke.lpVerb = MAKEINTRESOURCEA(*command);
  invoke.nShow = SW_HIDE;
  if (FAILED(menu->InvokeCommand(&invoke))) return std::make_error_code(std::errc::function_not_supported);
  if (::GetFileAttributesW(original.c_str()) == INVALID_FILE_ATTRIBUTES) return TrashError::notInTrash;
  return {};
}

}  // namespace zendrift::platform
