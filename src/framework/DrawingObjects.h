// Fonts and bitmaps of the drawing port that an object owns: released (DeleteObject) when
// the owner lets go of them, exactly once, whatever way it ends.
#pragma once

#include <utility>

#include "platform/Drawing.h"

template <class THandle, void (IDrawing::*ReleaseObject)(THandle)>
class TOwnedDrawingObject {
public:
  TOwnedDrawingObject() = default;
  // Takes handle over (0: none).
  TOwnedDrawingObject(IDrawing& drawing, THandle handle) : FDrawing(&drawing), FHandle(handle) {}
  ~TOwnedDrawingObject() { Reset(); }
  TOwnedDrawingObject(TOwnedDrawingObject&& other) noexcept
      : FDrawing(other.FDrawing), FHandle(std::exchange(other.FHandle, THandle{})) {}
  TOwnedDrawingObject& operator=(TOwnedDrawingObject&& other) noexcept {
    if (this != &other) {
      Reset();
      FDrawing = other.FDrawing;
      FHandle = std::exchange(other.FHandle, THandle{});
    }
    return *this;
  }
  TOwnedDrawingObject(const TOwnedDrawingObject&) = delete;
  TOwnedDrawingObject& operator=(const TOwnedDrawingObject&) = delete;

  THandle Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != THandle{}; }
  // Releases the object now; the owner holds none afterwards.
  void Reset() {
    if (FHandle != THandle{}) (FDrawing->*ReleaseObject)(std::exchange(FHandle, THandle{}));
  }

private:
  IDrawing* FDrawing = nullptr;
  THandle FHandle{};
};

using TOwnedFont = TOwnedDrawingObject<TFontHandle, &IDrawing::ReleaseFont>;
using TOwnedBitmap = TOwnedDrawingObject<TBitmapHandle, &IDrawing::ReleaseBitmap>;
