#include "settings/IniFile.h"

#include "framework/StrToInt.h"

std::string SingleLineValue(const std::string& value) {
  return value.substr(0, value.find_first_of("\r\n"));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) {
  return FProfile.ReadIniString(section, key, defaultValue, FPath, 2048);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  if (!FProfile.WriteIniString(section, key, SingleLineValue(value), FPath))
    throw EIniFileError(FPath + " に書き込めません");
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) {
  return StrToIntDef(ReadString(section, key, ""), defaultValue);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) {
  // A default no stored value starts with tells a missing key.
  return FProfile.ReadIniString(section, key, "\x01", FPath) != "\x01";
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  if (!FProfile.DeleteIniKey(section, key, FPath)) throw EIniFileError(FPath + " に書き込めません");
}
