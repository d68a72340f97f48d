// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the board off a screenshot of the game, and predicts what a click
// must leave, for the end-to-end script. Grids are printed one board row per
// line, a character per cell: '0'-'4' the tile kind, '.' empty, '?' unknown.
//
//   board_probe locate SHOT.ppm COLUMNS ROWS   -> "X Y", the board's top-left pixel
//   board_probe read SHOT.ppm X Y COLUMNS ROWS -> grid
//   board_probe pick GRID_FILE                 -> "COLUMN ROW" of a removable group
//   board_probe after GRID_FILE COLUMN ROW     -> grid after removing and settling
//   board_probe group GRID_FILE COLUMN ROW     -> the size of that cell's group
//   board_probe largest GRID_FILE              -> "COLUMN ROW SIZE" of a largest group
//   board_probe busiest GRID_FILE              -> "COLUMN ROW STEPS CLOSES" of the move
//                                                 with the most settling steps that
//                                                 does not end the game
//   board_probe settling GRID_FILE COLUMN ROW  -> "STEPS CLOSES" of that move
//   board_probe smallest GRID_FILE             -> "COLUMN ROW SIZE" of a smallest group
//   board_probe again GRID_FILE                -> "COLUMN ROW" of a group whose removal
//                                                 leaves that cell in a group again
//   board_probe cursor SHOT.ppm X Y COLUMNS ROWS -> "COLUMN ROW" of the cell with the
//                                                 keyboard's focus frame
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kTile = 40;
// Every picture keeps its face on pixels 6-31 of both axes, whatever its joins.
constexpr int kFaceFirst = 6;
constexpr int kFaceLast = 31;

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

// Face colours of kinds 0-4, and the fill of an empty cell.
constexpr std::array<Rgb, 5> kKindColours{
    {{255, 70, 58}, {26, 46, 255}, {255, 220, 0}, {0, 168, 0}, {90, 90, 90}}};
constexpr Rgb kEmptyColour{192, 192, 192};

struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  Rgb At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// Binary PPM (P6, maxval 255), as ImageMagick writes it.
std::optional<Image> LoadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxval = 0;
  Image image;
  in >> magic >> image.width >> image.height >> maxval;
  if (!in || magic != "P6" || maxval != 255) return std::nullopt;
  in.get();
  image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  in.read(reinterpret_cast<char*>(image.rgb.data()),
          static_cast<std::streamsize>(image.rgb.size()));
  if (!in) return std::nullopt;
  return image;
}

int KindOf(Rgb colour) {
  for (int k = 0; k < static_cast<int>(kKindColours.size()); ++k)
    if (kKindColours[k] == colour) return k;
  return -1;
}

char CellChar(Rgb colour) {
  const int kind = KindOf(colour);
  if (kind >= 0) return static_cast<char>('0' + kind);
  return colour == kEmptyColour ? '.' : '?';
}

// True when every cell of a full board at origin (x, y) shows a whole face.
bool IsFullBoardAt(const Image& image, int x, int y, int columns, int rows) {
  if (!image.Inside(x, y) || !image.Inside(x + columns * kTile - 1, y + rows * kTile - 1))
    return false;
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) {
      const int left = x + c * kTile, top = y + r * kTile;
      const Rgb face = image.At(left + kFaceFirst, top + kFaceFirst);
      if (KindOf(face) < 0) return false;
      for (int dy = kFaceFirst; dy <= kFaceLast; dy += 5)
        for (int dx = kFaceFirst; dx <= kFaceLast; dx += 5)
          if (!(image.At(left + dx, top + dy) == face)) return false;
      if (!(image.At(left + kFaceLast, top + kFaceLast) == face)) return false;
    }
  }
  return true;
}

using Grid = std::vector<std::string>;

Grid LoadGrid(const std::string& path) {
  std::ifstream in(path);
  Grid grid;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) grid.push_back(line);
  return grid;
}

void PrintGrid(const Grid& grid) {
  for (const std::string& row : grid) std::cout << row << '\n';
}

std::vector<std::pair<int, int>> GroupAt(const Grid& grid, int column, int row) {
  const char kind = grid[row][column];
  std::vector<std::pair<int, int>> group;
  if (kind < '0' || kind > '4') return group;
  std::vector<std::string> seen(grid.size(), std::string(grid[0].size(), 0));
  std::vector<std::pair<int, int>> stack{{column, row}};
  seen[row][column] = 1;
  while (!stack.empty()) {
    auto [c, r] = stack.back();
    stack.pop_back();
    group.emplace_back(c, r);
    const int next[4][2] = {{c, r - 1}, {c + 1, r}, {c, r + 1}, {c - 1, r}};
    for (const auto& n : next) {
      const int nc = n[0], nr = n[1];
      if (nr < 0 || nc < 0 || nr >= static_cast<int>(grid.size()) ||
          nc >= static_cast<int>(grid[0].size()))
        continue;
      if (seen[nr][nc] || grid[nr][nc] != kind) continue;
      seen[nr][nc] = 1;
      stack.emplace_back(nc, nr);
    }
  }
  return group;
}

