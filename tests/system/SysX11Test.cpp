// X errors on a real X server (Xvfb).
#include <gtest/gtest.h>

#ifdef VORLUMEN_HAVE_X11
#include <string>

#include "Needs.h"
#include "app/DesktopSupport.h"
#include "system/SysPlatform.h"
#include "system/SysX11.h"

// After the test's own headers: Xlib's macros (None, Window) would clash.
#include <X11/Xlib.h>

namespace {

// A request about a window that is gone, as SDL3 makes at times while the
// game closes: Xlib's own handler would end this process here. The error is
// counted, and named only among the debug lines (--verbose).
TEST(X11Errors, AnErrorNobodyWaitsForIsCountedNamedOnlyWhenAskedAndPlayGoesOn) {
  VORLUMEN_NEED(desktop::MissingOf({desktop::Xvfb}));
  desktop::XServer x;
  ASSERT_TRUE(x.Start(320, 180)) << "Xvfb did not start";
  Display* display = XOpenDisplay(x.Display.c_str());
  ASSERT_NE(display, nullptr);
  const auto before = XSetErrorHandler(nullptr);
  const auto lost = XSetIOErrorHandler(nullptr);
  for (const bool verbose : {false, true}) {
    SCOPED_TRACE(verbose ? "--verbose" : "quiet");
    SysShowDebugOutput(verbose);
    SysX11KeepPlayingAfterErrors();
    testing::internal::CaptureStderr();
    int left = 0, top = 0;
    Window child = None;
    const Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 8, 8, 0, 0, 0);
    XDestroyWindow(display, gone);
    XTranslateCoordinates(display, gone, DefaultRootWindow(display), 0, 0, &left, &top, &child);
    XSync(display, False);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(SysX11StopCountingErrors(), 1);
    EXPECT_EQ(said.find("X error: BadWindow") != std::string::npos, verbose) << said;
    EXPECT_EQ(said.find("play goes on") != std::string::npos, verbose) << said;
  }
  SysShowDebugOutput(false);
  XSetErrorHandler(before);
  XSetIOErrorHandler(lost);
  XCloseDisplay(display);
}

}  // namespace
#endif
