// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbar_art.h"

namespace resgen {
namespace {

// Indexes into StandardPalette().
constexpr std::uint8_t kBlack = 0, kNavy = 4, kSilver = 7, kGrey = 8, kBlue = 12, kYellow = 11,
                       kWhite = 15;

const std::string kKey = "kwgybB";
const std::vector<std::uint8_t> kColours = {kBlack, kWhite, kGrey, kYellow, kNavy, kBlue};

// A blank sheet with a folded corner.
const std::vector<std::string> kNewGame = {
    "                ", "   kkkkkkkk     ", "   kwwwwwwkk    ", "   kwwwwwwkwk   ",
    "   kwwwwwwkkkk  ", "   kwwwwwwwggk  ", "   kwwwwwwwwwk  ", "   kwwwwwwwwwk  ",
    "   kwwwwwwwwwk  ", "   kwwwwwwwwwk  ", "   kwwwwwwwwwk  ", "   kwwwwwwwwwk  ",
    "   kwwwwwwwwwk  ", "   kkkkkkkkkkk  ", "                ",
};

// An arrow that curves round and points back to the left.
const std::vector<std::string> kUndo = {
    "                ", "                ", "    b           ", "   bb           ",
    "  bBbbbbbbb     ", " bBBBBBBBBbb    ", "  bBbbbbbbBBb   ", "   bb     bBBb  ",
    "    b      bBb  ", "           bBb  ", "          bBBb  ", "        bbBBb   ",
    "       bBBbb    ", "       bbb      ", "                ",
};

// A yellow question mark with a dark edge.
const std::vector<std::string> kAbout = {
    "     kkkkkk     ", "    kyyyyyyk    ", "   kyyykkyyyk   ", "   kyyk  kyyyk  ",
    "    kk   kyyyk  ", "        kyyyk   ", "       kyyyk    ", "      kyyyk     ",
    "      kyyk      ", "      kyyk      ", "       kk       ", "      kkkk      ",
    "      kyyk      ", "      kyyk      ", "       kk       ",
};

}  // namespace

IndexedImage DrawToolbar() {
  IndexedImage strip(48, 15, kSilver);
  strip.drawPattern(0, 0, kNewGame, kKey, kColours);
  strip.drawPattern(16, 0, kUndo, kKey, kColours);
  strip.drawPattern(32, 0, kAbout, kKey, kColours);
  return strip;
}

}  // namespace resgen
