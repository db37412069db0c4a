#pragma once
// Component streams: the binary form (signature "TPF0") read and written
// through published properties, and its text form.
//
// Binary form, per component: class name and component name (short strings:
// a length byte and the characters), then its properties, each a short-string
// name and a typed value, an end marker (0), then its children, each a
// component of the same shape, and an end marker. Values begin with a tag
// (TValueType): integers of 8, 16, 32 and 64 bits (little-endian), 80-bit
// floats, short, long, wide (UTF-16) and UTF-8 strings, identifiers, sets (a
// list of identifiers ending in an empty one), lists (values up to an end
// marker), collections (items, each a list of properties), binary data (a
// 32-bit size and the bytes), nil, false and true.
//
// Text form:
//   object Form1: TForm1
//     Caption = 'It''s' + #13#10 + 'two lines'
//     Font.Style = [fsBold]
//     Items = <
//       item
//         Tag = 1
//       end>
//     Data = {
//       0A0B0C}
//     OnCreate = FormCreate
//     object Button1: TButton
//     end
//   end
//
// Readers accept hostile input: every size is checked against what the
// stream really delivers, nesting is limited to kMaxStreamDepth levels, and
// failures raise EReadError ("Invalid stream format", "Stream read error",
// "Error reading Name.Prop: ..."), EClassNotFound ("Class TFoo not found") or
// EParserError for text ("Identifier expected on line 3").
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/classes.hpp"
#include "framework/streams.hpp"

namespace kiv {

enum TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
  vaDouble = 21,
};

// Deepest nesting of components, collections and lists a stream may have.
constexpr int kMaxStreamDepth = 256;

// The four bytes that open a component stream.
inline constexpr char kFilerSignature[4] = {'T', 'P', 'F', '0'};

class TReader;
class TWriter;

// What TPersistent::DefineProperties sees: a property of its own making,
// read and written by callbacks, or a binary one whose bytes the callbacks
// get as a separate stream positioned at 0.
class TFiler {
 public:
  virtual ~TFiler() = default;
  virtual void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                              const std::function<void(TWriter&)>& write, bool has_data) = 0;
  virtual void DefineBinaryProperty(const std::string& name,
                                    const std::function<void(TStream&)>& read,
                                    const std::function<void(TStream&)>& write, bool has_data) = 0;
  TComponent* Root() const { return root_; }

 protected:
  TComponent* root_ = nullptr;
};

// Low-level value reading plus the component reader.
class TReader : public TFiler {
 public:
  explicit TReader(TStream& stream) : stream_(stream) {}

  void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                      const std::function<void(TWriter&)>& write, bool has_data) override;
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                            const std::function<void(TStream&)>& write, bool has_data) override;

  // Reads a whole component tree (with signature). With no root, the class
  // named by the stream is created; children are owned by the root.
  TComponent* ReadRootComponent(TComponent* root);

  // Values, for DefineProperty readers.
  TValueType ReadValue();
  TValueType NextValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  int64_t ReadInt64();
  int32_t ReadInteger();
  bool ReadBoolean();
  long double ReadFloat();
  std::string ReadString();
  std::u16string ReadWideString();
  std::string ReadIdent();
  std::string ReadStr();  // short string: a length byte and the characters
  void SkipValue();
  TStream& Stream() { return stream_; }

 private:
  friend class BinaryToText;
  struct Fixup {
    TPersistent* instance;
    const TPropInfo* prop;
    std::string name;
  };
  void ReadSignature();
  TComponent* ReadComponent(TComponent* parent, int depth);
  void ReadProperty(TPersistent* instance, int depth);
  void ReadPropValue(TPersistent* instance, const TPropInfo& prop, int depth);
  void ReadCollection(TCollection& collection, int depth);
  int64_t ReadOrdinalValue(TValueType type);
  std::u16string ReadStringValue(TValueType type, bool& wide);
  void Skip(int depth);
  void ResolveFixups();
  void ReadFlagsPrefix();

  // Raw bytes through a one-byte look-ahead, so that the reader never seeks
  // and works on streams that cannot (a decompressing stream).
  void ReadRaw(void* buffer, int64_t count);
  uint8_t ReadByte();
  uint8_t PeekByte();
  uint32_t ReadU32LE();
  std::string ReadRawBytes(uint64_t count);  // allocated as the bytes arrive
  void SkipBytes(uint64_t count);

  TStream& stream_;
  int peek_ = -1;
  int prop_nesting_ = 0;
  std::string pending_;  // name of a defined property waiting to be read
  std::vector<Fixup> fixups_;
  std::vector<TComponent*> loaded_;
};

class TWriter : public TFiler {
 public:
  explicit TWriter(TStream& stream) : stream_(stream) {}

  void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                      const std::function<void(TWriter&)>& write, bool has_data) override;
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                            const std::function<void(TStream&)>& write, bool has_data) override;

  // Writes the signature and the tree below root.
  void WriteDescendent(TComponent* root);

  void WriteValue(TValueType type);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WriteInteger(int64_t value);
  void WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
  void WriteFloat(long double value);
  void WriteString(const std::string& value);
  void WriteWideString(const std::u16string& value);
  void WriteIdent(const std::string& ident);
  void WriteStr(const std::string& value);  // short string, at most 255 bytes
  void WriteBinary(const uint8_t* data, uint32_t size);
  TStream& Stream() { return stream_; }

 private:
  void WriteComponent(TComponent* component, int depth);
  void WriteProperties(TPersistent* instance, const std::string& prefix, int depth);
  void WriteProperty(TPersistent* instance, const TPropInfo& prop, const std::string& prefix,
                     int depth);
  void WriteCollection(TCollection& collection, int depth);
  void WritePropName(const std::string& name) { WriteStr(prefix_ + name); }

  TStream& stream_;
  std::string prefix_;
};

// Conversion between the two forms; the input is read from its position.
void ObjectBinaryToText(TStream& input, TStream& output);
void ObjectTextToBinary(TStream& input, TStream& output);

// Convenience: a component tree as text and back.
std::string ComponentToText(TComponent* component);
TComponent* TextToComponent(const std::string& text, TComponent* instance = nullptr);

// Float text that reads back to the same 80-bit value, and its reader.
std::string FloatToText(long double value);
long double TextToFloat(const std::string& text);

// 80-bit extended floats as the binary form stores them.
void EncodeExtended(long double value, uint8_t out[10]);
long double DecodeExtended(const uint8_t in[10]);

}  // namespace kiv
