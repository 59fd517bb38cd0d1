#include "system/PictureDecode.h"

// Placeholder until the decoders land: every picture is transparent.
bool DecodePicture(const ResourceBytes&, int size, std::vector<std::uint32_t>& argb) {
  argb.assign(static_cast<std::size_t>(size > 0 ? size : 0) * static_cast<std::size_t>(size > 0 ? size : 0), 0u);
  return false;
}

bool LoadPictureResource(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  return DecodePicture(GetResourceModule().FindPicture(resourceId), size, argb);
}
