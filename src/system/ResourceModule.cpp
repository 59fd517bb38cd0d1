#include "system/ResourceModule.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "system/PeFormat.h"

// A key at one level of the resource directory: a numeric id or a name.
struct CResourceModule::TypeKey {
  const char* Name = nullptr;  // ASCII, compared without case
  std::uint16_t Id = 0;
};

namespace {

// Real modules hold a handful of types; a hostile one may hold thousands of
// entries that all point at the same huge directory.
constexpr int MaxOtherPictureTypes = 64;

// "#123" names a numeric id, as the Windows loader reads it.
bool ParseNumericName(const char* name, std::uint16_t& id) {
  if (name[0] != '#' || name[1] == '\0') return false;
  std::uint32_t value = 0;
  for (const char* p = name + 1; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    value = value * 10 + static_cast<std::uint32_t>(*p - '0');
    if (value > 0xFFFF) return false;
  }
  id = static_cast<std::uint16_t>(value);
  return true;
}

char AsciiUpper(std::uint32_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  return static_cast<char>(c);
}

}  // namespace

CResourceModule::~CResourceModule() { Close(); }

bool CResourceModule::Open(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    FaultText = std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
    FaultText = S_ISDIR(st.st_mode)    ? std::strerror(EISDIR)
                : !S_ISREG(st.st_mode) ? "not a regular file"
                                       : "the file is empty";
    ::close(fd);
    return false;
  }
  const std::size_t size = static_cast<std::size_t>(st.st_size);
  void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  const int mapError = errno;
  ::close(fd);  // the mapping keeps the file alive
  if (mapping == MAP_FAILED) {
    FaultText = std::strerror(mapError);
    return false;
  }
  return Adopt(mapping, size, false);
}

// Takes the bytes as the module; a file that is no module is let go at once.
bool CResourceModule::Adopt(void* bytes, std::size_t size, bool ownsHeap) {
  Mapping = bytes;
  MappingSize = size;
  OwnsHeap = ownsHeap;
  if (!Parse()) {
    const bool executable = size >= 2 && pe::ReadU16(Bytes()) == pe::DosMagic;
    Close();
    FaultText = executable ? "its headers are damaged or cut short" : "not a resource module";
    return false;
  }
  const std::uint64_t end = DeclaredEnd();
  if (end > size) {
    char text[96];
    std::snprintf(text, sizeof text, "cut short (%zu of %llu bytes)", size,
                  static_cast<unsigned long long>(end));
    FaultText = text;
  }
  return true;
}

bool CResourceModule::OpenBytes(const std::uint8_t* data, std::size_t size) {
  Close();
  if (data == nullptr || size == 0) {
    FaultText = "the file is empty";
    return false;
  }
  void* copy = std::malloc(size);
  if (copy == nullptr) return false;
  std::memcpy(copy, data, size);
  return Adopt(copy, size, true);
}

void CResourceModule::Close() {
  ++ChangeCount;
  if (Mapping != nullptr) {
    if (OwnsHeap)
      std::free(Mapping);
    else
      ::munmap(Mapping, MappingSize);
  }
  Mapping = nullptr;
  MappingSize = 0;
  OwnsHeap = false;
  RootOffset = RootLimit = SectionTable = 0;
  SectionCount = 0;
  Parsed = false;
  FaultText.clear();
}

bool CResourceModule::IsOpen() const { return Parsed; }

