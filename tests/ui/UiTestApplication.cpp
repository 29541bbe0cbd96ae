// The QApplication of the widget tests, made once before the first test. The user's data
// directory points into a temporary directory, so that the trash of the delete tests stays
// out of the real home.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

namespace {

class UiTestApplication : public ::testing::Environment {
  public:
    void SetUp() override {
        dataHome_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", dataHome_->path().toUtf8());
        if (QApplication::instance() == nullptr)
            application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {
        application_.reset();
        dataHome_.reset();
    }

  private:
    int argc_ = 1;
    char name_[9] = "ui_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
    std::unique_ptr<QTemporaryDir> dataHome_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new UiTestApplication);

}  // namespace
