#include "platform/win32/Win32Shell.h"

#include "platform/win32/Win32.h"

#include <shellapi.h>

#include <algorithm>

static_assert(TNotifyIconData::SystemSize == NOTIFYICONDATAW_V2_SIZE,
              "the portable record's size must be the system's for this pointer width");

namespace {
// Copies text into a fixed buffer, always leaving room for the terminating null.
template <std::size_t N>
void CopyText(WCHAR (&buffer)[N], const std::string& text) {
  const std::wstring wide = Widen(text);
  const std::size_t count = std::min(wide.size(), N - 1);
  std::copy_n(wide.data(), count, buffer);
  buffer[count] = L'\0';
}
}  // namespace

bool TWin32Shell::NotifyIcon(std::uint32_t message, const TNotifyIconData& data) {
  NOTIFYICONDATAW nid{};
  nid.cbSize = data.cbSize;
  nid.hWnd = ToHwnd(data.hWnd);
  nid.uID = data.uID;
  nid.uFlags = data.uFlags;
  nid.uCallbackMessage = data.uCallbackMessage;
  nid.hIcon = reinterpret_cast<HICON>(data.hIcon);
  CopyText(nid.szTip, data.szTip);
  nid.dwState = data.dwState;
  nid.dwStateMask = data.dwStateMask;
  CopyText(nid.szInfo, data.szInfo);
  nid.uVersion = data.uVersion;
  CopyText(nid.szInfoTitle, data.szInfoTitle);
  nid.dwInfoFlags = data.dwInfoFlags;
  return ::Shell_NotifyIconW(message, &nid) != 0;
}

std::string TWin32Shell::CutToSystemBytes(const std::string& text, std::size_t maxBytes) {
  const std::wstring wide = Widen(text);
  std::size_t bytes = 0;
  std::size_t end = 0;
  while (end < wide.size()) {
    // A character outside the BMP is two UTF-16 units and converts as one.
    const int units = IS_HIGH_SURROGATE(wide[end]) && end + 1 < wide.size() ? 2 : 1;
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data() + end, units, nullptr, 0, nullptr, nullptr);
    if (length <= 0 || bytes + static_cast<std::size_t>(length) > maxBytes) break;
    bytes += static_cast<std::size_t>(length);
    end += static_cast<std::size_t>(units);
  }
  return Narrow(wide.substr(0, end));
}

TIconHandle TWin32Icons::LoadIconResource(const std::string& name, int size) {
  HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), Widen(name).c_str(), IMAGE_ICON, size,
                             size, LR_DEFAULTCOLOR);
  return reinterpret_cast<TIconHandle>(icon);
}

TIconHandle TWin32Icons::CloneIcon(TIconHandle icon) {
  return icon ? reinterpret_cast<TIconHandle>(::CopyIcon(reinterpret_cast<HICON>(icon))) : 0;
}

void TWin32Icons::ReleaseIcon(TIconHandle icon) {
  if (icon) ::DestroyIcon(reinterpret_cast<HICON>(icon));
}

int TWin32Icons::SmallIconSize() { return ::GetSystemMetrics(SM_CXSMICON); }

void TWin32Shell::RunShellVerb(TWnd owner, const std::string& verb, const std::string& file,
                               const std::string& parameters, const std::string& directory, int show) {
  // Empty parameters and directory go as none.
  const std::wstring w[] = {Widen(verb), Widen(file), Widen(parameters), Widen(directory)};
  ::ShellExecuteW(ToHwnd(owner), w[0].c_str(), w[1].c_str(), parameters.empty() ? nullptr : w[2].c_str(),
                  directory.empty() ? nullptr : w[3].c_str(), show);
}