void CResourceModule::Forget(const std::uint8_t* data, std::size_t size) const {
  if (Mapping == nullptr || OwnsHeap || data == nullptr || size == 0) return;
  const auto base = reinterpret_cast<std::uintptr_t>(Mapping);
  const auto from = reinterpret_cast<std::uintptr_t>(data);
  if (from < base || from - base >= MappingSize) return;
  const std::uintptr_t to = base + std::min(MappingSize, from - base + size);
  static const std::uintptr_t page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  // Only pages wholly inside: a neighbour's bytes may still be wanted.
  const std::uintptr_t first = (from + page - 1) / page * page;
  const std::uintptr_t last = to / page * page;
  // A private read-only mapping of a file: dropped pages come back from it.
  if (first < last) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

// Reads the DOS and PE headers and finds the resource directory. Every
// field is checked against the bytes present before it is used.
bool CResourceModule::Parse() {
  const std::uint8_t* b = Bytes();
  const std::size_t size = MappingSize;
  if (!pe::InRange(size, 0, pe::DosLfanewOffset + 4)) return false;
  if (pe::ReadU16(b) != pe::DosMagic) return false;
  const std::uint32_t peOffset = pe::ReadU32(b + pe::DosLfanewOffset);
  if (!pe::InRange(size, peOffset, 4 + pe::CoffHeaderSize)) return false;
  if (pe::ReadU32(b + peOffset) != pe::PeSignature) return false;

  const std::uint8_t* coff = b + peOffset + 4;
  const std::uint32_t sectionCount = pe::ReadU16(coff + 2);
  const std::uint32_t optionalSize = pe::ReadU16(coff + 16);
  const std::uint64_t optionalOffset = std::uint64_t{peOffset} + 4 + pe::CoffHeaderSize;
  if (!pe::InRange(size, optionalOffset, optionalSize) || optionalSize < 2) return false;
  const std::uint8_t* optional = b + optionalOffset;

  std::uint32_t directoriesAt = 0;
  std::uint32_t countAt = 0;
  switch (pe::ReadU16(optional)) {
    case pe::OptionalMagic32:
      directoriesAt = pe::DataDirectories32;
      countAt = pe::DataDirectoryCount32;
      break;
    case pe::OptionalMagic64:
      directoriesAt = pe::DataDirectories64;
      countAt = pe::DataDirectoryCount64;
      break;
    default:
      return false;
  }
  const std::uint64_t resourceEntryAt = directoriesAt + 8ull * pe::ResourceDirectoryIndex;
  if (optionalSize < resourceEntryAt + 8) return false;
  if (pe::ReadU32(optional + countAt) <= pe::ResourceDirectoryIndex) return false;
  const std::uint32_t resourceRva = pe::ReadU32(optional + resourceEntryAt);
  const std::uint32_t resourceSize = pe::ReadU32(optional + resourceEntryAt + 4);
  if (resourceRva == 0 || resourceSize < pe::ResourceDirectorySize) return false;

  const std::uint64_t tableOffset = optionalOffset + optionalSize;
  if (!pe::InRange(size, tableOffset, std::uint64_t{sectionCount} * pe::SectionHeaderSize))
    return false;
  SectionTable = static_cast<std::size_t>(tableOffset);
  SectionCount = sectionCount;

  // The directory's own offsets may reach to the end of the section that
  // holds it, as far as the file goes.
  for (std::uint32_t i = 0; i < SectionCount; ++i) {
    const auto [virtualAddress, rawOffset, extent] = SectionAt(i);
    if (resourceRva < virtualAddress || resourceRva - virtualAddress >= extent) continue;
    const std::uint64_t root = std::uint64_t{rawOffset} + (resourceRva - virtualAddress);
    std::uint64_t limit = std::uint64_t{rawOffset} + extent;
    if (limit > size) limit = size;
    if (root + pe::ResourceDirectorySize > limit) return false;
    RootOffset = static_cast<std::size_t>(root);
    RootLimit = static_cast<std::size_t>(limit);
    Parsed = true;
    return true;
  }
  return false;
}

// A section's place in memory and in the file; its extent is the part that
// the file holds (the raw size, or less when the section is smaller).
CResourceModule::Section CResourceModule::SectionAt(std::uint32_t i) const {
  const std::uint8_t* s = Bytes() + SectionTable + std::size_t{i} * pe::SectionHeaderSize;
  const std::uint32_t virtualSize = pe::ReadU32(s + 8);
  const std::uint32_t rawSize = pe::ReadU32(s + 16);
  return {pe::ReadU32(s + 12), pe::ReadU32(s + 20),
          virtualSize != 0 && virtualSize < rawSize ? virtualSize : rawSize};
}

std::uint64_t CResourceModule::DeclaredEnd() const {
  std::uint64_t end = 0;
  for (std::uint32_t i = 0; i < SectionCount; ++i) {
    const std::uint8_t* s = Bytes() + SectionTable + std::size_t{i} * pe::SectionHeaderSize;
    const std::uint64_t sectionEnd = std::uint64_t{pe::ReadU32(s + 20)} + pe::ReadU32(s + 16);
    if (sectionEnd > end) end = sectionEnd;
  }
  return end;
}

// The file offset of `size` bytes at `rva`, when a section holds all of
// them in the file.
bool CResourceModule::MapRva(std::uint32_t rva, std::uint32_t size,
                             std::size_t& fileOffset) const {
  for (std::uint32_t i = 0; i < SectionCount; ++i) {
    const auto [virtualAddress, rawOffset, extent] = SectionAt(i);
    if (rva < virtualAddress) continue;
    const std::uint64_t within = rva - virtualAddress;
    if (within + size > extent) continue;
    const std::uint64_t offset = rawOffset + within;
    if (!pe::InRange(MappingSize, offset, size)) continue;
    fileOffset = static_cast<std::size_t>(offset);
    return true;
  }
  return false;
}

// The entries of the directory at `directory` (an offset from the root):
// as many as it declares, but no more than the section holds.
std::uint32_t CResourceModule::DirectoryEntries(std::uint32_t directory,
                                                const std::uint8_t*& entries) const {
  const std::uint64_t at = std::uint64_t{RootOffset} + directory;
  if (at + pe::ResourceDirectorySize > RootLimit) return 0;
  const std::uint8_t* d = Bytes() + at;
  const std::uint64_t declared = std::uint64_t{pe::ReadU16(d + 12)} + pe::ReadU16(d + 14);
  const std::uint64_t room = (RootLimit - at - pe::ResourceDirectorySize) / pe::ResourceEntrySize;
  entries = d + pe::ResourceDirectorySize;
  return static_cast<std::uint32_t>(declared < room ? declared : room);
}

// Looks for `key` among the entries of the directory at `directory` (an
// offset from the root). Levels are fixed, so a directory that points back
// at itself is read again at most once per level and never loops.
bool CResourceModule::FindChild(std::uint32_t directory, const TypeKey& key, bool wantDirectory,
                                std::uint32_t& child) const {
  const std::uint8_t* b = Bytes();
  const std::uint8_t* entries = nullptr;
  const std::uint32_t count = DirectoryEntries(directory, entries);
  std::size_t nameLength = 0;
  if (key.Name) nameLength = std::strlen(key.Name);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* e = entries + std::size_t{i} * pe::ResourceEntrySize;
    const std::uint32_t name = pe::ReadU32(e);
    const std::uint32_t offset = pe::ReadU32(e + 4);
    bool match = false;
    if (key.Name == nullptr) {
      match = name == key.Id;
    } else if (name & pe::HighBit) {
      const std::uint64_t s = std::uint64_t{RootOffset} + (name & ~pe::HighBit);
      if (s + 2 > RootLimit) continue;
      const std::uint32_t length = pe::ReadU16(b + s);
      if (length != nameLength || s + 2 + 2ull * length > RootLimit) continue;
      match = true;
      for (std::uint32_t c = 0; c < length && match; ++c) {
        const std::uint16_t stored = pe::ReadU16(b + s + 2 + 2 * c);
        match = stored < 0x80 && AsciiUpper(stored) == AsciiUpper(static_cast<unsigned char>(key.Name[c]));
      }
    }
    if (!match) continue;
    if (((offset & pe::HighBit) != 0) != wantDirectory) continue;
    child = offset & ~pe::HighBit;
    return true;
  }
  return false;
}

