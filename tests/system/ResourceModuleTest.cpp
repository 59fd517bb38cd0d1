// The resource reader against modules made by our own writer: lookups by
// numeric and named type, the picture search order, and damaged or hostile
// files, which must only ever mean absent resources.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "system/PeFormat.h"
#include "system/PeWriter.h"
#include "system/ResourceModule.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const char* s) { return Bytes(s, s + std::strlen(s)); }

Bytes Content(ResourceBytes r) { return r ? Bytes(r.Data, r.Data + r.Size) : Bytes{}; }

// Our writer's fixed layout: PE header at 0x80, one section, the resource
// directory at the start of the section's bytes.
constexpr std::size_t PeAt = 0x80;
constexpr std::size_t OptionalAt = PeAt + 24;
constexpr std::size_t SectionAt = OptionalAt + 224;
constexpr std::size_t RootAt = 0x200;

struct SmallModule {
  Bytes Image;
  SmallModule() {
    CPeResourceWriter w;
    EXPECT_TRUE(w.Add(ResourceTypeRcData, 130, Text("rcdata-130")));
    EXPECT_TRUE(w.Add(ResourceTypeBitmap, 130, Text("bitmap-130")));
    EXPECT_TRUE(w.Add(ResourceTypeBitmap, 131, Text("bitmap-131")));
    EXPECT_TRUE(w.Add(200, 132, Text("type200-132")));
    EXPECT_TRUE(w.Add("WAVE", 20000, Text("RIFF....WAVEfmt ")));
    EXPECT_TRUE(w.Add("wave", 20010, Text("second wave")));  // same type, stored in capitals
    EXPECT_TRUE(w.Add("OTHER", 133, Text("named-133")));
    EXPECT_TRUE(w.Add(ResourceTypeRcData, 140, Text("english"), 0x0409));
    EXPECT_TRUE(w.Add(ResourceTypeRcData, 140, Text("japanese"), 0x0411));
    Image = w.WriteToMemory();
  }
};

void Patch32(Bytes& b, std::size_t at, std::uint32_t v) { pe::WriteU32(b.data() + at, v); }
void Patch16(Bytes& b, std::size_t at, std::uint16_t v) { pe::WriteU16(b.data() + at, v); }

// Every lookup a caller might make of the small module, whatever it finds.
void LookUpEverything(const CResourceModule& m) {
  for (std::uint16_t id : {130, 131, 132, 133, 140, 20000, 20010, 9999}) {
    for (std::uint16_t type : {ResourceTypeBitmap, ResourceTypeRcData, std::uint16_t{200}})
      (void)m.Find(type, id);
    (void)m.Find("WAVE", id);
    (void)m.Find("OTHER", id);
    (void)m.FindPicture(id);
  }
}

std::string TempPath(const char* name) {
  return ::testing::TempDir() + "vorlumen_" + name + "_" + std::to_string(::getpid());
}

}  // namespace

TEST(ResourceModule, FindsEveryResourceByTypeAndId) {
  SmallModule small;
  ASSERT_FALSE(small.Image.empty());
  CResourceModule m;
  ASSERT_TRUE(m.OpenBytes(small.Image.data(), small.Image.size()));
  EXPECT_TRUE(m.IsOpen());

  struct Case {
    std::uint16_t Type;
    const char* Name;
    std::uint16_t Id;
    const char* Expected;  // null: absent
  };
  const Case cases[] = {
      {ResourceTypeRcData, nullptr, 130, "rcdata-130"},
      {ResourceTypeBitmap, nullptr, 130, "bitmap-130"},
      {ResourceTypeBitmap, nullptr, 131, "bitmap-131"},
      {200, nullptr, 132, "type200-132"},
      {0, "WAVE", 20000, "RIFF....WAVEfmt "},
      {0, "wave", 20010, "second wave"},   // names compare without case
      {0, "Other", 133, "named-133"},
      {0, "#2", 131, "bitmap-131"},       // "#n" names a numeric type
      {ResourceTypeRcData, nullptr, 140, "english"},  // the first language
      {ResourceTypeRcData, nullptr, 131, nullptr},
      {ResourceTypeIcon, nullptr, 130, nullptr},
      {0, "WAVE", 130, nullptr},
      {0, "WAV", 20000, nullptr},
      {0, "WAVES", 20000, nullptr},
      {0, "", 20000, nullptr},
      {0, "#", 131, nullptr},
      {0, "#70000", 131, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Type) + " " + (c.Name ? c.Name : "") + " " + std::to_string(c.Id));
    const ResourceBytes r = c.Name ? m.Find(c.Name, c.Id) : m.Find(c.Type, c.Id);
    if (c.Expected == nullptr) {
      EXPECT_FALSE(r);
    } else {
      EXPECT_EQ(Content(r), Text(c.Expected));
    }
  }
  EXPECT_EQ(m.Find(ResourceTypeBitmap, 131).Type, ResourceTypeBitmap);
  EXPECT_EQ(m.Find("WAVE", 20000).Type, 0);
}

