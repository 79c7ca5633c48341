// The application object that every window test runs in: Zendrift's own, named as in the
// program. On the offscreen platform its screen is 1920 x 1080, large enough for the window at
// its design place (the platform's own 800 x 600 is not).
#include <gtest/gtest.h>

#include <QtGlobal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "gui/qt/zendrift_application.h"

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
      const std::filesystem::path config =
          std::filesystem::temp_directory_path() / ("zendrift-screen-" + std::to_string(::getpid()) + ".json");
      std::ofstream(config) << R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
      qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.string()).c_str());
      config_ = config;
    }
    application_ = std::make_unique<zendrift::qt::ZendriftApplication>(argc_, argv_);
  }
  void TearDown() override {
    application_.reset();
    if (!config_.empty()) std::filesystem::remove(config_);
  }

 private:
  int argc_ = 1;
  char name_[16] = "window_tests";
  char* argv_[2] = {name_, nullptr};
  std::filesystem::path config_;
  std::unique_ptr<zendrift::qt::ZendriftApplication> application_;
};

// GoogleTest takes ownership of the environment.
[[maybe_unused]] ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
