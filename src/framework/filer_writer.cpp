// The binary component stream, writing side, and the stream's component
// helpers in both directions.
#include "framework/filer.hpp"

#include <cstring>

#include "framework/collections.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

// =====================================================================
// TWriter
// =====================================================================

void TWriter::WriteValue(TValueType type) {
  uint8_t b = type;
  stream_.WriteBuffer(&b, 1);
}

void TWriter::WriteInteger(int64_t v) {
  if (v >= -128 && v <= 127) {
    WriteValue(vaInt8);
    WriteU8(stream_, static_cast<uint8_t>(v));
  } else if (v >= -32768 && v <= 32767) {
    WriteValue(vaInt16);
    WriteU16(stream_, static_cast<uint16_t>(v));
  } else if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max()) {
    WriteValue(vaInt32);
    WriteI32(stream_, static_cast<int32_t>(v));
  } else {
    WriteValue(vaInt64);
    WriteI64(stream_, v);
  }
}

void TWriter::WriteFloat(long double value) {
  WriteValue(vaExtended);
  uint8_t b[10];
  EncodeExtended(value, b);
  stream_.WriteBuffer(b, 10);
}

void TWriter::WriteString(const std::string& value) {
  if (value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(value);
  } else {
    if (value.size() > std::numeric_limits<uint32_t>::max())
      throw EWriteError("Stream write error");
    WriteValue(vaLString);
    WriteU32(stream_, static_cast<uint32_t>(value.size()));
    stream_.WriteBuffer(value.data(), static_cast<int64_t>(value.size()));
  }
}

void TWriter::WriteWideString(const std::u16string& value) {
  bool ascii = true;
  for (char16_t ch : value) ascii = ascii && ch < 0x80;
  if (ascii) {
    WriteString(NarrowLatin1(value));
    return;
  }
  if (value.size() > std::numeric_limits<uint32_t>::max()) throw EWriteError("Stream write error");
  WriteValue(vaWString);
  WriteU32(stream_, static_cast<uint32_t>(value.size()));
  for (char16_t ch : value) WriteU16(stream_, ch);
}

void TWriter::WriteIdent(const std::string& ident) {
  if (SameText(ident, "False"))
    WriteValue(vaFalse);
  else if (SameText(ident, "True"))
    WriteValue(vaTrue);
  else if (SameText(ident, "nil"))
    WriteValue(vaNil);
  else {
    WriteValue(vaIdent);
    WriteStr(ident);
  }
}

void TWriter::WriteStr(const std::string& value) {
  if (value.size() > 255) throw EWriteError("Stream write error");
  WriteU8(stream_, static_cast<uint8_t>(value.size()));
  stream_.WriteBuffer(value.data(), static_cast<int64_t>(value.size()));
}

void TWriter::WriteBinary(const uint8_t* data, uint32_t size) {
  WriteValue(vaBinary);
  WriteU32(stream_, size);
  stream_.WriteBuffer(data, size);
}

