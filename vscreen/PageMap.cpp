#include "vscreen/PageMap.h"

namespace pagemap {

RECT ToRect(const core::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void Frame(HDC dc, RECT r, int width, int colour) {
  HBRUSH brush = GetSysColorBrush(colour);
  for (int i = 0; i < width; ++i) {
    FrameRect(dc, &r, brush);
    InflateRect(&r, -1, -1);
  }
}

void DrawPages(HDC dc, const core::OverviewScale& s, int focused) {
  for (int page = 0; page < s.cols * s.rows; ++page) {
    const int x = page % s.cols * s.pageWidth, y = page / s.cols * s.pageHeight;
    RECT r = ToRect(core::ToOverview(s, {x, y, x + s.pageWidth, y + s.pageHeight}));
    FillRect(dc, &r, GetSysColorBrush(COLOR_3DLIGHT));
    Frame(dc, r, 1, COLOR_3DSHADOW);
    if (page == focused) {
      InflateRect(&r, -3, -3);
      DrawFocusRect(dc, &r);
    }
  }
}

void DrawView(HDC dc, const core::OverviewScale& s, int x, int y) {
  Frame(dc, ToRect(core::ToOverview(s, {x, y, x + s.pageWidth, y + s.pageHeight})), 3,
        COLOR_HIGHLIGHT);
}

}  // namespace pagemap
