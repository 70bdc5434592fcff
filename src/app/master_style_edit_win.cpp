// The master's side of the style editor: opening it, showing its values on
// the clocks while it is open, Apply, and building the clocks' images off the
// UI thread so that no style holds up the dialog or the clocks.
#include <windows.h>

#include "app/master_window_win.h"
#include "app/messages_win.h"
#include "base/trace_win.h"
#include "style/style_image.h"

namespace tdialix {

void TDialixMaster::StyleEditRequest(int page) {
  if (Tag != 0) {
    BringDialogForward();
    return;
  }
  ShowStyleEditor(page);
}

void TDialixMaster::ShowStyleEditor(int page) {
  const int oldTag = Tag;
  Tag = 1;
  SaveAppliedStrips();
  StylePage = tdialix::ShowStyleEditor(Handle(), *this, page, StylePage, [this](TDialixStyle& editor) {
    OpenStyleEditor = &editor;
    Trace(L"styleeditor-open " + std::to_wstring(editor.PageIndex()));
  });
  OpenStyleEditor = nullptr;
  Tag = oldTag;
  EndPreview();
  // "休日" of the editor: the settings dialog opens once the editor has gone.
  if (HolidaySettingsAfterEditor) {
    HolidaySettingsAfterEditor = false;
    ::PostMessageW(Handle(), WM_DIALIX_SETTINGS, 2, 0);
  }
  // A close asked for while the editor was open comes now, with the style as applied.
  if (CloseRequested) ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

const TStyle& TDialixMaster::ShownStyle() {
  if (!Preview && !GlyphQueue.Running()) return Style;
  ShownStyleCache = WithImagesOf(Preview ? *Preview : Style, GlyphQueue.Installed());
  return ShownStyleCache;
}

void TDialixMaster::PreviewStyle(const TStyle& values) {
  Preview = values;
  RequestImages(values);
  for (const auto& clock : Dialixs) DrawClock(*clock, true);
}

void TDialixMaster::ApplyStyle(const TStyle& style, bool rebuildImages) {
  SettingTimer(false);
  Style = style;
  Preview = style;
  TimerEvent(true);
  // The images may still be building: the clocks take them when they are done.
  if (rebuildImages) RequestImages(Style);
  if (!GlyphQueue.Running() && !ImageFieldsDiffer(GlyphQueue.Installed(), Style)) SaveAppliedStrips();
  for (const auto& clock : Dialixs) {
    clock->ResetAnimation(PrevText);
    DrawClock(*clock, true);
  }
  SettingTimer(true);
  Trace(std::wstring(L"styleeditor-apply ") + (rebuildImages ? L"rebuilt" : L"redrawn"));
}

void TDialixMaster::ShowHolidaySettingsLater() { HolidaySettingsAfterEditor = true; }

void TDialixMaster::EndPreview() {
  if (!Preview) return;
  Preview.reset();
  if (ImageFieldsDiffer(GlyphQueue.Wanted(), Style)) {
    // The clocks show (or were about to show) images of values that were not applied.
    if (AppliedStrips.size() == Dialixs.size() && !ImageFieldsDiffer(AppliedStripsStyle, Style)) {
      InstallStrips(AppliedStrips);
      if (GlyphQueue.Reset(Style) && GlyphBuilder) GlyphBuilder->Stop();
    } else {
      RequestImages(Style);
    }
  }
  // The next tick shows the applied format.
  for (const auto& clock : Dialixs) {
    clock->ResetAnimation(PrevText);
    DrawClock(*clock, true);
  }
}

void TDialixMaster::RequestImages(const TStyle& style) {
  const TGlyphBuildQueue::TRequest request = GlyphQueue.Request(style);
  if (request.StopRunning && GlyphBuilder) GlyphBuilder->Stop();
  if (request.Start) StartGlyphBuild(*request.Start);
}

void TDialixMaster::StartGlyphBuild(const TGlyphBuildQueue::TJob& job) {
  if (!GlyphBuilder) GlyphBuilder = std::make_unique<TGlyphBuilder>(Handle(), WM_DIALIX_GLYPHSBUILT);
  TGlyphBuild build;
  build.Generation = job.Generation;
  build.Style = job.Style;
  for (size_t i = 0; i < Dialixs.size() && i < Monitors.size(); ++i) {
    build.MonitorHeights.push_back(Monitors[i].Bounds.Height());
  }
  build.DisplayBits = SaveDisplayColor;
  if (TraceEnabled()) Trace(L"glyphbuild-start " + std::to_wstring(job.Generation));
  if (!GlyphBuilder->Start(std::move(build))) {
    // No thread: the queue hears of a build that ended unfinished.
    const TGlyphBuildQueue::TFinish finish = GlyphQueue.Finished(job.Generation, false);
    if (finish.Start) StartGlyphBuild(*finish.Start);
  }
}

void TDialixMaster::GlyphsBuilt() {
  if (!GlyphBuilder) return;
  std::optional<TGlyphBuild> build = GlyphBuilder->Take();
  if (!build) return;
  const TGlyphBuildQueue::TFinish finish = GlyphQueue.Finished(build->Generation, build->Completed);
  if (TraceEnabled()) {
    Trace(L"glyphbuild-end " + std::to_wstring(build->Generation) +
          (finish.Install ? L" installed" : build->Completed ? L" superseded" : L" stopped"));
  }
  if (finish.Install && build->Strips.size() == Dialixs.size()) {
    InstallStrips(std::move(build->Strips));
    if (!ImageFieldsDiffer(GlyphQueue.Installed(), Style)) SaveAppliedStrips();
    for (const auto& clock : Dialixs) DrawClock(*clock, true);
  }
  if (finish.Start) StartGlyphBuild(*finish.Start);
}

void TDialixMaster::ImagesBuilt(const TStyle& style) {
  if (GlyphQueue.Reset(style) && GlyphBuilder) GlyphBuilder->Stop();
  // The editor's values want images of their own again.
  if (Preview) RequestImages(*Preview);
}

void TDialixMaster::SaveAppliedStrips() {
  if (GlyphQueue.Running() || ImageFieldsDiffer(GlyphQueue.Installed(), Style)) return;
  AppliedStrips.clear();
  for (const auto& clock : Dialixs) AppliedStrips.push_back(clock->Strip);
  AppliedStripsStyle = Style;
}

void TDialixMaster::InstallStrips(std::vector<TGlyphStrip> strips) {
  for (size_t i = 0; i < Dialixs.size() && i < strips.size(); ++i) {
    TDialix& clock = *Dialixs[i];
    // Frames drawn from the strip before are stale: the new one counts on from it.
    strips[i].Generation = clock.Strip.Generation + 1;
    clock.Strip = std::move(strips[i]);
  }
}

}  // namespace tdialix
