// Windows paths taken apart by one set of rules: the folder ends at the last '\', '/' or
// ':' (a drive-relative "C:name" has the folder "C:"), and the extension is the file name's
// last '.' and what follows it. The program's own path is cut with these for the
// single-instance mutex, the settings file and the help file.
#pragma once

#include <string>

// The folder with its closing separator ("C:\Games\"), or "" for a bare name.
std::string ExtractFilePath(const std::string& path);
// The file name with its extension ("Vantrel.exe").
std::string ExtractFileName(const std::string& path);
// The path with its file name's extension replaced by ext (which brings its own '.'), or
// with ext added where the name has none: ChangeFileExt("C:\a.b\Vantrel", ".ini") is
// "C:\a.b\Vantrel.ini".
std::string ChangeFileExt(const std::string& path, const std::string& ext);