TEST(ResourceModule, PicturesComeFromRcDataThenBitmapThenAnyType) {
  SmallModule small;
  CResourceModule m;
  ASSERT_TRUE(m.OpenBytes(small.Image.data(), small.Image.size()));
  EXPECT_EQ(Content(m.FindPicture(130)), Text("rcdata-130"));
  EXPECT_EQ(m.FindPicture(130).Type, ResourceTypeRcData);
  EXPECT_EQ(Content(m.FindPicture(131)), Text("bitmap-131"));
  EXPECT_EQ(m.FindPicture(131).Type, ResourceTypeBitmap);
  EXPECT_EQ(Content(m.FindPicture(132)), Text("type200-132"));
  EXPECT_EQ(m.FindPicture(132).Type, 200);
  EXPECT_EQ(Content(m.FindPicture(133)), Text("named-133"));
  EXPECT_FALSE(m.FindPicture(134));
}

TEST(ResourceModule, OpensMappedFilesAndRefusesWhatIsNoModule) {
  SmallModule small;
  const std::string path = TempPath("module.dll");
  {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(small.Image.data()), static_cast<std::streamsize>(small.Image.size()));
  }
  CResourceModule m;
  ASSERT_TRUE(m.Open(path));
  EXPECT_EQ(Content(m.Find("WAVE", 20010)), Text("second wave"));
  m.Close();
  EXPECT_FALSE(m.IsOpen());
  EXPECT_FALSE(m.Find("WAVE", 20010));
  EXPECT_FALSE(m.FindPicture(130));

  EXPECT_EQ(m.Fault(), "");
  const std::string empty = TempPath("empty.dll");
  std::ofstream(empty, std::ios::binary).close();
  const std::string text = TempPath("text.dll");
  std::ofstream(text, std::ios::binary) << "MZ but nothing else of a module";
  const std::string notes = TempPath("notes.dll");
  std::ofstream(notes, std::ios::binary) << "a shopping list";
  // Each refusal says what was wrong.
  const std::pair<std::string, std::string> refused[] = {
      {TempPath("missing.dll"), "No such file or directory"},
      {::testing::TempDir(), "Is a directory"},
      {empty, "the file is empty"},
      {text, "its headers are damaged or cut short"},
      {notes, "not a resource module"},
  };
  for (const auto& [file, fault] : refused) {
    EXPECT_FALSE(m.Open(file)) << file;
    EXPECT_FALSE(m.IsOpen());
    EXPECT_EQ(m.Fault(), fault) << file;
  }
  EXPECT_FALSE(m.OpenBytes(nullptr, 0));

  // Reopening replaces the previous module.
  ASSERT_TRUE(m.Open(path));
  EXPECT_TRUE(m.Find(ResourceTypeRcData, 130));
  std::remove(path.c_str());
  std::remove(empty.c_str());
  std::remove(text.c_str());
  std::remove(notes.c_str());
}

TEST(ResourceModule, WriterRejectsWhatCannotBeStored) {
  CPeResourceWriter w;
  EXPECT_TRUE(w.Add(ResourceTypeRcData, 1, Text("a")));
  EXPECT_FALSE(w.Add(ResourceTypeRcData, 1, Text("b")));  // same type, id and language
  EXPECT_TRUE(w.Add(ResourceTypeRcData, 1, Text("b"), 0x0411));
  EXPECT_FALSE(w.Add(ResourceTypeRcData, 2, Bytes{}));
  EXPECT_FALSE(w.Add("", 3, Text("c")));
  EXPECT_TRUE(w.Add("Wave", 4, Text("d")));
  EXPECT_FALSE(w.Add("WAVE", 4, Text("e")));  // names are stored in capitals
  EXPECT_EQ(w.Count(), 3u);
  EXPECT_TRUE(CPeResourceWriter().WriteToMemory().empty());

  // A producer that writes more or less than it announced spoils the image.
  for (std::size_t produced : {std::size_t{3}, std::size_t{5}}) {
    CPeResourceWriter p;
    ASSERT_TRUE(p.AddProduced(ResourceTypeRcData, 1, 4, [produced](const CPeResourceWriter::Sink& sink) {
      const Bytes data(produced, 7);
      sink(data.data(), data.size());
      return true;
    }));
    EXPECT_TRUE(p.WriteToMemory().empty()) << produced;
  }
  CPeResourceWriter failing;
  ASSERT_TRUE(failing.AddProduced("WAVE", 1, 4, [](const CPeResourceWriter::Sink&) { return false; }));
  EXPECT_TRUE(failing.WriteToMemory().empty());
  EXPECT_FALSE(failing.WriteFile(TempPath("failing.dll")));
}

