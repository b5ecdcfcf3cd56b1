// The private-profile functions without Windows: IProfile over whole files, with the results
// and the file bytes that GetPrivateProfileString and WritePrivateProfileString give under
// Wine, the reference platform (tests/wine runs both side by side and compares them).
#pragma once

#include "platform/Profile.h"
#include "platform/portable/Files.h"
#include "platform/portable/TextCodec.h"

class TIniEngine final : public IProfile {
public:
  // Files in UTF-8, or in whatever a BOM at their start says.
  explicit TIniEngine(IFiles& files);
  // Files without a BOM are in the codec's code page.
  TIniEngine(IFiles& files, const ITextCodec& codec);

  std::string ReadIniString(const std::string& section, const std::string& key,
                            const std::string& defaultValue, const std::string& path,
                            std::size_t bufferSize = 2048) override;
  bool WriteIniString(const std::string& section, const std::string& key,
                      const std::string& value, const std::string& path) override;
  bool DeleteIniKey(const std::string& section, const std::string& key, const std::string& path) override;
  // Every write is on disk when WriteIniString returns: nothing is cached.
  void FlushIni(const std::string& path) override;

private:
  IFiles& FFiles;
  const ITextCodec& FCodec;
};
