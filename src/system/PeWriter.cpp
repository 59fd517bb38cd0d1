#include "system/PeWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "system/PeFormat.h"

namespace {

constexpr std::uint32_t FileAlignment = 0x200;
constexpr std::uint32_t SectionAlignment = 0x1000;
constexpr std::uint32_t PeHeaderOffset = 0x80;
constexpr std::uint32_t OptionalHeaderSize = 224;  // PE32 with 16 data directories
constexpr std::uint32_t OptionalHeaderOffset = PeHeaderOffset + 4 + pe::CoffHeaderSize;
constexpr std::uint32_t ChecksumOffset = OptionalHeaderOffset + 64;
constexpr std::uint32_t HeadersSize = FileAlignment;  // everything fits in the first 512 bytes
constexpr std::uint32_t SectionRva = SectionAlignment;
constexpr std::uint32_t DataAlignment = 8;

// The usual real-mode stub: prints its line and exits under DOS.
constexpr std::uint8_t DosStub[] = {
    0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09, 0xCD, 0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21,
    'T',  'h',  'i',  's',  ' ',  'p',  'r',  'o',  'g',  'r',  'a',  'm',  ' ',  'c',
    'a',  'n',  'n',  'o',  't',  ' ',  'b',  'e',  ' ',  'r',  'u',  'n',  ' ',  'i',
    'n',  ' ',  'D',  'O',  'S',  ' ',  'm',  'o',  'd',  'e',  '.',  '\r', '\r', '\n',
    '$'};
static_assert(0x40 + sizeof DosStub <= PeHeaderOffset);

std::uint64_t AlignUp(std::uint64_t v, std::uint64_t a) { return (v + a - 1) / a * a; }

std::string Upper(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

// Where the image goes; it may have a header patched once the rest is out.
class CPeResourceWriter::Output {
public:
  virtual ~Output() = default;
  virtual bool Write(const std::uint8_t* data, std::size_t size) = 0;
  virtual bool Patch(std::size_t offset, const std::uint8_t* data, std::size_t size) = 0;
};

namespace {

class MemoryOutput final : public CPeResourceWriter::Output {
public:
  std::vector<std::uint8_t> Bytes;
  bool Write(const std::uint8_t* data, std::size_t size) override {
    Bytes.insert(Bytes.end(), data, data + size);
    return true;
  }
  bool Patch(std::size_t offset, const std::uint8_t* data, std::size_t size) override {
    if (!pe::InRange(Bytes.size(), offset, size)) return false;
    std::memcpy(Bytes.data() + offset, data, size);
    return true;
  }
};

class FileOutput final : public CPeResourceWriter::Output {
public:
  explicit FileOutput(int fd) : Fd(fd) { Buffer.reserve(BufferSize); }
  bool Write(const std::uint8_t* data, std::size_t size) override {
    if (size >= BufferSize) return Flush() && WriteAll(data, size);
    if (Buffer.size() + size > BufferSize && !Flush()) return false;
    Buffer.insert(Buffer.end(), data, data + size);
    return true;
  }
  bool Patch(std::size_t offset, const std::uint8_t* data, std::size_t size) override {
    if (!Flush()) return false;
    return ::pwrite(Fd, data, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
  }
  bool Flush() {
    const bool ok = WriteAll(Buffer.data(), Buffer.size());
    Buffer.clear();
    return ok;
  }

private:
  static constexpr std::size_t BufferSize = 1 << 20;
  bool WriteAll(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
      const ssize_t n = ::write(Fd, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  }
  int Fd;
  std::vector<std::uint8_t> Buffer;
};

// Counts and checksums what passes through, as the PE checksum wants it:
// the one's-complement sum of all 16-bit words plus the file length.
class ChecksumOutput {
public:
  explicit ChecksumOutput(CPeResourceWriter::Output& out) : Out(out) {}
  bool Write(const std::uint8_t* data, std::size_t size) {
    if (!Ok) return false;
    for (std::size_t i = 0; i < size; ++i, ++Length) {
      if (Length & 1)
        Sum += static_cast<std::uint64_t>(data[i]) << 8;
      else
        Sum += data[i];
    }
    Ok = Out.Write(data, size);
    return Ok;
  }
  bool Zeros(std::size_t count) {
    static const std::uint8_t zeros[FileAlignment] = {};
    while (count > 0 && Ok) {
      const std::size_t n = std::min<std::size_t>(count, sizeof zeros);
      Write(zeros, n);
      count -= n;
    }
    return Ok;
  }
  std::uint32_t Checksum() const {
    std::uint64_t sum = Sum;
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint32_t>(sum + Length);
  }
  std::uint64_t Length = 0;
  bool Ok = true;

private:
  CPeResourceWriter::Output& Out;
  std::uint64_t Sum = 0;
};

}  // namespace

bool CPeResourceWriter::AddResource(Resource resource) {
  if (resource.Size == 0) return false;
  for (const Resource& r : Resources) {
    if (r.TypeName == resource.TypeName && r.Type == resource.Type && r.Id == resource.Id &&
        r.Language == resource.Language)
      return false;
  }
  Resources.push_back(std::move(resource));
  return true;
}

bool CPeResourceWriter::Add(std::uint16_t type, std::uint16_t id, std::vector<std::uint8_t> bytes,
                            std::uint16_t language) {
  if (bytes.size() > 0x7FFFFFFF) return false;
  Resource r;
  r.Type = type;
  r.Id = id;
  r.Language = language;
  r.Size = static_cast<std::uint32_t>(bytes.size());
  r.Bytes = std::move(bytes);
  return AddResource(std::move(r));
}

bool CPeResourceWriter::Add(const std::string& typeName, std::uint16_t id,
                            std::vector<std::uint8_t> bytes, std::uint16_t language) {
  if (typeName.empty() || typeName.size() > 0xFFFF || bytes.size() > 0x7FFFFFFF) return false;
  Resource r;
  r.TypeName = Upper(typeName);
  r.Id = id;
  r.Language = language;
  r.Size = static_cast<std::uint32_t>(bytes.size());
  r.Bytes = std::move(bytes);
  return AddResource(std::move(r));
}

bool CPeResourceWriter::AddProduced(std::uint16_t type, std::uint16_t id, std::uint32_t size,
                                    Producer producer, std::uint16_t language) {
  if (!producer) return false;
  Resource r;
  r.Type = type;
  r.Id = id;
  r.Language = language;
  r.Size = size;
  r.Produce = std::move(producer);
  return AddResource(std::move(r));
}

bool CPeResourceWriter::AddProduced(const std::string& typeName, std::uint16_t id,
                                    std::uint32_t size, Producer producer,
                                    std::uint16_t language) {
  if (!producer || typeName.empty() || typeName.size() > 0xFFFF) return false;
  Resource r;
  r.TypeName = Upper(typeName);
  r.Id = id;
  r.Language = language;
  r.Size = size;
  r.Produce = std::move(producer);
  return AddResource(std::move(r));
}

// The section is laid out as resource compilers do: the root directory,
// the id directories of every type, the language directories of every id,
// the data entries, the type names, then the data, each piece 8-aligned.
bool CPeResourceWriter::WriteImage(Output& rawOut) const {
  if (Resources.empty()) return false;

  // Named types first, by name; then numeric types, ids and languages in
  // ascending order. The loader searches the entries in that order.
  std::vector<const Resource*> sorted;
  for (const Resource& r : Resources) sorted.push_back(&r);
  std::sort(sorted.begin(), sorted.end(), [](const Resource* a, const Resource* b) {
    const bool an = !a->TypeName.empty(), bn = !b->TypeName.empty();
    if (an != bn) return an;
    if (a->TypeName != b->TypeName) return a->TypeName < b->TypeName;
    if (a->Type != b->Type) return a->Type < b->Type;
    if (a->Id != b->Id) return a->Id < b->Id;
    return a->Language < b->Language;
  });
  auto sameType = [](const Resource* a, const Resource* b) {
    return a->TypeName == b->TypeName && a->Type == b->Type;
  };

  struct IdGroup {
    std::size_t First, Count;
  };
  struct TypeGroup {
    std::size_t First;
    std::vector<IdGroup> Ids;
  };
  std::vector<TypeGroup> types;
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    if (i == 0 || !sameType(sorted[i - 1], sorted[i])) types.push_back({i, {}});
    std::vector<IdGroup>& ids = types.back().Ids;
    if (ids.empty() || sorted[ids.back().First]->Id != sorted[i]->Id)
      ids.push_back({i, 0});
    ++ids.back().Count;
  }

  auto directorySize = [](std::size_t entries) {
    return pe::ResourceDirectorySize + pe::ResourceEntrySize * std::uint64_t{entries};
  };
  std::uint64_t offset = directorySize(types.size());
  std::vector<std::uint64_t> typeDirectories, idDirectories;
  for (const TypeGroup& t : types) {
    typeDirectories.push_back(offset);
    offset += directorySize(t.Ids.size());
  }
  for (const TypeGroup& t : types) {
    for (const IdGroup& g : t.Ids) {
      idDirectories.push_back(offset);
      offset += directorySize(g.Count);
    }
  }
  const std::uint64_t dataEntries = offset;
  offset += pe::ResourceDataEntrySize * std::uint64_t{sorted.size()};
  std::vector<std::uint64_t> names;
  for (const TypeGroup& t : types) {
    names.push_back(offset);
    if (!sorted[t.First]->TypeName.empty()) offset += 2 + 2 * sorted[t.First]->TypeName.size();
  }
  std::vector<std::uint64_t> blobs;
  for (const Resource* r : sorted) {
    offset = AlignUp(offset, DataAlignment);
    blobs.push_back(offset);
    offset += r->Size;
  }
  const std::uint64_t sectionSize = offset;
  const std::uint64_t rawSize = AlignUp(sectionSize, FileAlignment);
  const std::uint64_t imageSize = AlignUp(SectionRva + sectionSize, SectionAlignment);
  // Directory offsets have 31 bits; RVAs and sizes 32.
  if (sectionSize >= 0x7FFFFFFF || imageSize > 0xFFFFFFFFull) return false;

  // Directories, entries and names, all ahead of the first resource.
  std::vector<std::uint8_t> dir(blobs.front(), 0);
  auto putDirectory = [&](std::uint64_t at, std::size_t named, std::size_t ids) {
    pe::WriteU16(&dir[at + 12], static_cast<std::uint16_t>(named));
    pe::WriteU16(&dir[at + 14], static_cast<std::uint16_t>(ids));
  };
  auto putEntry = [&](std::uint64_t directory, std::size_t index, std::uint32_t name,
                      std::uint32_t target) {
    const std::uint64_t at = directory + pe::ResourceDirectorySize + index * pe::ResourceEntrySize;
    pe::WriteU32(&dir[at], name);
    pe::WriteU32(&dir[at + 4], target);
  };
  std::size_t namedTypes = 0;
  for (const TypeGroup& t : types) namedTypes += sorted[t.First]->TypeName.empty() ? 0 : 1;
  if (types.size() > 0xFFFF) return false;
  putDirectory(0, namedTypes, types.size() - namedTypes);
  std::size_t idIndex = 0;
  for (std::size_t ti = 0; ti < types.size(); ++ti) {
    const Resource* first = sorted[types[ti].First];
    std::uint32_t name = first->Type;
    if (!first->TypeName.empty()) {
      name = pe::HighBit | static_cast<std::uint32_t>(names[ti]);
      pe::WriteU16(&dir[names[ti]], static_cast<std::uint16_t>(first->TypeName.size()));
      for (std::size_t c = 0; c < first->TypeName.size(); ++c)
        pe::WriteU16(&dir[names[ti] + 2 + 2 * c], static_cast<unsigned char>(first->TypeName[c]));
    }
    putEntry(0, ti, name, pe::HighBit | static_cast<std::uint32_t>(typeDirectories[ti]));
    if (types[ti].Ids.size() > 0xFFFF) return false;
    putDirectory(typeDirectories[ti], 0, types[ti].Ids.size());
    for (std::size_t ii = 0; ii < types[ti].Ids.size(); ++ii, ++idIndex) {
      const IdGroup& g = types[ti].Ids[ii];
      putEntry(typeDirectories[ti], ii, sorted[g.First]->Id,
               pe::HighBit | static_cast<std::uint32_t>(idDirectories[idIndex]));
      putDirectory(idDirectories[idIndex], 0, g.Count);
      for (std::size_t li = 0; li < g.Count; ++li) {
        const std::size_t r = g.First + li;
        const std::uint64_t entry = dataEntries + r * pe::ResourceDataEntrySize;
        putEntry(idDirectories[idIndex], li, sorted[r]->Language, static_cast<std::uint32_t>(entry));
        pe::WriteU32(&dir[entry], static_cast<std::uint32_t>(SectionRva + blobs[r]));
        pe::WriteU32(&dir[entry + 4], sorted[r]->Size);
      }
    }
  }

  std::uint8_t h[HeadersSize] = {};
  pe::WriteU16(h + 0x00, pe::DosMagic);
  pe::WriteU16(h + 0x02, 0x90);  // bytes on the last page
  pe::WriteU16(h + 0x04, 3);     // pages
  pe::WriteU16(h + 0x08, 4);     // header paragraphs
  pe::WriteU16(h + 0x0C, 0xFFFF);
  pe::WriteU16(h + 0x10, 0xB8);  // initial SP
  pe::WriteU16(h + 0x18, 0x40);  // relocation table
  pe::WriteU32(h + pe::DosLfanewOffset, PeHeaderOffset);
  std::memcpy(h + 0x40, DosStub, sizeof DosStub);

  std::uint8_t* p = h + PeHeaderOffset;
  pe::WriteU32(p, pe::PeSignature);
  std::uint8_t* coff = p + 4;
  pe::WriteU16(coff + 0, 0x014C);  // i386
  pe::WriteU16(coff + 2, 1);       // one section
  pe::WriteU16(coff + 16, OptionalHeaderSize);
  pe::WriteU16(coff + 18, 0x2102);  // executable image, 32-bit machine, DLL
  std::uint8_t* o = h + OptionalHeaderOffset;
  pe::WriteU16(o + 0, pe::OptionalMagic32);
  o[2] = 14;  // linker version
  pe::WriteU32(o + 8, static_cast<std::uint32_t>(rawSize));  // initialised data
  pe::WriteU32(o + 24, SectionRva);                          // base of data
  pe::WriteU32(o + 28, 0x10000000);                          // image base
  pe::WriteU32(o + 32, SectionAlignment);
  pe::WriteU32(o + 36, FileAlignment);
  pe::WriteU16(o + 40, 6);  // OS version 6.0
  pe::WriteU16(o + 48, 6);  // subsystem version 6.0
  pe::WriteU32(o + 56, static_cast<std::uint32_t>(imageSize));
  pe::WriteU32(o + 60, HeadersSize);
  pe::WriteU16(o + 68, 2);       // Windows GUI
  pe::WriteU16(o + 70, 0x0500);  // NX compatible, no SEH
  pe::WriteU32(o + 72, 0x100000);
  pe::WriteU32(o + 76, 0x1000);
  pe::WriteU32(o + 80, 0x100000);
  pe::WriteU32(o + 84, 0x1000);
  pe::WriteU32(o + pe::DataDirectoryCount32, 16);
  const std::uint32_t resourceDirectory = pe::DataDirectories32 + 8 * pe::ResourceDirectoryIndex;
  pe::WriteU32(o + resourceDirectory, SectionRva);
  pe::WriteU32(o + resourceDirectory + 4, static_cast<std::uint32_t>(sectionSize));
  std::uint8_t* s = o + OptionalHeaderSize;
  std::memcpy(s, ".rsrc", 5);
  pe::WriteU32(s + 8, static_cast<std::uint32_t>(sectionSize));
  pe::WriteU32(s + 12, SectionRva);
  pe::WriteU32(s + 16, static_cast<std::uint32_t>(rawSize));
  pe::WriteU32(s + 20, HeadersSize);
  pe::WriteU32(s + 36, 0x40000040);  // initialised data, readable
  static_assert(OptionalHeaderOffset + OptionalHeaderSize + pe::SectionHeaderSize <= HeadersSize);

  ChecksumOutput out(rawOut);
  out.Write(h, sizeof h);
  out.Write(dir.data(), dir.size());
  std::uint64_t written = dir.size();
  for (std::size_t r = 0; r < sorted.size() && out.Ok; ++r) {
    out.Zeros(static_cast<std::size_t>(blobs[r] - written));
    if (sorted[r]->Produce) {
      std::uint64_t produced = 0;
      const Sink sink = [&](const std::uint8_t* data, std::size_t size) {
        // Never more than announced: the next resource's place is fixed.
        const std::uint64_t room = sorted[r]->Size - produced;
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, room));
        out.Write(data, n);
        produced += size;
      };
      if (!sorted[r]->Produce(sink) || produced != sorted[r]->Size) return false;
    } else {
      out.Write(sorted[r]->Bytes.data(), sorted[r]->Bytes.size());
    }
    written = blobs[r] + sorted[r]->Size;
  }
  out.Zeros(static_cast<std::size_t>(rawSize - written));
  if (!out.Ok) return false;
  std::uint8_t checksum[4];
  pe::WriteU32(checksum, out.Checksum());
  return rawOut.Patch(ChecksumOffset, checksum, sizeof checksum);
}

std::vector<std::uint8_t> CPeResourceWriter::WriteToMemory() const {
  MemoryOutput out;
  if (!WriteImage(out)) return {};
  return std::move(out.Bytes);
}

bool CPeResourceWriter::WriteFile(const std::string& path) const {
  const std::string temporary = path + ".part";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  FileOutput out(fd);
  bool ok = WriteImage(out) && out.Flush();
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temporary.c_str());
  return ok;
}
