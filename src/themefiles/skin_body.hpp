#pragma once
// The two skin bodies (layouts in themefiles/skin_filters.hpp), read into and
// written from a skin source.
namespace kiv {

class TLqSkinSource;
class TStream;

void ReadStandardBody(TStream& stream, TLqSkinSource& source);
void WriteStandardBody(TStream& stream, TLqSkinSource& source);
void ReadCompactBody(TStream& stream, TLqSkinSource& source);
void WriteCompactBody(TStream& stream, TLqSkinSource& source);

// EWriteError when the source has more top-level objects, or an object more
// children, than the marked count words can hold.
void CheckObjectCounts(const TLqSkinSource& source);
// EWriteError when the source has more bitmaps than the compact body's
// marked bitmap word can hold (4,095).
void CheckCompactBitmapCount(const TLqSkinSource& source);

}  // namespace kiv
