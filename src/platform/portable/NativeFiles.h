// Real files through the C++ library, for the INI engine: native builds use it in
// production, the Wine differential test on Windows.
#pragma once

#include "platform/portable/Files.h"

class TNativeFiles final : public IFiles {
public:
  std::optional<std::string> Load(const std::string& path) override;
  bool Save(const std::string& path, const std::string& bytes) override;
};
