// Files and text as the drivers read them: whole files as bytes, a key of an INI file, and
// UTF-8 and UTF-16 text.
#pragma once

#include <string>

namespace kit {

bool ReadBytes(const std::wstring& path, std::string& bytes);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// A key's value as the INI file at path holds it now (the first section that has it);
// "(none)" when it has none.
std::string IniValue(const std::wstring& path, const char* key);

std::string Utf8(const std::wstring& w);
std::wstring Wide(const std::string& s);

}  // namespace kit
