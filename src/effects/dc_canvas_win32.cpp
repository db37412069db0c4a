#include "effects/dc_canvas_win32.hpp"

namespace kiv {

void TkivDCCanvas::DrawFrame(const TkivFrameSurface& frame, int x, int y) {
  if (dc_ == nullptr || frame.IsEmpty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = frame.Width();
  info.bmiHeader.biHeight = -frame.Height();  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc_, x, y, static_cast<DWORD>(frame.Width()),
                    static_cast<DWORD>(frame.Height()), 0, 0, 0, static_cast<UINT>(frame.Height()),
                    frame.Bits(), &info, DIB_RGB_COLORS);
}

}  // namespace kiv