TEST(ResourceModule, ProducedResourcesAndFilesRoundTrip) {
  CPeResourceWriter w;
  Bytes big(300000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  ASSERT_TRUE(w.AddProduced("WAVE", 10000, static_cast<std::uint32_t>(big.size()),
                            [&big](const CPeResourceWriter::Sink& sink) {
                              // In uneven pieces, as a synthesizer hands them over.
                              for (std::size_t at = 0; at < big.size(); at += 4093)
                                sink(big.data() + at, std::min<std::size_t>(4093, big.size() - at));
                              return true;
                            }));
  ASSERT_TRUE(w.Add(ResourceTypeRcData, 147, Text("odd")));
  const Bytes memory = w.WriteToMemory();
  const std::string path = TempPath("roundtrip.dll");
  ASSERT_TRUE(w.WriteFile(path));
  std::ifstream in(path, std::ios::binary);
  const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(file, memory);  // the same image however it is written

  CResourceModule m;
  ASSERT_TRUE(m.Open(path));
  EXPECT_EQ(Content(m.Find("WAVE", 10000)), big);
  EXPECT_EQ(Content(m.FindPicture(147)), Text("odd"));
  std::remove(path.c_str());
}

// Kilobytes of the process's mapping holding `at` that are in its memory.
long MappedKb(const void* at) {
  std::ifstream smaps("/proc/self/smaps");
  const auto a = reinterpret_cast<std::uintptr_t>(at);
  bool mine = false;
  for (std::string line; std::getline(smaps, line);) {
    unsigned long from = 0, to = 0;
    if (std::sscanf(line.c_str(), "%lx-%lx ", &from, &to) == 2 && line.find(':') > line.find(' ')) mine = a >= from && a < to;
    long kb = 0;
    if (mine && std::sscanf(line.c_str(), "Rss: %ld kB", &kb) == 1) return kb;
  }
  return -1;
}

TEST(ResourceModule, ForgottenBytesLeaveMemoryAndReadTheSameAgain) {
  CPeResourceWriter w;
  Bytes big(1 << 20);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 13 + i / 4093);
  ASSERT_TRUE(w.Add("WAVE", 10000, big));
  ASSERT_TRUE(w.Add(ResourceTypeRcData, 147, Text("neighbour")));
  const std::string path = TempPath("forget.dll");
  ASSERT_TRUE(w.WriteFile(path));

  CResourceModule m;
  ASSERT_TRUE(m.Open(path));
  const ResourceBytes wave = m.Find("WAVE", 10000);
  ASSERT_EQ(Content(wave), big);  // every page read in
  ASSERT_GE(MappedKb(wave.Data), 1000);
  m.Forget(wave.Data, wave.Size);
  EXPECT_LE(MappedKb(wave.Data), 16) << "no more than the pages it shares with its neighbours";
  EXPECT_EQ(Content(wave), big) << "read again from the file";
  EXPECT_EQ(Content(m.FindPicture(147)), Text("neighbour"));
  // Bytes outside the mapping, or none, are no business of the module's.
  m.Forget(big.data(), big.size());
  m.Forget(nullptr, 100);
  EXPECT_EQ(big[12345], static_cast<std::uint8_t>(12345 * 13 + 12345 / 4093));

  // A module held in memory has no file to read its bytes again from: they stay.
  const Bytes image = w.WriteToMemory();
  ASSERT_TRUE(m.OpenBytes(image.data(), image.size()));
  const ResourceBytes held = m.Find("WAVE", 10000);
  m.Forget(held.Data, held.Size);
  EXPECT_EQ(Content(held), big);
  std::remove(path.c_str());
}

