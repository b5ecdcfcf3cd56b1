#include "support/FakeShell.h"

#include "support/FakeSystem.h"

using namespace win;

namespace {
const char* MessageName(std::uint32_t message) {
  switch (message) {
    case NIM_ADD: return "NIM_ADD";
    case NIM_MODIFY: return "NIM_MODIFY";
    case NIM_DELETE: return "NIM_DELETE";
    case NIM_SETVERSION: return "NIM_SETVERSION";
    default: return "NIM_?";
  }
}
}  // namespace

bool TFakeShell::NotifyIcon(std::uint32_t message, const TNotifyIconData& data) {
  const auto key = std::make_pair(data.hWnd, data.uID);
  const bool present = FIcons.count(key) > 0;
  bool ok = false;
  if (FRunning && data.cbSize == TNotifyIconData::SystemSize) {
    switch (message) {
      case NIM_ADD:
        ok = !present;
        if (ok) FIcons[key] = data;
        break;
      case NIM_MODIFY:
        ok = present;
        if (ok) FIcons[key] = data;
        break;
      case NIM_DELETE:
        ok = present;
        if (ok) FIcons.erase(key);
        break;
      case NIM_SETVERSION:
        ok = present;
        if (ok) FIcons[key].uVersion = data.uVersion;
        break;
    }
  }
  NotifyCalls.push_back({message, data, ok});
  FLog.push_back(std::string(MessageName(message)) + (ok ? " ok" : " failed"));
  return ok;
}

std::string TFakeShell::CutToSystemBytes(const std::string& text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const auto lead = static_cast<unsigned char>(text[end]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (end + length > maxBytes) break;
    end += length;
  }
  return text.substr(0, end);
}

const TNotifyIconData* TFakeShell::FindIcon(TWnd window, std::uint32_t id) const {
  auto it = FIcons.find({window, id});
  return it == FIcons.end() ? nullptr : &it->second;
}

void TFakeShell::StopTaskbar() {
  FRunning = false;
  FIcons.clear();
}

void TFakeShell::StartTaskbar() {
  FRunning = true;
  FWindows.Broadcast(FWindows.SystemMessageName("TaskbarCreated"), 0, 0);
}