// Removes the group, lets tiles fall, then closes empty columns to the left.
Grid After(Grid grid, int column, int row) {
  const auto group = GroupAt(grid, column, row);
  if (group.size() < 2) return grid;
  for (auto [c, r] : group) grid[r][c] = '.';
  const int rows = static_cast<int>(grid.size());
  const int columns = static_cast<int>(grid[0].size());
  std::vector<std::string> kept;  // columns bottom-up, empty ones dropped
  for (int c = 0; c < columns; ++c) {
    std::string tiles;
    for (int r = rows - 1; r >= 0; --r)
      if (grid[r][c] != '.') tiles += grid[r][c];
    if (!tiles.empty()) kept.push_back(tiles);
  }
  Grid out(rows, std::string(columns, '.'));
  for (int c = 0; c < static_cast<int>(kept.size()); ++c)
    for (int i = 0; i < static_cast<int>(kept[c].size()); ++i) out[rows - 1 - i][c] = kept[c][i];
  return out;
}

// A group of exactly two when there is one, lowest on the board first so that
// tiles have to fall into the gap; otherwise any group.
std::optional<std::pair<int, int>> Pick(const Grid& grid) {
  std::optional<std::pair<int, int>> fallback;
  for (int r = static_cast<int>(grid.size()) - 1; r >= 1; --r) {
    for (int c = 0; c < static_cast<int>(grid[r].size()); ++c) {
      const std::size_t n = GroupAt(grid, c, r).size();
      if (n == 2) return std::make_pair(c, r);
      if (n > 2 && !fallback) fallback = std::make_pair(c, r);
    }
  }
  return fallback;
}

// The largest group, lowest and leftmost among equals; playing these first
// keeps a small board with few kinds well above a score of zero.
std::optional<std::pair<std::pair<int, int>, std::size_t>> Largest(const Grid& grid) {
  std::optional<std::pair<std::pair<int, int>, std::size_t>> best;
  for (int r = static_cast<int>(grid.size()) - 1; r >= 0; --r)
    for (int c = 0; c < static_cast<int>(grid[r].size()); ++c) {
      const std::size_t n = GroupAt(grid, c, r).size();
      if (n >= 2 && (!best || n > best->second)) best = std::make_pair(std::make_pair(c, r), n);
    }
  return best;
}

// The smallest group, lowest and leftmost among equals: the move that leaves
// the most of the game to play.
std::optional<std::pair<std::pair<int, int>, std::size_t>> Smallest(const Grid& grid) {
  std::optional<std::pair<std::pair<int, int>, std::size_t>> best;
  for (int r = static_cast<int>(grid.size()) - 1; r >= 0; --r)
    for (int c = 0; c < static_cast<int>(grid[r].size()); ++c) {
      const std::size_t n = GroupAt(grid, c, r).size();
      if (n >= 2 && (!best || n < best->second)) best = std::make_pair(std::make_pair(c, r), n);
    }
  return best;
}

// How a move settles: the columns where tiles have to fall (one settling step
// each), and whether empty columns are closed up afterwards.
std::pair<int, bool> Settling(Grid grid, int column, int row) {
  const auto group = GroupAt(grid, column, row);
  for (auto [c, r] : group) grid[r][c] = '.';
  int steps = 0;
  bool closes = false, emptySeen = false;
  for (int c = 0; c < static_cast<int>(grid[0].size()); ++c) {
    bool hole = false, falls = false, any = false;
    for (int r = static_cast<int>(grid.size()) - 1; r >= 0; --r) {
      if (grid[r][c] == '.')
        hole = true;
      else
        any = true, falls = falls || hole;
    }
    steps += falls;
    if (any && emptySeen) closes = true;
    emptySeen = emptySeen || !any;
  }
  return {steps, closes};
}

// Of the moves that leave another, the one with the most settling steps; one
// that also closes columns first.
std::optional<std::pair<std::pair<int, int>, std::pair<int, bool>>> Busiest(const Grid& grid) {
  std::optional<std::pair<std::pair<int, int>, std::pair<int, bool>>> best;
  for (int r = 0; r < static_cast<int>(grid.size()); ++r)
    for (int c = 0; c < static_cast<int>(grid[r].size()); ++c) {
      if (GroupAt(grid, c, r).size() < 2 || !Largest(After(grid, c, r))) continue;
      const auto settling = Settling(grid, c, r);
      if (!best || settling > best->second) best = std::make_pair(std::make_pair(c, r), settling);
    }
  return best;
}

// A cell that a second press would play again: removing its group leaves
// another group of two or more under it.
std::optional<std::pair<int, int>> Again(const Grid& grid) {
  for (int r = static_cast<int>(grid.size()) - 1; r >= 0; --r)
    for (int c = 0; c < static_cast<int>(grid[r].size()); ++c)
      if (GroupAt(grid, c, r).size() >= 2 && GroupAt(After(grid, c, r), c, r).size() >= 2)
        return std::make_pair(c, r);
  return std::nullopt;
}

