// The catalogue's numbers (platform/WinApi.h) against the system headers', at compile time:
// a value typed wrong there fails the Windows build here. The values are taken while the
// names are still ours, before <windows.h> turns them into its macros; then each is compared
// with the macro or constant of the same name. std::cmp_equal compares the numbers
// themselves, whatever the signedness and width on either side (WS_POPUP is an unsigned long
// there, THREAD_PRIORITY_IDLE a negative int).
// Nothing here makes code; it is compiled into the program only for the check.
#include <utility>

#include "platform/WinApi.h"

namespace {
#define VANTREL_WINAPI(NAME) constexpr auto Ours_##NAME = win::NAME;
#include "platform/WinApiNames.h"
#undef VANTREL_WINAPI
}  // namespace

#include <windows.h>

#include <commctrl.h>
#include <imm.h>  // GCS_RESULTSTR
#include <shellapi.h>

#define VANTREL_WINAPI(NAME) static_assert(std::cmp_equal(Ours_##NAME, (NAME)), #NAME);
#include "platform/WinApiNames.h"
#undef VANTREL_WINAPI
