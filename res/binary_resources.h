// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pictures, icon and sounds, compiled in as complete files:
//   Bitmap 128 (IDB_TOOLBAR), 145 (IDB_TILESET), 149 (IDB_TILESYMBOLS):
//          Windows .bmp files, 4 bpp
//   Icon   128 (IDR_MAINFRAME): a .ico file holding one 32 x 32, 16-colour image
//   Wave   139, 140, 141, 144, 146 (SND_*): RIFF WAVE files, 8-bit mono PCM

#include <cstddef>
#include <cstdint>
#include <span>

namespace res {

enum class ResourceType { Bitmap, Icon, Wave };

// The file's bytes, or an empty span when there is no such resource.
std::span<const std::uint8_t> FindResource(ResourceType type, int id);

namespace detail {
struct EmbeddedFile {
  ResourceType type;
  int id;
  const std::uint8_t* data;
  std::size_t size;
};
// Defined in the source file generated at build time.
std::span<const EmbeddedFile> EmbeddedFiles();
}  // namespace detail

}  // namespace res
