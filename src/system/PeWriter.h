#pragma once
// Writes a resources-only PE image (a DLL with one ".rsrc" section and no
// code) that the Windows loader and our own reader both accept. Large
// resources can be produced while the file is written, so the music never
// has to sit in memory all at once.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CPeResourceWriter {
public:
  // Receives the bytes of a produced resource, in order.
  using Sink = std::function<void(const std::uint8_t* data, std::size_t size)>;
  // Writes exactly the announced size into the sink; false aborts the image.
  using Producer = std::function<bool(const Sink& sink)>;

  static constexpr std::uint16_t DefaultLanguage = 0x0409;

  // False for a duplicate (type, id, language), an empty resource or an
  // empty type name. Type names are stored in capitals, as resource
  // compilers do.
  bool Add(std::uint16_t type, std::uint16_t id, std::vector<std::uint8_t> bytes,
           std::uint16_t language = DefaultLanguage);
  bool Add(const std::string& typeName, std::uint16_t id, std::vector<std::uint8_t> bytes,
           std::uint16_t language = DefaultLanguage);
  bool AddProduced(std::uint16_t type, std::uint16_t id, std::uint32_t size, Producer producer,
                   std::uint16_t language = DefaultLanguage);
  bool AddProduced(const std::string& typeName, std::uint16_t id, std::uint32_t size,
                   Producer producer, std::uint16_t language = DefaultLanguage);

  std::size_t Count() const { return Resources.size(); }

  // The whole image in memory (small modules, tests). Empty on failure.
  std::vector<std::uint8_t> WriteToMemory() const;
  // Writes beside `path` first and renames over it, so a program that has
  // the old file mapped keeps reading the old file. False on any failure;
  // the old file is then left as it was.
  bool WriteFile(const std::string& path) const;

  class Output;

private:
  struct Resource {
    std::string TypeName;  // empty for a numeric type
    std::uint16_t Type = 0;
    std::uint16_t Id = 0;
    std::uint16_t Language = 0;
    std::uint32_t Size = 0;
    std::vector<std::uint8_t> Bytes;
    Producer Produce;
  };
  bool AddResource(Resource resource);
  bool WriteImage(Output& out) const;

  std::vector<Resource> Resources;
};
