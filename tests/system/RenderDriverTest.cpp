// Which OpenGL a machine without a graphics card is given: a CPU rasteriser
// is told apart from hardware by its renderer string.
#include <gtest/gtest.h>

#include "system/SysRenderDriver.h"

namespace {

TEST(RenderDriver, ACpuRasteriserIsToldByItsRendererString) {
  const struct {
    const char* Renderer;
    bool OnTheCpu;
  } cases[] = {
      {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
      {"softpipe", true},
      {"Software Rasterizer", true},
      {"Mesa X11 swrast", true},
      {"SwiftShader Device (Subzero)", true},
      {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
      {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
      {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
      {"", false},
      {nullptr, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SysIsCpuRasteriserName(c.Renderer), c.OnTheCpu) << (c.Renderer ? c.Renderer : "(none)");
}

}  // namespace
