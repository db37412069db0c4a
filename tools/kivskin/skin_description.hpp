#pragma once
// A skin described in a small text format, read into a TLqSkinSource that the
// skin filters then write in any variant.
//
//   # a comment runs from '#' (outside quotes) to the end of the line
//   skin "Ember"                    SkinName (also: version, author, email, url)
//   picture Faces "faces.png"       a named bitmap from a BMP or PNG file (JPEG
//                                   and GIF are read too), relative to the
//                                   description's folder
//   object Button TLqButtonObject   an object: its name and class; a top-level
//     Bounds = 0, 0, 75, 25         one when outside any other, a child when
//     Margins = 4, 4, 4, 4          inside one, up to its "end"
//     Bitmap = Faces(0, 0, 24, 24)  a bitmap link: the 24 x 24 cell of Faces
//                                   at (0, 0)
//     Font.Color = clWhite          any published property, dotted for the
//     Color = rgb(40, 40, 48)       properties of nested objects
//     object Text TLqTextObject
//       Align = saClient
//     end
//   end
//   color ButtonNormal = clBtnFace  an entry of the theme's colour table,
//   syscolor clBtnFace = $00C0C0C0  system-colour table, or font table;
//   font ButtonTextNormal.Size = 9  applied after the tables are derived from
//                                   the objects
//
// Values: integers (12, -3, $FF00), identifiers (enumeration values, colour
// names, True, False), strings in single or double quotes (a quote doubled
// inside), sets ([fsBold, fsItalic]) and rgb(red, green, blue) colours.
// Bounds is Left, Top, Width, Height; Margins is MarginLeft, MarginTop,
// MarginRight, MarginBottom.
//
// Pictures are converted as the standard skin bodies convert their bitmaps
// (magenta and near-key colours become the key pixel, alpha detected), so a
// skin reads back the same from every variant. The colour and font tables
// start from the theme's defaults and are then derived from the objects.
// Every mistake raises EParserError "FILE:LINE: what is wrong".
#include <string>

namespace kiv {

class TLqSkinSource;

// Reads the description text into the empty source. file_name names the
// description in messages, and its folder is where pictures are looked up.
void ReadSkinDescription(const std::string& text, const std::string& file_name,
                         TLqSkinSource& into);

// Reads the description file into the empty source.
void LoadSkinDescription(const std::string& file_name, TLqSkinSource& into);

}  // namespace kiv
