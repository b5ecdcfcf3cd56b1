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
  Log.push_back(std::string(MessageName(message)) + (ok ? " ok" : " failed"));
  return ok;
}

std::uint32_t TFakeShell::RegisterMessageName(const std::string& name) {
  Log.push_back("RegisterWindowMessage " + name);
  auto [it, added] = FMessages.try_emplace(name, FNextMessage);
  if (added) ++FNextMessage;
  return it->second;
}

std::uint32_t TFakeShell::MessageId(const std::string& name) const {
  auto it = FMessages.find(name);
  return it == FMessages.end() ? 0 : it->second;
}

std::int16_t TFakeShell::GetAsyncKeyState(int vk) {
  return KeysDown.count(vk) ? static_cast<std::int16_t>(0x8000) : 0;
}

bool TFakeShell::SetForegroundWindow(TWnd window) {
  Log.push_back("SetForegroundWindow " + std::to_string(window));
  if (!FWindows.IsWindow(window)) return false;
  Foreground = window;
  return true;
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
  auto [it, added] = FMessages.try_emplace("TaskbarCreated", FNextMessage);
  if (added) ++FNextMessage;
  FWindows.Broadcast(it->second, 0, 0);
}
