#include "click/ClickKeys.h"

#include <algorithm>
#include <cstdio>

using namespace win;

std::vector<TClickHotKey> ClickHotKeyTable(const TClickKeys& keys) {
  const TShortCut s = keys.Start, e = keys.Stop;
  const TClickHotKey rows[] = {
      {s, TClickAction::Start},
      {static_cast<TShortCut>(s | scShift), TClickAction::Pin},
      {static_cast<TShortCut>(s | scShift | scCtrl), TClickAction::PinUnderCtrlLock},
      {e, TClickAction::Stop},
      {static_cast<TShortCut>(e | scShift), TClickAction::Release},
      {static_cast<TShortCut>(e | scCtrl), TClickAction::StopUnderCtrlLock},
      {static_cast<TShortCut>(e | scShift | scCtrl), TClickAction::ReleaseUnderCtrlLock},
  };
  std::vector<TClickHotKey> table;
  for (const TClickHotKey& row : rows)
    if (std::none_of(table.begin(), table.end(), [&](const TClickHotKey& r) { return r.Code == row.Code; }))
      table.push_back(row);
  return table;
}

namespace {
bool IsModifierKey(std::uint8_t vk) {
  return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_LWIN || vk == VK_RWIN ||
         (vk >= VK_LSHIFT && vk <= VK_RMENU);
}

TKeyProblem ProblemOf(TShortCut code) {
  const auto vk = static_cast<std::uint8_t>(code & 0xFF);
  if (vk == 0) return TKeyProblem::NoKey;
  if (IsModifierKey(vk)) return TKeyProblem::ModifierOnly;
  if (vk == VK_F12) return TKeyProblem::Reserved;
  return TKeyProblem::None;
}
}  // namespace

TKeyCheck CheckClickKeys(const TClickKeys& keys) {
  if (const TKeyProblem p = ProblemOf(keys.Start); p != TKeyProblem::None) return {p, false};
  if (const TKeyProblem p = ProblemOf(keys.Stop); p != TKeyProblem::None) return {p, true};
  // Each key must keep its own row: neither may be the other or a variant of it.
  const auto variants = [](TShortCut k, std::initializer_list<TShortCut> adds) {
    std::vector<TShortCut> out;
    for (TShortCut add : adds) out.push_back(static_cast<TShortCut>(k | add));
    return out;
  };
  const std::vector<TShortCut> ofStart = variants(keys.Start, {0, scShift, scShift | scCtrl});
  const std::vector<TShortCut> ofStop = variants(keys.Stop, {0, scShift, scCtrl, scShift | scCtrl});
  if (std::find(ofStart.begin(), ofStart.end(), keys.Stop) != ofStart.end() ||
      std::find(ofStop.begin(), ofStop.end(), keys.Start) != ofStop.end())
    return {TKeyProblem::SameKey, true};
  return {};
}

std::string KeyProblemText(const TKeyCheck& check, const TClickKeys& keys) {
  const std::string which = check.StopKey ? "停止キー" : "開始キー";
  const std::string key = ShortCutText(check.StopKey ? keys.Stop : keys.Start);
  switch (check.Problem) {
    case TKeyProblem::None: return {};
    case TKeyProblem::NoKey: return which + "を選んでください。";
    case TKeyProblem::ModifierOnly: return which + "に Shift、Ctrl、Alt だけは使えません。ほかのキーと組み合わせてください。";
    case TKeyProblem::Reserved: return key + " はシステムが予約しているため使えません。別のキーを選んでください。";
    case TKeyProblem::SameKey:
      return "開始キーと停止キーが重なります（Shift や Ctrl との組み合わせも含みます）。別のキーを選んでください。";
  }
  return {};
}

TShortCut ShortCutOfFieldValue(std::uint16_t value) {
  const auto flags = static_cast<std::uint8_t>(value >> 8);
  TShortCut code = value & 0xFF;
  if (flags & HOTKEYF_SHIFT) code |= scShift;
  if (flags & HOTKEYF_CONTROL) code |= scCtrl;
  if (flags & HOTKEYF_ALT) code |= scAlt;
  return code;
}

std::uint16_t FieldValueOfShortCut(TShortCut code) {
  std::uint8_t flags = 0;
  if (code & scShift) flags |= HOTKEYF_SHIFT;
  if (code & scCtrl) flags |= HOTKEYF_CONTROL;
  if (code & scAlt) flags |= HOTKEYF_ALT;
  return static_cast<std::uint16_t>((flags << 8) | (code & 0xFF));
}

namespace {
std::string KeyText(std::uint8_t vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  if (vk >= VK_F1 && vk < VK_F1 + 24) return "F" + std::to_string(vk - VK_F1 + 1);
  if (vk >= 0x60 && vk <= 0x69) return "Num " + std::to_string(vk - 0x60);
  static const struct { std::uint8_t Vk; const char* Name; } names[] = {
      {0x08, "Backspace"}, {0x09, "Tab"},      {0x0D, "Enter"},        {0x13, "Pause"},     {0x14, "Caps Lock"},
      {0x1B, "Esc"},       {0x20, "Space"},    {0x21, "Page Up"},      {0x22, "Page Down"}, {0x23, "End"},
      {0x24, "Home"},      {0x25, "Left"},     {0x26, "Up"},           {0x27, "Right"},     {0x28, "Down"},
      {0x2C, "Print Screen"}, {0x2D, "Insert"}, {0x2E, "Delete"},      {0x6A, "Num *"},     {0x6B, "Num +"},
      {0x6D, "Num -"},     {0x6E, "Num ."},    {0x6F, "Num /"},        {0x90, "Num Lock"},  {0x91, "Scroll Lock"},
      {0xBA, ";"},         {0xBB, "="},        {0xBC, ","},            {0xBD, "-"},         {0xBE, "."},
      {0xBF, "/"},         {0xC0, "`"},        {0xDB, "["},            {0xDC, "\\"},        {0xDD, "]"},
      {0xDE, "'"}};
  for (const auto& n : names)
    if (n.Vk == vk) return n.Name;
  char text[16];
  std::snprintf(text, sizeof text, "Key %02X", vk);
  return text;
}
}  // namespace

std::string ShortCutText(TShortCut code) {
  std::string text;
  if (code & scCtrl) text += "Ctrl+";
  if (code & scShift) text += "Shift+";
  if (code & scAlt) text += "Alt+";
  return text + KeyText(static_cast<std::uint8_t>(code & 0xFF));
}