// What the Windows loader looks at before it maps a resources-only DLL.
TEST(ResourceModule, WrittenImageHasSoundPeHeaders) {
  SmallModule small;
  const Bytes& b = small.Image;
  ASSERT_GE(b.size(), 0x400u);
  EXPECT_EQ(b.size() % 0x200, 0u);
  EXPECT_EQ(pe::ReadU16(&b[0]), 0x5A4D);
  EXPECT_EQ(pe::ReadU32(&b[0x3C]), PeAt);
  EXPECT_EQ(pe::ReadU32(&b[PeAt]), pe::PeSignature);
  EXPECT_EQ(pe::ReadU16(&b[PeAt + 4]), 0x14C);
  EXPECT_EQ(pe::ReadU16(&b[PeAt + 6]), 1);  // one section
  EXPECT_EQ(pe::ReadU16(&b[PeAt + 20]), 224);
  EXPECT_TRUE(pe::ReadU16(&b[PeAt + 22]) & 0x2000);  // a DLL
  EXPECT_EQ(pe::ReadU16(&b[OptionalAt]), pe::OptionalMagic32);
  EXPECT_EQ(pe::ReadU32(&b[OptionalAt + 16]), 0u);  // no entry point
  const std::uint32_t sectionAlignment = pe::ReadU32(&b[OptionalAt + 32]);
  const std::uint32_t fileAlignment = pe::ReadU32(&b[OptionalAt + 36]);
  const std::uint32_t imageSize = pe::ReadU32(&b[OptionalAt + 56]);
  const std::uint32_t headersSize = pe::ReadU32(&b[OptionalAt + 60]);
  EXPECT_EQ(imageSize % sectionAlignment, 0u);
  EXPECT_EQ(headersSize % fileAlignment, 0u);
  EXPECT_GE(headersSize, SectionAt + 40);
  EXPECT_EQ(std::memcmp(&b[SectionAt], ".rsrc\0\0\0", 8), 0);
  const std::uint32_t virtualSize = pe::ReadU32(&b[SectionAt + 8]);
  const std::uint32_t virtualAddress = pe::ReadU32(&b[SectionAt + 12]);
  const std::uint32_t rawSize = pe::ReadU32(&b[SectionAt + 16]);
  const std::uint32_t rawAt = pe::ReadU32(&b[SectionAt + 20]);
  EXPECT_EQ(virtualAddress % sectionAlignment, 0u);
  EXPECT_EQ(rawAt % fileAlignment, 0u);
  EXPECT_EQ(rawSize % fileAlignment, 0u);
  EXPECT_GE(rawSize, virtualSize);
  EXPECT_EQ(rawAt + rawSize, b.size());
  EXPECT_GE(imageSize, virtualAddress + virtualSize);
  EXPECT_EQ(pe::ReadU32(&b[OptionalAt + 96 + 16]), virtualAddress);  // resource directory

  // The image checksum, computed here in one plain pass.
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < b.size(); i += 2) {
    if (i == OptionalAt + 64 || i == OptionalAt + 66) continue;
    sum += pe::ReadU16(&b[i]);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  EXPECT_EQ(pe::ReadU32(&b[OptionalAt + 64]), sum + b.size());
}

// A module cut short anywhere reads as far as it is whole: whatever is
// still found is exactly what was written, and cuts within the headers and
// the directory find nothing at all.
TEST(ResourceModule, TruncatedModulesNeverYieldWrongBytes) {
  SmallModule small;
  CResourceModule whole;
  ASSERT_TRUE(whole.OpenBytes(small.Image.data(), small.Image.size()));
  EXPECT_EQ(whole.Fault(), "");
  for (std::size_t cut = 0; cut < small.Image.size(); ++cut) {
    CResourceModule m;
    const bool opened = m.OpenBytes(small.Image.data(), cut);
    if (cut < RootAt + pe::ResourceDirectorySize) {
      EXPECT_FALSE(opened) << cut;
    }
    // Every cut is told, also one that still opens.
    EXPECT_NE(m.Fault(), "") << cut;
    for (std::uint16_t id : {130, 131, 132, 140}) {
      for (std::uint16_t type : {ResourceTypeBitmap, ResourceTypeRcData, std::uint16_t{200}}) {
        const ResourceBytes r = m.Find(type, id);
        if (r) {
          EXPECT_EQ(Content(r), Content(whole.Find(type, id))) << cut;
        }
      }
    }
    const ResourceBytes wave = m.Find("WAVE", 20000);
    if (wave) {
      EXPECT_EQ(Content(wave), Content(whole.Find("WAVE", 20000))) << cut;
    }
    if (cut < 0x300) {
      EXPECT_FALSE(m.FindPicture(130)) << cut;  // the directory alone is longer
    }
    LookUpEverything(m);
  }
}

