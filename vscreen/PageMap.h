// The pages of the virtual screen as the overview and the page indicator
// draw them: one look for both.
#pragma once
#include <windows.h>

#include "core/viewkeys.h"

namespace pagemap {

RECT ToRect(const core::Rect& r);
// A frame `width` pixels wide inside `r`, in a system colour.
void Frame(HDC dc, RECT r, int width, int colour);
// Every page as a light cell with a shadow line; the page `focused` (column
// + row * columns, -1 for none) with a focus rectangle.
void DrawPages(HDC dc, const core::OverviewScale& s, int focused);
// The view, the page the screen shows, framed in the highlight colour at
// its place (x, y) on the virtual screen.
void DrawView(HDC dc, const core::OverviewScale& s, int x, int y);

}  // namespace pagemap
