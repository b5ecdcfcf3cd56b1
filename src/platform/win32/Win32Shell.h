// The Win32 adapters of the shell and icon ports: Shell_NotifyIconW with the Windows 2000
// form of NOTIFYICONDATAW, ShellExecuteW, the program's icon resources.
#pragma once

#include "platform/Icons.h"
#include "platform/Shell.h"

class TWin32Shell final : public IShell {
public:
  bool NotifyIcon(std::uint32_t message, const TNotifyIconData& data) override;
  std::string CutToSystemBytes(const std::string& text, std::size_t maxBytes) override;
  void RunShellVerb(TWnd owner, const std::string& verb, const std::string& file,
                    const std::string& parameters, const std::string& directory, int show) override;
};

class TWin32Icons final : public IIcons {
public:
  TIconHandle LoadIconResource(const std::string& name, int size) override;
  TIconHandle CloneIcon(TIconHandle icon) override;
  void ReleaseIcon(TIconHandle icon) override;
  int SmallIconSize() override;
};
