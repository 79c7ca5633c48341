// The Wine prefix on POSIX systems: locating it, reading its drive links, and keeping its parsed
// registry files until they change on disk.
#include "profile/wine_prefix.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <span>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"

namespace zendrift::profile::wine {

namespace {

// A registry file larger than this is not a Wine profile's; it is left unread.
constexpr std::size_t kMaxRegistryBytes = 128u << 20;

// What a file looked like on disk; a change of any field means its content may have changed.
struct FileStamp {
  bool present = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modifiedNs = 0;
  long long changedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const std::string& path) {
  struct stat status {};
  FileStamp stamp;
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return stamp;
  stamp.present = true;
  stamp.device = status.st_dev;
  stamp.inode = status.st_ino;
  stamp.size = status.st_size;
  stamp.modifiedNs = static_cast<long long>(status.st_mtim.tv_sec) * 1'000'000'000LL + status.st_mtim.tv_nsec;
  stamp.changedNs = static_cast<long long>(status.st_ctim.tv_sec) * 1'000'000'000LL + status.st_ctim.tv_nsec;
  return stamp;
}

// Resolves "." and ".." without touching the disk; the result is absolute when `path` is.
std::string normaliseLexically(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out = (!path.empty() && path.front() == '/') ? "/" : "";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += '/';
    out += parts[i];
  }
  return out.empty() ? "." : out;
}

std::string currentUserHint() {
  for (const char* name : {"USER", "LOGNAME"}) {
    if (auto value = platform::environmentVariable(name); value && !value->empty()) return *value;
  }
  // The account behind the process does not change; the password database is asked once.
  static const std::string account = [] {
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_name ? std::string(entry->pw_name) : std::string();
  }();
  return account;
}

std::optional<std::string> textOf(const RegistryFile& file, std::string_view key, std::string_view name) {
  const RegistryValue* value = file.value(key, name);
  if (!value) return std::nullopt;
  return registryText(*value);
}

// Expands a registry text against what is known so far.
std::optional<std::string> expandedText(const RegistryFile& file, std::string_view key, std::string_view name,
                                        const Environment& environment) {
  const auto text = textOf(file, key, name);
  if (!text) return std::nullopt;
  return expandEnvironment(*text, environment);
}

// Lays the values of one environment key over `environment`. Values that name each other are
// taken in as many rounds as it takes; one that names an unknown variable is left out.
void overlay(Environment& environment, const RegistryFile& file, std::string_view key,
             std::span<const std::string_view> kept = {}) {
  const RegistryFile::Values* values = file.key(key);
  if (!values) return;
  std::vector<std::pair<std::string, std::string>> pending;
  for (const auto& [name, value] : *values) {
    if (name.empty()) continue;
    if (std::any_of(kept.begin(), kept.end(), [&name = name](std::string_view k) { return platform::equalsIgnoringAsciiCase(k, name); })) {
      continue;
    }
    if (auto text = registryText(value)) pending.emplace_back(name, std::move(*text));
  }
  for (bool progress = true; progress && !pending.empty();) {
    progress = false;
    for (auto it = pending.begin(); it != pending.end();) {
      if (auto expanded = expandEnvironment(it->second, environment)) {
        environment[it->first] = std::move(*expanded);
        it = pending.erase(it);
        progress = true;
      } else {
        ++it;
      }
    }
  }
}

// The Windows path without its drive part ("\users\ann" of "C:\users\ann").
std::string withoutDrive(std::string_view path) {
  return std::string(path.size() >= 2 && path[1] == ':' ? path.substr(2) : path);
}

constexpr std::string_view kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr std::string_view kNtCurrentVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::string_view kProfileList = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr std::string_view kComputerName = "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
constexpr std::string_view kSessionEnvironment = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";

}  // namespace

}  // namespace zendrift::profile::wine

namespace zendrift::profile {

// The registry files of every prefix met so far, side by side: a scan may judge shortcuts of
// several prefixes in turn. Locked, for the profile may be asked from more than one thread.
struct RegistryCache::Store {
  std::mutex mutex;
  struct Parsed {
    wine::FileStamp stamp;
    std::shared_ptr<const RegistryFile> file;
  };
  std::map<std::string, Parsed> files;
  struct Key {
    wine::FileStamp user;
    wine::FileStamp system;
    std::string userHint;
    bool operator==(const Key&) const = default;
  };
  struct Built {
    Key key;
    std::shared_ptr<const wine::Profile> profile;
  };
  std::map<std::string, Built> profiles;  // by prefix folder

