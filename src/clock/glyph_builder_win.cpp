#include "clock/glyph_builder_win.h"

#include <exception>
#include <utility>

#include "clock/glyph_source_win.h"

namespace tdialix {

namespace {

// Thrown inside a build that is no longer wanted; caught where the build began.
struct TBuildStopped {};

// The stop flag of the build running on this thread.
thread_local const std::atomic<bool>* StopOfThisThread = nullptr;

void ThrowIfStopped() {
  if (StopOfThisThread && StopOfThisThread->load(std::memory_order_relaxed)) throw TBuildStopped{};
}

// The stamping of the decorations is where a heavy style spends its time:
// a stopped build ends between two stamp squares.
void StoppableStampSquare(TBitmap& dest, TRgb color, const TBitmap& source, TPoint at, TPoint base, TSize size,
                          int strength, const TStampSquare& square) {
  ThrowIfStopped();
  StampSquare(dest, color, source, at, base, size, strength, square);
}

// The font's glyphs, one check for a stop before each.
class TStoppableRasterizer : public TGlyphRasterizer {
 public:
  void SetFont(const std::wstring& face, int height, int styles, bool shiftJis) override {
    Inner.SetFont(face, height, styles, shiftJis);
  }
  void SetFontStyles(int styles) override { Inner.SetFontStyles(styles); }
  std::optional<TGlyphOutline> Outline(wchar_t ch, bool smooth) override {
    ThrowIfStopped();
    return Inner.Outline(ch, smooth);
  }
  TBitmap DrawText(wchar_t ch) override {
    ThrowIfStopped();
    return Inner.DrawText(ch);
  }
  wchar_t FullWidth(wchar_t ch) override { return Inner.FullWidth(ch); }

 private:
  TGdiGlyphRasterizer Inner;
};

}  // namespace

void BuildGlyphStrips(TGlyphBuild& build, const std::atomic<bool>& stop) {
  StopOfThisThread = &stop;
  struct TClear {
    ~TClear() { StopOfThisThread = nullptr; }
  } clear;
  build.Strips.clear();
  build.Completed = false;
  try {
    std::vector<TGlyphStrip> strips(build.MonitorHeights.size());
    for (size_t i = 0; i < strips.size(); ++i) {
      // A clock on a monitor of a height already built for takes a copy.
      bool copied = false;
      for (size_t j = 0; j < i && !copied; ++j) {
        if (build.MonitorHeights[j] == build.MonitorHeights[i]) {
          strips[i] = strips[j];
          copied = true;
        }
      }
      if (copied) continue;
      TStoppableRasterizer rasterizer;
      TGdiPictureSource pictures;
      InitializeBitmap(strips[i], build.Style, {build.MonitorHeights[i], build.DisplayBits, &ResolveColor}, rasterizer,
                       pictures, &StoppableStampSquare);
    }
    build.Strips = std::move(strips);
    build.Completed = true;
  } catch (const TBuildStopped&) {
    // Superseded: nothing of it is kept.
  }
}

TGlyphBuilder::TGlyphBuilder(HWND notify, UINT message) : Notify(notify), Message(message) {}

TGlyphBuilder::~TGlyphBuilder() {
  Stop();
  if (Thread) ::WaitForSingleObject(Thread.Get(), INFINITE);
}

bool TGlyphBuilder::Start(TGlyphBuild build) {
  if (Thread) return false;
  Current = std::move(build);
  StopFlag = false;
  Ended = false;
  Thread.Reset(::CreateThread(nullptr, 0, &ThreadProc, this, 0, nullptr));
  return static_cast<bool>(Thread);
}

void TGlyphBuilder::Stop() { StopFlag = true; }

std::optional<TGlyphBuild> TGlyphBuilder::Take() {
  if (!Thread || !Ended) return std::nullopt;
  ::WaitForSingleObject(Thread.Get(), INFINITE);
  Thread.Reset();
  return std::move(Current);
}

DWORD WINAPI TGlyphBuilder::ThreadProc(LPVOID self) {
  auto* builder = static_cast<TGlyphBuilder*>(self);
  try {
    builder->Build(builder->Current, builder->StopFlag);
  } catch (...) {
    // A font or picture the platform refused: the clocks keep the images they have.
    builder->Current.Completed = false;
  }
  builder->Ended = true;
  ::PostMessageW(builder->Notify, builder->Message, 0, 0);
  return 0;
}

}  // namespace tdialix
