#include "plugin/plugin_exports_win.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <vector>

#include "base/text.h"

namespace tdialix {

namespace {

enum class TExportKind { ekVisibleClock, ekShowNotify };

struct TExportRequest {
  TExportKind Kind;
  std::int32_t Visible = 0;
  const TPluginNotifyBlock* Notify = nullptr;
};

std::atomic<TPluginExportTarget*> Target{nullptr};
std::atomic<HWND> TargetWindow{nullptr};

// Requests another thread has sent to the target window and waits for. The
// message is registered, so any process can send it: only these addresses
// are taken for requests.
std::mutex PendingLock;
std::vector<const TExportRequest*> Pending;

std::int32_t Execute(const TExportRequest& request) {
  TPluginExportTarget* const target = Target.load();
  if (!target) return 0;
  try {
    switch (request.Kind) {
      case TExportKind::ekVisibleClock:
        return target->PluginVisibleClock(request.Visible != 0);
      case TExportKind::ekShowNotify:
        return target->PluginShowNotify(*request.Notify);
    }
  } catch (const std::exception& e) {
    target->PluginExportFailed(Utf8ToWide(e.what()));
  } catch (...) {
    target->PluginExportFailed(L"unknown exception");
  }
  return 0;
}

std::int32_t Run(const TExportRequest& request) {
  const HWND window = TargetWindow.load();
  if (!window || !Target.load()) return 0;
  if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) return Execute(request);
  {
    const std::lock_guard<std::mutex> lock(PendingLock);
    Pending.push_back(&request);
  }
  DWORD_PTR result = 0;
  const bool sent = ::SendMessageTimeoutW(window, PluginExportMessage(), 0, reinterpret_cast<LPARAM>(&request),
                                          SMTO_NORMAL, INFINITE, &result) != 0;
  {
    const std::lock_guard<std::mutex> lock(PendingLock);
    Pending.erase(std::find(Pending.begin(), Pending.end(), &request));
  }
  return sent ? static_cast<std::int32_t>(result) : 0;
}

}  // namespace

void SetPluginExportTarget(TPluginExportTarget* target, HWND window) {
  TargetWindow.store(target ? window : nullptr);
  Target.store(target);
}

UINT PluginExportMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TeamOrvaneTDialix2PluginExport");
  return message;
}

LRESULT HandlePluginExportMessage(WPARAM, LPARAM lParam) {
  const auto* request = reinterpret_cast<const TExportRequest*>(lParam);
  {
    const std::lock_guard<std::mutex> lock(PendingLock);
    if (std::find(Pending.begin(), Pending.end(), request) == Pending.end()) return 0;
  }
  return static_cast<LRESULT>(Execute(*request));
}

std::int32_t RunVisibleClock(std::int32_t visible) {
  TExportRequest request{TExportKind::ekVisibleClock};
  request.Visible = visible;
  return Run(request);
}

std::int32_t RunShowPluginNotify(const TPluginNotifyBlock& notify) {
  TExportRequest request{TExportKind::ekShowNotify};
  request.Notify = &notify;
  return Run(request);
}

}  // namespace tdialix
