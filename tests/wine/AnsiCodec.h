// The system's ANSI code page (CP_ACP) as a codec for the INI engine, so that the engine
// reads and writes the same bytes as the private-profile functions it is compared with.
#pragma once

#include "platform/portable/TextCodec.h"

class TAnsiCodec final : public ITextCodec {
public:
  std::string ToUtf8(std::string_view bytes) const override;
  std::string FromUtf8(std::string_view utf8) const override;
};