  std::shared_ptr<const RegistryFile> registry(const std::string& path, const wine::FileStamp& stamp) {
    Parsed& parsed = files[path];
    if (!parsed.file || !(parsed.stamp == stamp)) {
      // A file past the bound (or grown past it since its stamp) is read as an empty one.
      std::string text;
      if (stamp.present && static_cast<std::size_t>(stamp.size) <= wine::kMaxRegistryBytes) {
        platform::Result<std::string> read = platform::readFile(path, wine::kMaxRegistryBytes + 1);
        if (read && read->size() <= wine::kMaxRegistryBytes) text = std::move(read).value();
      }
      parsed.file = std::make_shared<const RegistryFile>(RegistryFile::parse(text));
      parsed.stamp = stamp;
    }
    return parsed.file;
  }
};

RegistryCache::RegistryCache() : store_(std::make_unique<Store>()) {}
RegistryCache::~RegistryCache() = default;
RegistryCache::RegistryCache(RegistryCache&&) noexcept = default;
RegistryCache& RegistryCache::operator=(RegistryCache&&) noexcept = default;

}  // namespace zendrift::profile

namespace zendrift::profile::wine {

bool CaselessLess::operator()(std::string_view a, std::string_view b) const {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char x = platform::lowerAscii(a[i]);
    const char y = platform::lowerAscii(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  return a.size() < b.size();
}

std::optional<std::string> expandEnvironment(std::string_view text, const Environment& environment) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const std::size_t open = text.find('%');
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(text.substr(0, open));
    const std::string_view name = text.substr(open + 1, close - open - 1);
    if (name.empty()) {
      out += "%%";
    } else {
      const auto found = environment.find(name);
      if (found == environment.end()) return std::nullopt;
      out += found->second;
    }
    text.remove_prefix(close + 1);
  }
  out.append(text);
  return out;
}

Environment profileEnvironment(const RegistryFile& user, const RegistryFile& system, std::string_view userName) {
  Environment env;
  env["SystemDrive"] = "C:";
  env["SystemRoot"] = textOf(system, kNtCurrentVersion, "SystemRoot").value_or("C:\\windows");
  env["windir"] = env["SystemRoot"];
  env["ProgramFiles"] = textOf(system, kCurrentVersion, "ProgramFilesDir").value_or("C:\\Program Files");
  env["CommonProgramFiles"] =
      textOf(system, kCurrentVersion, "CommonFilesDir").value_or(env["ProgramFiles"] + "\\Common Files");
  if (auto x86 = textOf(system, kCurrentVersion, "ProgramFilesDir (x86)")) {
    env["ProgramFiles(x86)"] = *x86;
    env["ProgramW6432"] = env["ProgramFiles"];
  }
  if (auto x86 = textOf(system, kCurrentVersion, "CommonFilesDir (x86)")) {
    env["CommonProgramFiles(x86)"] = *x86;
    env["CommonProgramW6432"] = env["CommonProgramFiles"];
  }
  const std::string profiles =
      expandedText(system, kProfileList, "ProfilesDirectory", env).value_or(env["SystemDrive"] + "\\users");
  env["ProgramData"] = expandedText(system, kProfileList, "ProgramData", env).value_or(env["SystemDrive"] + "\\ProgramData");
  env["ALLUSERSPROFILE"] = env["ProgramData"];
  env["PUBLIC"] = expandedText(system, kProfileList, "Public", env).value_or(profiles + "\\Public");
  overlay(env, system, kSessionEnvironment);

  env["USERNAME"] = std::string(userName);
  const std::string home = profiles + "\\" + std::string(userName);
  env["USERPROFILE"] = home;
  env["HOMEDRIVE"] = home.size() >= 2 && home[1] == ':' ? home.substr(0, 2) : env["SystemDrive"];
  env["HOMEPATH"] = withoutDrive(home);
  env["APPDATA"] = home + "\\AppData\\Roaming";
  env["LOCALAPPDATA"] = home + "\\AppData\\Local";
  // What wineboot writes into the volatile keys at every start, never into the files.
  std::string computer = computerName();
  if (computer.empty()) computer = textOf(system, kComputerName, "ComputerName").value_or("");
  if (!computer.empty()) {
    env["USERDOMAIN"] = computer;
    env["LOGONSERVER"] = "\\\\" + computer;
  }
  env["CLIENTNAME"] = "Console";
  env["SESSIONNAME"] = "Console";
  env["HOMESHARE"] = "";
  // wineboot writes these into Volatile Environment at every start, for the Unix user who runs
  // Wine: what the files hold is another session's (maybe another user's) and never seen.
  static constexpr std::string_view kWinebootNames[] = {"USERNAME", "USERPROFILE", "HOMEDRIVE", "HOMEPATH",
                                                       "APPDATA", "LOCALAPPDATA", "USERDOMAIN", "LOGONSERVER",
                                                       "CLIENTNAME", "SESSIONNAME", "HOMESHARE"};
  Environment session;
  for (const std::string_view name : kWinebootNames) {
    if (const auto found = env.find(name); found != env.end()) session.insert(*found);
  }
  overlay(env, user, "Environment");
  for (const auto& [name, value] : session) env[name] = value;
  overlay(env, user, "Volatile Environment", kWinebootNames);
  // Where the registry names no temporary folder: Wine's default layout. Each variable the
  // registry does set, the user's over the system's, stands as it is.
  if (!env.contains("TEMP")) env["TEMP"] = env["LOCALAPPDATA"] + "\\Temp";
  if (!env.contains("TMP")) env["TMP"] = env["TEMP"];
  // Wine sets the computer name last, over anything the registry says.
  if (!computer.empty()) env["COMPUTERNAME"] = computer;
  return env;
}