TEST(ResourceModule, HostileHeaderFieldsMeanAbsentResources) {
  SmallModule small;
  const std::size_t dataDirectory = OptionalAt + 96 + 16;
  struct Damage {
    const char* What;
    std::size_t At;
    std::uint32_t Value;
    bool Wide;
  };
  const Damage damages[] = {
      {"PE offset past the end", 0x3C, 0xFFFFFFF0u, true},
      {"PE offset at the end", 0x3C, 0, true},
      {"no PE signature", PeAt, 0x00004551, true},
      {"optional header larger than the file", PeAt + 20, 0xFFFF, false},
      {"optional header without directories", PeAt + 20, 0x60, false},
      {"unknown optional magic", OptionalAt, 0x0107, false},
      {"too few data directories", OptionalAt + 92, 2, true},
      {"no resource directory", dataDirectory, 0, true},
      {"resource directory outside every section", dataDirectory, 0x7FFFF000u, true},
      {"section table past the end", PeAt + 6, 0xFFFF, false},
      {"no sections", PeAt + 6, 0, false},
      {"section bytes past the end", SectionAt + 20, 0xFFFFFE00u, true},
      {"section at an address that overflows", SectionAt + 12, 0xFFFFFFF0u, true},
  };
  for (const Damage& d : damages) {
    Bytes b = small.Image;
    if (d.Wide)
      Patch32(b, d.At, d.Value);
    else
      Patch16(b, d.At, static_cast<std::uint16_t>(d.Value));
    CResourceModule m;
    m.OpenBytes(b.data(), b.size());
    EXPECT_FALSE(m.FindPicture(130)) << d.What;
    EXPECT_FALSE(m.Find("WAVE", 20000)) << d.What;
    LookUpEverything(m);
  }
}

