#include "system/ResourceModule.h"

// Placeholder until the reader lands: no module, no resources.
CResourceModule::~CResourceModule() { Close(); }
bool CResourceModule::Open(const std::string&) { return false; }
bool CResourceModule::OpenBytes(const std::uint8_t*, std::size_t) { return false; }
void CResourceModule::Close() {}
bool CResourceModule::IsOpen() const { return false; }
ResourceBytes CResourceModule::Find(std::uint16_t, std::uint16_t) const { return {}; }
ResourceBytes CResourceModule::Find(const char*, std::uint16_t) const { return {}; }
ResourceBytes CResourceModule::FindPicture(std::uint16_t) const { return {}; }

CResourceModule& GetResourceModule() {
  static CResourceModule module;
  return module;
}
