// The screen's resolution includes the desktop's scale factor: 125 % reads
// as 120 pixels per inch. Its own executable, because the scale is set
// before the application object exists.

#include "platform/ui/application.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ScreenScale, ScaledDesktopReadsAsMorePixelsPerInch) {
    setenv("QT_SCALE_FACTOR", "1.25", 1);
    static int argc = 1;
    static char name[] = "test_platform_ui_scale";
    static char* argv[] = {name, nullptr};
    platform::ui::initialize(argc, argv);
    EXPECT_EQ(platform::ui::screenPixelsPerInch(), 120);
}
