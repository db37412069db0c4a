#pragma once
// A portable reader of the resources of a Windows module file (PE32 or PE32+
// image, such as a resource-only ".msstyles" library): the resource directory
// with its three levels (type, name, language) and the data of each resource,
// read from the file's bytes without loading the module.
//
// Every count, offset and size of the headers, the section table and the
// resource directory is checked against the bytes before it is used; anything
// that does not fit raises EReadError "Invalid resource module: <what>".
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// A resource type, name or language key: a 16-bit number or a name (UTF-16,
// as the directory stores it).
struct TPeResourceId {
  bool IsName = false;
  uint16_t Id = 0;
  std::u16string Name;

  // "#12" is the number 12; any other text is a name.
  static TPeResourceId FromString(std::string_view text);
  static TPeResourceId FromNumber(uint16_t id) { return TPeResourceId{false, id, {}}; }
  // "#12" for a number, the name otherwise (characters above 255 become '?').
  std::string ToString() const;
  // Numbers by value, names by their ASCII letters ignoring case (the way the
  // platform's resource look-up compares them).
  bool Matches(const TPeResourceId& other) const;
};

// Resource types of the platform that this system names.
inline constexpr uint16_t kPeResourceBitmap = 2;

// One resource of the directory: its keys and where its data lies in the file.
struct TPeResource {
  TPeResourceId Type;
  TPeResourceId Name;
  uint16_t Language = 0;
  uint32_t CodePage = 0;
  uint64_t Offset = 0;  // in the file
  uint32_t Size = 0;
};

class TPeResources {
 public:
  TPeResources() = default;
  // Reads the headers and the resource directory of the module's bytes. A
  // module without a resource directory has no resources.
  explicit TPeResources(std::vector<uint8_t> bytes);
  // The same from a file (ReadFileBytes: EFOpenError when it cannot be read).
  static TPeResources FromFile(const std::string& file_name);

  // Every resource, in directory order (types, then names, then languages).
  const std::vector<TPeResource>& Resources() const { return resources_; }
  // The resource of that type and name: language neutral (0) when present,
  // else US English (0x409), else the first language; nullptr when none.
  const TPeResource* Find(const TPeResourceId& type, const TPeResourceId& name) const;
  // The resource's bytes (a view into the module's bytes).
  std::span<const uint8_t> Data(const TPeResource& resource) const;
  // Find and Data in one: an empty view when there is no such resource.
  std::span<const uint8_t> FindData(const TPeResourceId& type, const TPeResourceId& name) const;
  // The distinct types, and the distinct names of one type, in directory order.
  std::vector<TPeResourceId> Types() const;
  std::vector<TPeResourceId> Names(const TPeResourceId& type) const;

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  std::vector<TPeResource> resources_;
};

}  // namespace kiv
