// X errors on a real X server (Xvfb).
#include <gtest/gtest.h>

#ifdef VORLUMEN_HAVE_X11
#include <string>

#include "Needs.h"
#include "app/DesktopSupport.h"
#include "system/SysX11.h"

// After the test's own headers: Xlib's macros (None, Window) would clash.
#include <X11/Xlib.h>

namespace {

// A request about a window that is gone, as SDL3 makes at times while the
// game closes: Xlib's own handler would end this process here.
TEST(X11Errors, AnErrorNobodyWaitsForIsNamedAndPlayGoesOn) {
  VORLUMEN_NEED(desktop::MissingOf({desktop::Xvfb}));
  desktop::XServer x;
  ASSERT_TRUE(x.Start(320, 180)) << "Xvfb did not start";
  Display* display = XOpenDisplay(x.Display.c_str());
  ASSERT_NE(display, nullptr);
  const auto before = XSetErrorHandler(nullptr);
  SysX11KeepPlayingAfterErrors();
  testing::internal::CaptureStderr();
  int left = 0, top = 0;
  Window child = None;
  const Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 8, 8, 0, 0, 0);
  XDestroyWindow(display, gone);
  XTranslateCoordinates(display, gone, DefaultRootWindow(display), 0, 0, &left, &top, &child);
  XSync(display, False);
  const std::string said = testing::internal::GetCapturedStderr();
  XSetErrorHandler(before);
  XCloseDisplay(display);
  EXPECT_NE(said.find("X error: BadWindow"), std::string::npos) << said;
  EXPECT_NE(said.find("play goes on"), std::string::npos) << said;
}

}  // namespace
#endif
