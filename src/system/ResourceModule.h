#pragma once
// "Resource.dll": a PE image whose resource directory holds every picture,
// the icon and every sound by numeric id. Any file may stand in its place,
// so every offset and size in it is checked; a damaged file only means
// absent resources.
#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::uint16_t ResourceTypeBitmap = 2;
constexpr std::uint16_t ResourceTypeIcon = 3;
constexpr std::uint16_t ResourceTypeRcData = 10;
constexpr std::uint16_t ResourceTypeGroupIcon = 14;

struct ResourceBytes {
  const std::uint8_t* Data = nullptr;
  std::size_t Size = 0;
  std::uint16_t Type = 0;  // numeric type it was found under (0 for a named type)
  explicit operator bool() const { return Data != nullptr && Size != 0; }
};

class CResourceModule {
public:
  CResourceModule() = default;
  ~CResourceModule();
  CResourceModule(const CResourceModule&) = delete;
  CResourceModule& operator=(const CResourceModule&) = delete;

  // Maps the file; false when it is missing, unreadable or no PE image with
  // a resource directory (then every lookup finds nothing).
  bool Open(const std::string& path);
  // Reads a module held in memory (tests); the bytes are copied.
  bool OpenBytes(const std::uint8_t* data, std::size_t size);
  void Close();
  bool IsOpen() const;
  // What was wrong with the file last opened, in a few words ("No such file
  // or directory", "cut short: ..."); empty when nothing was. A module cut
  // short still opens: what it holds can be read.
  const std::string& Fault() const { return FaultText; }
  // Counts the times what the module holds changed (opened or closed): a
  // lookup that failed may succeed once it moved.
  std::uint32_t Changes() const { return ChangeCount; }

  // The bytes of resource `id` under a numeric or a named type ("WAVE"),
  // first language; empty when absent.
  ResourceBytes Find(std::uint16_t type, std::uint16_t id) const;
  ResourceBytes Find(const char* typeName, std::uint16_t id) const;
  // A picture: RCDATA, then BITMAP, then any other type.
  ResourceBytes FindPicture(std::uint16_t id) const;

  // Lets the whole pages of the mapped file inside [data, data + size) leave
  // memory: they are read again from the file when next touched. For bytes
  // already copied out (played music, decoded pictures). Does nothing for a
  // module held in memory or for bytes outside the mapping.
  void Forget(const std::uint8_t* data, std::size_t size) const;

private:
  struct TypeKey;
  struct Section {
    std::uint32_t VirtualAddress;
    std::uint32_t RawOffset;
    std::uint64_t Extent;
  };
  Section SectionAt(std::uint32_t index) const;
  bool Adopt(void* bytes, std::size_t size, bool ownsHeap);
  bool Parse();
  // Where the file's sections say its bytes end.
  std::uint64_t DeclaredEnd() const;
  const std::uint8_t* Bytes() const { return static_cast<const std::uint8_t*>(Mapping); }
  bool MapRva(std::uint32_t rva, std::uint32_t size, std::size_t& fileOffset) const;
  std::uint32_t DirectoryEntries(std::uint32_t directory, const std::uint8_t*& entries) const;
  bool FindChild(std::uint32_t directory, const TypeKey& key, bool wantDirectory,
                 std::uint32_t& child) const;
  ResourceBytes FindInType(std::uint32_t typeDirectory, std::uint16_t id,
                           std::uint16_t type) const;
  ResourceBytes ReadDataEntry(std::uint32_t entry, std::uint16_t type) const;

  void* Mapping = nullptr;
  std::size_t MappingSize = 0;
  bool OwnsHeap = false;
  // Where the resource directory lies in the file, and how far its
  // offsets may reach (the end of its section's bytes in the file).
  std::size_t RootOffset = 0;
  std::size_t RootLimit = 0;
  std::size_t SectionTable = 0;
  std::uint32_t SectionCount = 0;
  bool Parsed = false;
  std::string FaultText;
  std::uint32_t ChangeCount = 0;
};

// The game's own module, opened at start-up from the game folder.
CResourceModule& GetResourceModule();
