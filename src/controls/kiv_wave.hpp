#pragma once
// TKivWave: a complete wave file held in memory exactly as it was read (RIFF
// bytes, never decoded), with a display name.
//
// Two stream forms:
//  - bare, used at stream position 0 (files, the form's "WaveData" property):
//    the wave file's bytes and nothing else; the name is not stored;
//  - framed, used at any later position (a wave inside a larger stream):
//    data size and name length (32-bit little-endian), the name's bytes,
//    then the data.
#include <memory>
#include <string>

#include "controls/kiv_wave_riff.hpp"
#include "framework/classes.hpp"
#include "framework/streams.hpp"

namespace kiv {

class TKivWave : public TPersistent {
  KIV_CLASS(TKivWave, TPersistent)
 public:
  TKivWave();
  ~TKivWave() override;
  TKivWave(const TKivWave&) = delete;
  TKivWave& operator=(const TKivWave&) = delete;

  // Bare form at position 0 (the whole stream becomes the data, the name is
  // kept), framed form after it. The wave changes only when the whole form
  // was read; a short stream raises EReadError "Stream read error". Fires
  // OnChange.
  virtual void LoadFromStream(TStream& stream);
  // Bare form at position 0, framed form after it.
  virtual void SaveToStream(TStream& stream) const;
  // A wave file in, a wave file out (bare form).
  virtual void LoadFromFile(const std::string& file_name);
  virtual void SaveToFile(const std::string& file_name) const;

  // From another wave: a copy of its data (the name stays); with no source
  // the data is kept. Both fire OnChange. Anything else: the framework's
  // assignment error.
  void Assign(const TPersistent* source) override;
  // The data as the binary property "WaveData" (bare form).
  void DefineProperties(TFiler& filer) override;

  // True only without a data stream; a new wave has one, of size 0.
  bool Empty() const { return data_ == nullptr; }
  TMemoryStream* Data() const { return data_.get(); }
  const uint8_t* Bytes() const { return data_ ? data_->Memory() : nullptr; }
  size_t Size() const { return data_ ? static_cast<size_t>(data_->Size()) : 0; }
  // What the stored bytes hold and whether playback may be given them.
  TKivWaveCheck Check() const { return CheckWave(Bytes(), Size()); }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { name_ = value; }

  // Fired whenever the data is loaded or assigned.
  TNotifyEvent OnChange;

 protected:
  // Called before the data's bytes are replaced or freed (playback that may
  // still read them is stopped here by the playing subclass).
  virtual void ReleasingData() {}
  void Changed();
  // Replaces the data with size bytes at bytes.
  void SetData(const uint8_t* bytes, size_t size);

 private:
  std::unique_ptr<TMemoryStream> data_;
  std::string name_;
};

}  // namespace kiv
