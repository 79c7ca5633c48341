// The application object that every window test runs in: Zendrift's own, named as in the
// program.
#include <gtest/gtest.h>

#include <memory>

#include "gui/qt/zendrift_application.h"

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<zendrift::qt::ZendriftApplication>(argc_, argv_); }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "window_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<zendrift::qt::ZendriftApplication> application_;
};

// GoogleTest takes ownership of the environment.
[[maybe_unused]] ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