ResourceBytes CResourceModule::ReadDataEntry(std::uint32_t entry, std::uint16_t type) const {
  const std::uint64_t at = std::uint64_t{RootOffset} + entry;
  if (at + pe::ResourceDataEntrySize > RootLimit) return {};
  const std::uint32_t rva = pe::ReadU32(Bytes() + at);
  const std::uint32_t size = pe::ReadU32(Bytes() + at + 4);
  std::size_t offset = 0;
  if (size == 0 || !MapRva(rva, size, offset)) return {};
  ResourceBytes bytes;
  bytes.Data = Bytes() + offset;
  bytes.Size = size;
  bytes.Type = type;
  return bytes;
}

// Id, then the first language that holds data.
ResourceBytes CResourceModule::FindInType(std::uint32_t typeDirectory, std::uint16_t id,
                                          std::uint16_t type) const {
  TypeKey idKey;
  idKey.Id = id;
  std::uint32_t languages = 0;
  if (!FindChild(typeDirectory, idKey, true, languages)) return {};

  const std::uint8_t* entries = nullptr;
  const std::uint32_t count = DirectoryEntries(languages, entries);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t offset = pe::ReadU32(entries + std::size_t{i} * pe::ResourceEntrySize + 4);
    if (offset & pe::HighBit) continue;
    ResourceBytes bytes = ReadDataEntry(offset, type);
    if (bytes) return bytes;
  }
  return {};
}

ResourceBytes CResourceModule::Find(std::uint16_t type, std::uint16_t id) const {
  if (!Parsed) return {};
  TypeKey typeKey;
  typeKey.Id = type;
  std::uint32_t typeDirectory = 0;
  if (!FindChild(0, typeKey, true, typeDirectory)) return {};
  return FindInType(typeDirectory, id, type);
}

ResourceBytes CResourceModule::Find(const char* typeName, std::uint16_t id) const {
  if (!Parsed || typeName == nullptr || typeName[0] == '\0') return {};
  std::uint16_t numeric = 0;
  if (ParseNumericName(typeName, numeric)) return Find(numeric, id);
  TypeKey typeKey;
  typeKey.Name = typeName;
  std::uint32_t typeDirectory = 0;
  if (!FindChild(0, typeKey, true, typeDirectory)) return {};
  return FindInType(typeDirectory, id, 0);
}

ResourceBytes CResourceModule::FindPicture(std::uint16_t id) const {
  if (!Parsed) return {};
  if (ResourceBytes bytes = Find(ResourceTypeRcData, id)) return bytes;
  if (ResourceBytes bytes = Find(ResourceTypeBitmap, id)) return bytes;

  const std::uint8_t* entries = nullptr;
  const std::uint32_t count = DirectoryEntries(0, entries);
  int tried = 0;
  for (std::uint32_t i = 0; i < count && tried < MaxOtherPictureTypes; ++i) {
    const std::uint8_t* e = entries + std::size_t{i} * pe::ResourceEntrySize;
    const std::uint32_t name = pe::ReadU32(e);
    const std::uint32_t offset = pe::ReadU32(e + 4);
    if (!(offset & pe::HighBit)) continue;
    if (name == ResourceTypeRcData || name == ResourceTypeBitmap) continue;
    ++tried;
    const std::uint16_t type = (name & pe::HighBit) ? 0 : static_cast<std::uint16_t>(name);
    if (ResourceBytes bytes = FindInType(offset & ~pe::HighBit, id, type)) return bytes;
  }
  return {};
}

CResourceModule& GetResourceModule() {
  static CResourceModule module;
  return module;
}
