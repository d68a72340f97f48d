#include "res/startup_texts.h"

#include "res/program_version.h"

namespace res {

std::string VersionText() { return std::string("Karoblen ") + kProgramVersion; }

std::string DataDirectoryFailureText(std::string_view why) {
  return "Karoblen cannot keep its scores in its data directory: " + std::string(why) + ".";
}

}  // namespace res
