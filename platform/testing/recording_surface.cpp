// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/testing/recording_surface.h"

#include <string>

void CRecordingSurface::Blit(int x, int y, int width, int height, int bitmapId, int srcX,
                             int srcY) {
  calls.push_back({Call::Blit, x, y, width, height, bitmapId, srcX, srcY, 0});
}

void CRecordingSurface::BlitKeyed(int x, int y, int width, int height, int bitmapId, int srcX,
                                  int srcY, COLORREF key) {
  calls.push_back({Call::Keyed, x, y, width, height, bitmapId, srcX, srcY, key});
}

void CRecordingSurface::Fill(int x, int y, int width, int height, COLORREF colour) {
  calls.push_back({Call::Fill, x, y, width, height, 0, 0, 0, colour});
}

void CRecordingSurface::FocusFrame(int x, int y, int width, int height) {
  calls.push_back({Call::Focus, x, y, width, height, 0, 0, 0, 0});
}

std::vector<std::string> CRecordingSurface::Describe() const {
  std::vector<std::string> lines;
  for (const Call& c : calls) {
    static constexpr const char* kKinds[] = {"blit ", "fill ", "focus ", "keyed "};
    std::string line = kKinds[c.kind];
    line += std::to_string(c.x) + "," + std::to_string(c.y) + " " + std::to_string(c.width) + "x" +
            std::to_string(c.height);
    if (c.kind == Call::Blit || c.kind == Call::Keyed)
      line += " bitmap " + std::to_string(c.bitmapId) + " from " + std::to_string(c.srcX) + "," +
              std::to_string(c.srcY);
    if (c.kind == Call::Fill || c.kind == Call::Keyed)
      line += " rgb(" + std::to_string(GetRValue(c.colour)) + "," +
              std::to_string(GetGValue(c.colour)) + "," + std::to_string(GetBValue(c.colour)) + ")";
    lines.push_back(line);
  }
  return lines;
}
