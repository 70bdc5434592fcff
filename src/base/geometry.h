// Points, sizes and rectangles in screen pixels, as the platform lays them out
// (a rectangle's right and bottom edges are outside it).
#pragma once

namespace tdialix {

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const TSize&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  // Grown on every side by d (shrunk when d is negative).
  TRect Inflated(int d) const { return {Left - d, Top - d, Right + d, Bottom + d}; }
  bool operator==(const TRect&) const = default;
};

}  // namespace tdialix
