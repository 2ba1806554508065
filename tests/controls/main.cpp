#include <QApplication>
#include <gtest/gtest.h>
#include <optional>

// The widgets under test need an application object; the tests run headless.
// Listing the tests needs none, so test discovery works without a display.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::optional<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests)) {
        app.emplace(argc, argv);
    }
    return RUN_ALL_TESTS();
}