TEST(ResourceModule, HostileDirectoriesMeanAbsentResources) {
  SmallModule small;
  CResourceModule whole;
  ASSERT_TRUE(whole.OpenBytes(small.Image.data(), small.Image.size()));
  const std::size_t rootEntries = RootAt + pe::ResourceDirectorySize;
  // Named types come first: OTHER, WAVE, then RCDATA (10)... sorted by id:
  // BITMAP (2), RCDATA (10), 200.
  ASSERT_EQ(pe::ReadU16(&small.Image[RootAt + 12]), 2);
  ASSERT_EQ(pe::ReadU32(&small.Image[rootEntries + 8 * 2]), ResourceTypeBitmap);
  ASSERT_EQ(pe::ReadU32(&small.Image[rootEntries + 8 * 3]), ResourceTypeRcData);
  const std::size_t rcdataEntry = rootEntries + 8 * 3;
  const std::uint32_t rcdataDirectory = pe::ReadU32(&small.Image[rcdataEntry + 4]) & ~pe::HighBit;
  const std::size_t rcdataIds = RootAt + rcdataDirectory + pe::ResourceDirectorySize;
  ASSERT_EQ(pe::ReadU32(&small.Image[rcdataIds]), 130u);
  const std::uint32_t languages = pe::ReadU32(&small.Image[rcdataIds + 4]) & ~pe::HighBit;
  const std::size_t languageEntry = RootAt + languages + pe::ResourceDirectorySize;
  const std::uint32_t dataEntry = pe::ReadU32(&small.Image[languageEntry + 4]);
  const std::size_t dataAt = RootAt + dataEntry;

  struct Damage {
    const char* What;
    std::size_t At;
    std::uint32_t Value;
  };
  const Damage damages[] = {
      {"type directory is the root itself", rcdataEntry + 4, pe::HighBit | 0},
      {"id directory is the root itself", rcdataIds + 4, pe::HighBit | 0},
      {"id directory is its own type directory", rcdataIds + 4, pe::HighBit | rcdataDirectory},
      {"language level points at a directory", languageEntry + 4, pe::HighBit | languages},
      {"type directory past the end", rcdataEntry + 4, pe::HighBit | 0x7FFFFFF0u},
      {"id directory past the end", rcdataIds + 4, pe::HighBit | 0x7FFFFFF0u},
      {"data entry past the end", languageEntry + 4, 0x7FFFFFF0u},
      {"data entry where a directory belongs", rcdataEntry + 4, dataEntry},
      {"data address past the image", dataAt, 0xFFFFFFF0u},
      {"data address before the section", dataAt, 0x10},
      {"data larger than the file", dataAt + 4, 0x7FFFFFFFu},
      {"data size that overflows the address", dataAt + 4, 0xFFFFFFFFu},
      {"data of size zero", dataAt + 4, 0},
  };
  for (const Damage& d : damages) {
    Bytes b = small.Image;
    Patch32(b, d.At, d.Value);
    CResourceModule m;
    ASSERT_TRUE(m.OpenBytes(b.data(), b.size())) << d.What;
    EXPECT_FALSE(m.Find(ResourceTypeRcData, 130)) << d.What;
    // What the damage does not touch is still found; a picture may then
    // come from BITMAP instead.
    EXPECT_EQ(Content(m.Find("WAVE", 20000)), Content(whole.Find("WAVE", 20000))) << d.What;
    const ResourceBytes picture = m.FindPicture(130);
    if (picture) {
      EXPECT_EQ(Content(picture), Text("bitmap-130")) << d.What;
    }
    LookUpEverything(m);
  }

  // Entry counts far beyond the bytes present, at every level.
  for (std::size_t directory : {std::size_t{RootAt}, RootAt + rcdataDirectory, RootAt + languages}) {
    Bytes b = small.Image;
    Patch16(b, directory + 12, 0xFFFF);
    Patch16(b, directory + 14, 0xFFFF);
    CResourceModule m;
    ASSERT_TRUE(m.OpenBytes(b.data(), b.size()));
    LookUpEverything(m);
  }

  // A type name whose length runs past the file.
  Bytes b = small.Image;
  const std::uint32_t nameOffset = pe::ReadU32(&b[rootEntries]) & ~pe::HighBit;
  Patch16(b, RootAt + nameOffset, 0xFFFF);
  CResourceModule m;
  ASSERT_TRUE(m.OpenBytes(b.data(), b.size()));
  EXPECT_FALSE(m.Find("OTHER", 133));
  EXPECT_EQ(Content(m.Find("WAVE", 20000)), Text("RIFF....WAVEfmt "));
}

// A root whose every entry is a type pointing back at the root: the
// picture search must give up in bounded time.
TEST(ResourceModule, SelfReferringRootEndsQuickly) {
  Bytes b = SmallModule().Image;
  const std::uint32_t rawSize = pe::ReadU32(&b[SectionAt + 16]);
  const std::uint32_t entries = (rawSize - pe::ResourceDirectorySize) / pe::ResourceEntrySize;
  Patch16(b, RootAt + 12, 0);
  Patch16(b, RootAt + 14, static_cast<std::uint16_t>(std::min<std::uint32_t>(entries, 0xFFFF)));
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::size_t e = RootAt + pe::ResourceDirectorySize + i * pe::ResourceEntrySize;
    Patch32(b, e, 100 + (i % 50));  // types; id 130 is among them at the id level
    Patch32(b, e + 4, pe::HighBit | 0);
  }
  CResourceModule m;
  ASSERT_TRUE(m.OpenBytes(b.data(), b.size()));
  EXPECT_FALSE(m.FindPicture(130));
  EXPECT_FALSE(m.Find(130, 130));
  EXPECT_FALSE(m.Find("WAVE", 130));
}

// The reader hands out a "WAVE" entry's bytes whatever they hold; reading
// the chunks is the sound code's business.
TEST(ResourceModule, WaveWithoutDataChunkIsReturnedAsItIs) {
  Bytes wave = Text("RIFF----WAVEfmt ");
  pe::WriteU32(&wave[4], 30);
  wave.resize(wave.size() + 4 + 18, 0);
  wave[16] = 18;
  CPeResourceWriter w;
  ASSERT_TRUE(w.Add("WAVE", 20000, wave));
  const Bytes image = w.WriteToMemory();
  CResourceModule m;
  ASSERT_TRUE(m.OpenBytes(image.data(), image.size()));
  const ResourceBytes r = m.Find("WAVE", 20000);
  ASSERT_TRUE(r);
  EXPECT_EQ(Content(r), wave);
  EXPECT_EQ(r.Size, wave.size());
}