// The focus frame: two-pixel squares, black and white in turn, along the
// cell's sides two pixels in. No tile picture has such a pattern.
bool HasFocusFrame(const Image& image, int left, int top) {
  constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};
  for (int k = 0; k < 18; ++k) {
    const Rgb dot = k % 2 == 0 ? kBlack : kWhite;
    const int along = 2 + 2 * k;
    if (!(image.At(left + along, top + 2) == dot) || !(image.At(left + 2, top + along) == dot))
      return false;
  }
  return true;
}

int Usage() {
  std::cerr
      << "usage: board_probe "
         "locate|read|pick|after|group|largest|smallest|busiest|settling|again|cursor|ink ...\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  if (command == "locate" && argc == 5) {
    const auto image = LoadPpm(argv[2]);
    if (!image) return 1;
    const int columns = std::atoi(argv[3]), rows = std::atoi(argv[4]);
    // The first face pixel in reading order belongs to the top-left cell.
    for (int y = 0; y < image->height; ++y)
      for (int x = 0; x < image->width; ++x)
        if (KindOf(image->At(x, y)) >= 0 &&
            IsFullBoardAt(*image, x - kFaceFirst, y - kFaceFirst, columns, rows)) {
          std::cout << x - kFaceFirst << ' ' << y - kFaceFirst << '\n';
          return 0;
        }
    return 1;
  }
  if (command == "read" && argc == 7) {
    const auto image = LoadPpm(argv[2]);
    if (!image) return 1;
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    const int columns = std::atoi(argv[5]), rows = std::atoi(argv[6]);
    Grid grid(rows, std::string(columns, '?'));
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c) {
        const int cx = x + c * kTile + kTile / 2, cy = y + r * kTile + kTile / 2;
        if (image->Inside(cx, cy)) grid[r][c] = CellChar(image->At(cx, cy));
      }
    PrintGrid(grid);
    return 0;
  }
  if (command == "pick" && argc == 3) {
    const auto cell = Pick(LoadGrid(argv[2]));
    if (!cell) return 1;
    std::cout << cell->first << ' ' << cell->second << '\n';
    return 0;
  }
  if ((command == "largest" || command == "smallest") && argc == 3) {
    const Grid grid = LoadGrid(argv[2]);
    const auto group = command == "largest" ? Largest(grid) : Smallest(grid);
    if (!group) return 1;
    std::cout << group->first.first << ' ' << group->first.second << ' ' << group->second << '\n';
    return 0;
  }
  if (command == "busiest" && argc == 3) {
    const auto move = Busiest(LoadGrid(argv[2]));
    if (!move) return 1;
    std::cout << move->first.first << ' ' << move->first.second << ' ' << move->second.first << ' '
              << move->second.second << '\n';
    return 0;
  }
  if (command == "settling" && argc == 5) {
    const Grid grid = LoadGrid(argv[2]);
    if (grid.empty()) return 1;
    const auto [steps, closes] = Settling(grid, std::atoi(argv[3]), std::atoi(argv[4]));
    std::cout << steps << ' ' << closes << '\n';
    return 0;
  }
  if (command == "group" && argc == 5) {
    const Grid grid = LoadGrid(argv[2]);
    if (grid.empty()) return 1;
    std::cout << GroupAt(grid, std::atoi(argv[3]), std::atoi(argv[4])).size() << '\n';
    return 0;
  }
  if (command == "again" && argc == 3) {
    const auto cell = Again(LoadGrid(argv[2]));
    if (!cell) return 1;
    std::cout << cell->first << ' ' << cell->second << '\n';
    return 0;
  }
  if (command == "cursor" && argc == 7) {
    const auto image = LoadPpm(argv[2]);
    if (!image) return 1;
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    const int columns = std::atoi(argv[5]), rows = std::atoi(argv[6]);
    if (!image->Inside(x, y) || !image->Inside(x + columns * kTile - 1, y + rows * kTile - 1))
      return 1;
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c)
        if (HasFocusFrame(*image, x + c * kTile, y + r * kTile)) {
          std::cout << c << ' ' << r << '\n';
          return 0;
        }
    return 1;
  }
  // The first and last column of dark pixels (text) in a strip of the
  // screen: where a menu bar's words stand.
  if (command == "ink" && argc == 7) {
    const auto image = LoadPpm(argv[2]);
    if (!image) return 1;
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    const int width = std::atoi(argv[5]), height = std::atoi(argv[6]);
    int first = -1, last = -1;
    for (int cx = x; cx < x + width; ++cx)
      for (int cy = y; cy < y + height; ++cy) {
        if (!image->Inside(cx, cy)) continue;
        const Rgb p = image->At(cx, cy);
        if (p.r + p.g + p.b >= 3 * 96) continue;
        if (first < 0) first = cx - x;
        last = cx - x;
        break;
      }
    if (first < 0) return 1;
    std::cout << first << ' ' << last << '\n';
    return 0;
  }
  if (command == "after" && argc == 5) {
    const Grid grid = LoadGrid(argv[2]);
    if (grid.empty()) return 1;
    PrintGrid(After(grid, std::atoi(argv[3]), std::atoi(argv[4])));
    return 0;
  }
  return Usage();
}
