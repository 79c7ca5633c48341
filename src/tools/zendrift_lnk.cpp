// zendrift-lnk: prints what the shortcut reader makes of each file, for users and for diagnosis.
#include <cstdio>
#include <string>
#include <string_view>

#include "profile/prefix_discovery.h"
#include "profile/windows_profile.h"
#include "shortcut/read_shortcut.h"
#include "shortcut/shortcut_report.h"

int main(int argc, char** argv) {
  using namespace zendrift::shortcut;
  bool tsv = false;
  int first = 1;
  if (argc > 1 && std::string_view(argv[1]) == "--tsv") {
    tsv = true;
    first = 2;
  }
  if (first >= argc) {
    std::fputs("usage: zendrift-lnk [--tsv] FILE...\n", stderr);
    return 2;
  }
  // Environment-variable targets are expanded in the prefix $WINEPREFIX (else ~/.wine) names.
  const zendrift::profile::ShortcutProfile profile =
      zendrift::profile::scannedProfile(zendrift::profile::defaultPrefix(zendrift::profile::hostPrefixPlaces()));
  zendrift::profile::RegistryCache registries;
  const EnvironmentExpander expand = [&profile, &registries](std::string_view text) {
    return zendrift::profile::expandProfileEnvironment(text, profile, registries);
  };
  int status = 0;
  for (int i = first; i < argc; ++i) {
    ShortcutInfo info;
    info.fileName = argv[i];
    if (!readShortcutFile(info, expand)) {
      std::fprintf(stderr, "zendrift-lnk: cannot open %s\n", argv[i]);
      status = 1;
      continue;
    }
    const std::string text = tsv ? formatShortcutTsv(info) : formatShortcutFields(info);
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
  return status;
}
