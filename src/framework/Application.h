// TApplication: the hidden application window, the message loop, and the one place where an
// error raised by an event handler ends: it is shown in a message box and the program goes on.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "platform/System.h"

// The text of an error as the user sees it: a full stop is added unless the text already
// ends in one or in a closing bracket.
std::string ErrorMessageText(const std::string& message);

class TApplication : private IMessageHandler {
public:
  static constexpr const char* WindowClassName = "TApplication";

  TApplication(TSystem& system, std::string title);
  ~TApplication() override;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  TWnd Handle() const { return FHandle; }
  // The owner of the program's message boxes: its window that is in front, so that a box is
  // modal to it and comes up in front of it; the application window when none is.
  TWnd MessageBoxOwner() const;
  const std::string& Title() const { return FTitle; }
  std::string HelpFile;
  // The main form's window once the program has made it (0 before), and whether it is to
  // be shown at start.
  TWnd MainFormHandle = 0;
  bool ShowMainForm = true;

  // What closing the application window does (the main form's close); ends the loop if unset.
  std::function<void()> OnClose;

  int Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  void HandleException(std::exception_ptr error);
  void ShowException(const std::string& message);

private:
  TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

  TSystem& FSystem;
  std::string FTitle;
  TWnd FHandle = 0;
  bool FTerminated = false;
};
