#include "clock/glyph_source_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/bitmap_file.h"
#include "base/file_io_win.h"
#include "base/trace_win.h"
#include "style/style.h"

namespace tdialix {

namespace {

// A DIB section with the bitmap's pixels, selected into its own DC while it lives.
class TDibCanvas {
 public:
  TDibCanvas(int width, int height, int bitsPerPixel) : DC(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top, as TBitmap keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    Bitmap.Reset(::CreateDIBSection(DC.Get(), &info, DIB_RGB_COLORS, &Bits, nullptr, 0));
    if (Bitmap) Previous = ::SelectObject(DC.Get(), Bitmap.Get());
  }
  TDibCanvas(const TDibCanvas&) = delete;
  TDibCanvas& operator=(const TDibCanvas&) = delete;
  ~TDibCanvas() {
    if (Previous) ::SelectObject(DC.Get(), Previous);
  }
  explicit operator bool() const { return Bits != nullptr; }
  HDC Handle() const { return DC.Get(); }

  void CopyFrom(const TBitmap& image) {
    ::GdiFlush();
    std::memcpy(Bits, image.Data().data(), image.Data().size());
  }
  void CopyTo(TBitmap& image) const {
    ::GdiFlush();
    std::memcpy(image.Data().data(), Bits, image.Data().size());
  }