std::shared_ptr<const Profile> profileAt(std::string_view prefixFolder, RegistryCache& registries) {
  const std::string prefix = platform::withoutTrailingSeparator(prefixFolder, platform::PathStyle::Posix);
  if (prefix.empty()) return nullptr;
  const std::string userPath = platform::join(prefix, "user.reg");
  const std::string systemPath = platform::join(prefix, "system.reg");
  RegistryCache::Store::Key key{stampOf(userPath), stampOf(systemPath), currentUserHint()};
  // A registry file proves the prefix folder is there; only without one is it looked at.
  if (!key.user.present && !key.system.present) {
    struct stat status {};
    if (::stat(prefix.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return nullptr;
  }

  RegistryCache::Store& shared = registries.store();
  const std::lock_guard lock(shared.mutex);
  RegistryCache::Store::Built& built = shared.profiles[prefix];
  if (built.profile && built.key == key) return built.profile;

  auto profile = std::make_shared<Profile>();
  profile->prefix = prefix;
  profile->user = shared.registry(userPath, key.user);
  profile->system = shared.registry(systemPath, key.system);
  // Wine 8 names the profile's user after the Unix user who runs it, whoever made the prefix.
  profile->userName = key.userHint;
  profile->environment = profileEnvironment(*profile->user, *profile->system, profile->userName);
  built.profile = std::move(profile);
  built.key = std::move(key);
  return built.profile;
}

std::shared_ptr<const Profile> wineProfileOf(const ShortcutProfile& profile, RegistryCache& registries) {
  switch (profile.kind) {
    case ProfileKind::Scanned:
    case ProfileKind::WinePrefix: return profileAt(profile.root, registries);
    case ProfileKind::WindowsInstallation: break;
  }
  return nullptr;
}

bool isWinePrefix(std::string_view folder) {
  struct stat status {};
  return ::stat(platform::join(folder, "system.reg").c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         ::stat(platform::join(folder, "dosdevices").c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string computerName() {
  // The host name is asked once: profiles are built again whenever a registry file changes.
  static const std::string name = [] {
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0) return std::string();
    std::string host(buffer);
    host.resize(std::min(host.find('.'), host.size()));
    // A NetBIOS name holds at most 15 characters; Wine cuts the host name to fit.
    if (host.size() > 15) host.resize(15);
    for (char& c : host) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return host;
  }();
  return name;
}

Environment installationEnvironment() {
  // Its registry hives are not read; only what finding Windows\System32 on C: proves is known.
  Environment env;
  env["SystemDrive"] = "C:";
  env["SystemRoot"] = "C:\\Windows";
  env["windir"] = "C:\\Windows";
  return env;
}

std::string driveFolder(std::string_view prefix, char letter, bool verify) {
  letter = platform::lowerAscii(letter);
  if (letter < 'a' || letter > 'z' || prefix.empty()) return {};
  const std::string devices = platform::join(prefix, "dosdevices");
  const std::string link = platform::join(devices, std::string(1, letter) + ":");

  std::string target;
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) {
      if (errno != EINVAL) return {};
      target = link;  // a plain folder in place of the link
      break;
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      target.assign(buffer.data(), static_cast<std::size_t>(length));
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  if (target.empty()) return {};
  if (target.front() != '/') target = platform::join(devices, target);
  target = normaliseLexically(target);

  struct stat status {};
  if (verify && (::stat(target.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))) return {};
  return target;
}

}  // namespace zendrift::profile::wine
