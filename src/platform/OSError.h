// EOSError: a call into the system failed. It says what failed, the system's own words for
// why and the error code ("<what>: <system message> (error <code>)"), and carries the code.
// The code and the system's text come from the port that failed (its LastError and
// ErrorMessage), so nothing here needs the system's headers.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class EOSError : public std::runtime_error {
public:
  EOSError(const std::string& what, std::uint32_t code, const std::string& systemMessage)
      : std::runtime_error(Describe(what, code, systemMessage)), FCode(code) {}

  std::uint32_t ErrorCode() const noexcept { return FCode; }

private:
  // The system's text ends in a line break (and often spaces before it); without any text
  // left, the code alone says why.
  static std::string Describe(const std::string& what, std::uint32_t code,
                              const std::string& systemMessage) {
    const std::size_t end = systemMessage.find_last_not_of(" \t\r\n");
    const std::string reason = end == std::string::npos ? "" : systemMessage.substr(0, end + 1);
    const std::string error = "(error " + std::to_string(code) + ")";
    return reason.empty() ? what + " " + error : what + ": " + reason + " " + error;
  }
  std::uint32_t FCode;
};
