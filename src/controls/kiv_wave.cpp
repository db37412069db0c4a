#include "controls/kiv_wave.hpp"

#include <vector>

#include "framework/file_bytes.hpp"
#include "framework/filer.hpp"

namespace kiv {

// No published properties: the data is stored through DefineProperties.
KIV_IMPLEMENT_CLASS(TKivWave, c) {}

TKivWave::TKivWave() : data_(std::make_unique<TMemoryStream>()) {}

// The playing subclass has stopped its sound in its own destructor.
TKivWave::~TKivWave() = default;

void TKivWave::Changed() {
  if (OnChange) OnChange(this);
}

void TKivWave::SetData(const uint8_t* bytes, size_t size) {
  ReleasingData();
  auto data = std::make_unique<TMemoryStream>();
  if (size > 0) data->WriteBuffer(bytes, static_cast<int64_t>(size));
  data->SetPosition(0);
  data_ = std::move(data);
}

void TKivWave::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> bytes;
  if (stream.Position() > 0) {
    const uint32_t data_size = ReadU32(stream);
    const uint32_t name_size = ReadU32(stream);
    // Grown as the bytes arrive: a corrupt size cannot allocate more than the
    // stream holds.
    std::vector<uint8_t> name = ReadBytes(stream, name_size);
    bytes = ReadBytes(stream, data_size);
    name_.assign(name.begin(), name.end());
  } else {
    bytes = ReadBytes(stream, static_cast<uint64_t>(stream.Size()));
  }
  SetData(bytes.data(), bytes.size());
  Changed();
}

void TKivWave::SaveToStream(TStream& stream) const {
  const int64_t size = data_ ? data_->Size() : 0;
  if (stream.Position() > 0) {
    WriteU32(stream, static_cast<uint32_t>(size));
    WriteU32(stream, static_cast<uint32_t>(name_.size()));
    stream.WriteBuffer(name_.data(), static_cast<int64_t>(name_.size()));
  }
  if (size > 0) stream.WriteBuffer(data_->Memory(), size);
}

void TKivWave::LoadFromFile(const std::string& file_name) {
  // The one whole-file reader, with its size limit; position 0: bare form.
  TContainerStream<std::vector<uint8_t>> file(ReadFileBytes(file_name));
  LoadFromStream(file);
}

void TKivWave::SaveToFile(const std::string& file_name) const {
  TFileStream file(file_name, fmCreate);
  SaveToStream(file);
}

void TKivWave::Assign(const TPersistent* source) {
  if (source != nullptr && !source->Is<TKivWave>()) {
    TPersistent::Assign(source);
    return;
  }
  const auto* from = static_cast<const TKivWave*>(source);
  if (from != nullptr && from != this) SetData(from->Bytes(), from->Size());
  Changed();
}

void TKivWave::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  // The filer hands the property's bytes over as a stream of their own at
  // position 0, so the form holds exactly the wave file.
  filer.DefineBinaryProperty(
      "WaveData", [this](TStream& s) { LoadFromStream(s); },
      [this](TStream& s) { SaveToStream(s); }, data_ != nullptr);
}

}  // namespace kiv