 private:
  TUniqueMemoryDC DC;
  TUniqueBitmap Bitmap;
  void* Bits = nullptr;
  HGDIOBJ Previous = nullptr;
};

}  // namespace

TRgb ResolveColor(std::int32_t color) {
  if (color < 0) return static_cast<TRgb>(::GetSysColor(color & 0xFF)) & 0xFFFFFF;
  return static_cast<TRgb>(color) & 0xFFFFFF;
}

TGdiGlyphRasterizer::TGdiGlyphRasterizer() : DC(::CreateCompatibleDC(nullptr)) {}

TUniqueFont TGdiGlyphRasterizer::MakeFont(int styles, DWORD quality) const {
  return TUniqueFont(::CreateFontW(-Height, 0, 0, 0, (styles & fsBold) ? FW_BOLD : FW_NORMAL, (styles & fsItalic) != 0,
                                   FALSE, FALSE, ShiftJis ? SHIFTJIS_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH, Face.c_str()));
}

void TGdiGlyphRasterizer::SetFont(const std::wstring& face, int height, int styles, bool shiftJis) {
  Face = face.substr(0, LF_FACESIZE - 1);
  Height = height < 1 ? 1 : height;
  ShiftJis = shiftJis;
  Styles = -1;
  SetFontStyles(styles);
}

void TGdiGlyphRasterizer::SetFontStyles(int styles) {
  if (styles == Styles && Font) return;
  ::SelectObject(DC.Get(), ::GetStockObject(SYSTEM_FONT));
  Font = MakeFont(styles, DEFAULT_QUALITY);
  Styles = styles;
  ::SelectObject(DC.Get(), Font.Get());
}

std::optional<TGlyphOutline> TGdiGlyphRasterizer::Outline(wchar_t ch, bool smooth) {
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  const UINT format = smooth ? GGO_GRAY8_BITMAP : GGO_GRAY2_BITMAP;
  GLYPHMETRICS metrics{};
  const DWORD size = ::GetGlyphOutlineW(DC.Get(), ch, format, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR || size == 0) return std::nullopt;
  std::vector<std::uint8_t> buffer(size);
  if (::GetGlyphOutlineW(DC.Get(), ch, format, &metrics, size, buffer.data(), &identity) == GDI_ERROR) {
    return std::nullopt;
  }
  TGlyphOutline glyph;
  glyph.Levels = smooth ? 64 : 4;
  glyph.Size = {static_cast<int>(metrics.gmBlackBoxX), static_cast<int>(metrics.gmBlackBoxY)};
  glyph.Origin = {metrics.gmptGlyphOrigin.x, metrics.gmptGlyphOrigin.y};
  // Rows come padded to 4 bytes.
  const std::size_t stride = (metrics.gmBlackBoxX + 3) & ~3u;
  glyph.Grey.resize(static_cast<std::size_t>(glyph.Size.cx) * glyph.Size.cy);
  for (int y = 0; y < glyph.Size.cy && (y + 1) * stride <= buffer.size(); ++y) {
    std::memcpy(glyph.Grey.data() + static_cast<std::size_t>(y) * glyph.Size.cx, buffer.data() + y * stride,
                static_cast<std::size_t>(glyph.Size.cx));
  }
  return glyph;
}

TBitmap TGdiGlyphRasterizer::DrawText(wchar_t ch) {
  // Raster fonts and glyphs without an outline: the text drawn without antialiasing.
  const TUniqueFont font = MakeFont(Styles < 0 ? 0 : Styles, NONANTIALIASED_QUALITY);
  const HGDIOBJ previous = ::SelectObject(DC.Get(), font.Get());
  SIZE extent{};
  ::GetTextExtentPoint32W(DC.Get(), &ch, 1, &extent);
  ::SelectObject(DC.Get(), previous);
  TBitmap image(extent.cx, extent.cy, 24);
  if (image.Empty()) return image;
  TDibCanvas canvas(image.Width(), image.Height(), 24);
  if (!canvas) return image;
  const HGDIOBJ selected = ::SelectObject(canvas.Handle(), font.Get());
  const RECT all{0, 0, image.Width(), image.Height()};
  ::FillRect(canvas.Handle(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SetTextColor(canvas.Handle(), RGB(0, 0, 0));
  ::SetBkMode(canvas.Handle(), TRANSPARENT);
  ::TextOutW(canvas.Handle(), 0, 0, &ch, 1);
  ::SelectObject(canvas.Handle(), selected);
  canvas.CopyTo(image);
  return image;
}

wchar_t TGdiGlyphRasterizer::FullWidth(wchar_t ch) {
  wchar_t wide[4] = {};
  const int length = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_FULLWIDTH, &ch, 1, wide, 4, nullptr, nullptr, 0);
  return length == 1 ? wide[0] : ch;
}

bool TGdiPictureSource::FileExists(const std::wstring& path) { return tdialix::FileExists(path); }

std::optional<TBitmap> TGdiPictureSource::LoadPicture(const std::wstring& path) {
  // The file is read whole and its header checked against its size before
  // the platform decodes it from memory: a header that lies or a file cut
  // short gives no picture instead of a read past the end.
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  const std::optional<TBitmapFileLayout> layout = ReadBitmapFileLayout(*bytes);
  if (!layout) {
    Trace(L"picture-refused " + path);
    return std::nullopt;
  }
  // The header and colour table in memory of their own, aligned as the platform expects them.
  std::vector<std::uint32_t> header((layout->InfoBytes + 3) / 4 + 1);
  std::memcpy(header.data(), bytes->data() + layout->InfoOffset, layout->InfoBytes);
  auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
  // A run-length stream is decoded no further than the bytes the file holds.
  if (layout->HeaderSize >= sizeof(BITMAPINFOHEADER) && (layout->Compression == BI_RLE8 || layout->Compression == BI_RLE4)) {
    info->bmiHeader.biSizeImage = static_cast<DWORD>(layout->PixelBytes);
  }

  // Converted to 24 bits by drawing it into a 24-bit canvas.
  TBitmap image(layout->Width, layout->Height, 24);
  TDibCanvas canvas(image.Width(), image.Height(), 24);
  if (!canvas) return std::nullopt;
  const RECT all{0, 0, image.Width(), image.Height()};
  ::FillRect(canvas.Handle(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  const int lines = ::SetDIBitsToDevice(canvas.Handle(), 0, 0, static_cast<DWORD>(layout->Width),
                                        static_cast<DWORD>(layout->Height), 0, 0, 0,
                                        static_cast<UINT>(layout->Height), bytes->data() + layout->PixelOffset, info,
                                        DIB_RGB_COLORS);
  if (lines <= 0) return std::nullopt;
  canvas.CopyTo(image);
  return image;
}

bool TGdiPictureSource::Stretch(const TBitmap& source, const TRect& from, TBitmap& target, const TRect& to) {
  TDibCanvas in(source.Width(), source.Height(), source.BitsPerPixel());
  TDibCanvas out(target.Width(), target.Height(), target.BitsPerPixel());
  if (!in || !out) return false;
  in.CopyFrom(source);
  out.CopyFrom(target);
  ::SetStretchBltMode(out.Handle(), HALFTONE);
  ::SetBrushOrgEx(out.Handle(), 0, 0, nullptr);
  if (!::StretchBlt(out.Handle(), to.Left, to.Top, to.Width(), to.Height(), in.Handle(), from.Left, from.Top,
                    from.Width(), from.Height(), SRCCOPY)) {
    return false;
  }
  out.CopyTo(target);
  return true;
}

}  // namespace tdialix