void TWriter::DefineProperty(const std::string& name, const std::function<void(TReader&)>&,
                             const std::function<void(TWriter&)>& write, bool has_data) {
  if (!has_data || !write) return;
  WritePropName(name);
  write(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>&,
                                   const std::function<void(TStream&)>& write, bool has_data) {
  if (!has_data || !write) return;
  TMemoryStream data;
  write(data);
  if (data.Size() > std::numeric_limits<uint32_t>::max()) throw EWriteError("Stream write error");
  WritePropName(name);
  WriteBinary(data.Memory(), static_cast<uint32_t>(data.Size()));
}

void TWriter::WriteDescendent(TComponent* root) {
  root_ = root;
  stream_.WriteBuffer(kFilerSignature, 4);
  WriteComponent(root, 0);
}

void TWriter::WriteComponent(TComponent* component, int depth) {
  if (depth > kMaxStreamDepth)
    throw EWriteError("Component tree deeper than " + std::to_string(kMaxStreamDepth) + " levels");
  component->SetState(csWriting, true);
  try {
    WriteStr(component->ClassName());
    WriteStr(component->Name());
    WriteProperties(component, std::string(), depth);
    WriteListEnd();
    component->GetChildren([&](TComponent* child) { WriteComponent(child, depth + 1); }, root_);
    WriteListEnd();
  } catch (...) {
    component->SetState(csWriting, false);
    throw;
  }
  component->SetState(csWriting, false);
}

void TWriter::WriteProperties(TPersistent* instance, const std::string& prefix, int depth) {
  if (depth > kMaxStreamDepth)
    throw EWriteError("Property objects nested deeper than " + std::to_string(kMaxStreamDepth) +
                      " levels");
  for (const auto& prop : instance->ClassType().Properties())
    if (prop->IsStored(*instance)) WriteProperty(instance, *prop, prefix, depth);
  std::string saved = prefix_;
  prefix_ = prefix;
  instance->DefineProperties(*this);
  prefix_ = saved;
}

namespace {
// "Name", "Owner.Name" or "" (not storable) for a reference from root's tree.
std::string ReferenceName(const TComponent* c, const TComponent* root) {
  if (c->Name().empty()) return {};
  if (c == root || c->Owner() == root) return c->Name();
  if (c->Owner() && !c->Owner()->Name().empty()) return c->Owner()->Name() + "." + c->Name();
  return c->Name();
}
}  // namespace

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop, const std::string& prefix,
                            int depth) {
  std::string name = prefix + prop.Name;
  if (prop.Kind == TPropKind::Object) {
    TPersistent* obj = prop.GetObj(*instance);
    if (!obj || obj->Is<TComponent>()) return;
    if (auto* coll = dynamic_cast<TCollection*>(obj)) {
      WriteStr(name);
      WriteCollection(*coll, depth + 1);
    } else {
      WriteProperties(obj, name + ".", depth + 1);
    }
    return;
  }
  if (prop.IsDefaultValue(*instance)) return;
  switch (prop.Kind) {
    case TPropKind::Integer: {
      int64_t v = prop.GetOrd(*instance);
      WriteStr(name);
      if (const char* ident = prop.IdentOf(v))
        WriteIdent(ident);
      else
        WriteInteger(v);
      break;
    }
    case TPropKind::Boolean:
      WriteStr(name);
      WriteBoolean(prop.GetOrd(*instance) != 0);
      break;
    case TPropKind::Enumeration: {
      int64_t v = prop.GetOrd(*instance);
      const char* ident = prop.IdentOf(v);
      if (!ident) throw EWriteError("Invalid property value");
      WriteStr(name);
      WriteIdent(ident);
      break;
    }
    case TPropKind::Set: {
      uint64_t bits = static_cast<uint64_t>(prop.GetOrd(*instance));
      WriteStr(name);
      WriteValue(vaSet);
      for (size_t i = 0; i < prop.Names.size() && i < 64; ++i)
        if (bits & (uint64_t{1} << i)) WriteStr(prop.Names[i]);
      WriteStr(std::string());
      break;
    }
    case TPropKind::Float:
      WriteStr(name);
      WriteFloat(prop.GetFloat(*instance));
      break;
    case TPropKind::String:
      WriteStr(name);
      WriteString(prop.GetString(*instance));
      break;
    case TPropKind::WideString:
      WriteStr(name);
      WriteWideString(prop.GetWide(*instance));
      break;
    case TPropKind::Component: {
      auto* c = dynamic_cast<TComponent*>(prop.GetObj(*instance));
      std::string ref = c ? ReferenceName(c, root_) : std::string();
      if (ref.empty()) return;
      WriteStr(name);
      WriteIdent(ref);
      break;
    }
    case TPropKind::Event:
      WriteStr(name);
      WriteIdent(prop.GetMethodName(*instance));
      break;
    case TPropKind::Object:
      break;
  }
}

void TWriter::WriteCollection(TCollection& collection, int depth) {
  WriteValue(vaCollection);
  for (int i = 0; i < collection.Count(); ++i) {
    WriteListBegin();
    WriteProperties(collection.Items(i), std::string(), depth);
    WriteListEnd();
  }
  WriteListEnd();
}

// =====================================================================
// TStream's component helpers
// =====================================================================

void TStream::WriteComponent(TComponent* instance) {
  TWriter writer(*this);
  writer.WriteDescendent(instance);
}

TComponent* TStream::ReadComponent(TComponent* instance) {
  TReader reader(*this);
  return reader.ReadRootComponent(instance);
}

std::string ComponentToText(TComponent* component) {
  TMemoryStream binary;
  binary.WriteComponent(component);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(binary, text);
  return text.DataString();
}

TComponent* TextToComponent(const std::string& text, TComponent* instance) {
  TStringStream input(text);
  TMemoryStream binary;
  ObjectTextToBinary(input, binary);
  binary.SetPosition(0);
  return binary.ReadComponent(instance);
}

}  // namespace kiv
