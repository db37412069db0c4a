// Feeds arbitrary bytes to the skin container reader. The first byte picks
// how the rest is read: through the filter its signature names (or the
// default one), or through one filter forced (as a file's extension does),
// either raw or wrapped by zlib first, so that the compressed bodies are
// reached as often as the raw ones. A load must succeed or fail with one of
// the framework's exceptions; a skin that loaded must save in the variant it
// came from and load again.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_source.hpp"

namespace {

std::vector<uint8_t> Wrap(const uint8_t* data, size_t size, const char* signature) {
  std::vector<uint8_t> out(signature, signature + 5);
  out.insert(out.end(), {'Q', 'S', 'L', 'Z'});
  uLongf n = compressBound(static_cast<uLong>(size));
  std::vector<uint8_t> packed(n);
  compress2(packed.data(), &n, data, static_cast<uLong>(size), 1);
  out.insert(out.end(), packed.begin(), packed.begin() + static_cast<long>(n));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  ++data;
  --size;
  const auto& filters = kiv::SkinFilters();
  std::vector<uint8_t> bytes;
  kiv::TLqSkinFilterClass forced = nullptr;
  static const char* kSignatures[] = {"_DCT", "_TCT", "_MCT"};
  if (mode & 0x80) {
    // A body behind a real zlib stream for one of the compressed variants.
    const int v = (mode & 0x7F) % 3;
    bytes = Wrap(data, size, (std::string(kSignatures[v]) + '\0').c_str());
    forced = filters[static_cast<size_t>(v + 1)];
  } else {
    bytes.assign(data, data + size);
    if (mode & 0x40) forced = filters[(mode & 0x3F) % filters.size()];
  }
  kiv::TMemoryStream in;
  if (!bytes.empty()) in.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  in.SetPosition(0);
  kiv::TLqSkinSource source;
  kiv::TLqSkinFilterClass used = forced ? forced : kiv::FindSkinFilterByStream(in);
  try {
    auto filter = kiv::CreateSkinFilter(used);
    filter->SetSource(&source);
    filter->ReadFromStream(in);
  } catch (const kiv::Exception&) {
    return 0;
  }
  // What loaded is written again and read back.
  auto writer = kiv::CreateSkinFilter(used);
  writer->SetSource(&source);
  kiv::TMemoryStream out;
  writer->WriteToStream(out);
  out.SetPosition(0);
  kiv::TLqSkinSource again;
  auto reader = kiv::CreateSkinFilter(used);
  reader->SetSource(&again);
  reader->ReadFromStream(out);
  if (again.ObjectCount() != source.ObjectCount() ||
      again.Bitmaps()->Count() != source.Bitmaps()->Count())
    __builtin_trap();
  return 0;
}
