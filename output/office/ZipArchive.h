#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::office {

// The parts of a zip package in the order they are stored, each with its bytes.
using ZipParts = std::vector<std::pair<std::string, std::string>>;

// A zip archive of the parts, deflated, every entry dated 1980-01-01 so that the same parts
// always give the same bytes. Throws UserError when the archive cannot be made.
std::string zipArchive(const ZipParts& parts);

// The parts of a zip archive by name; throws UserError when the bytes are no archive.
std::map<std::string, std::string> unzipArchive(const std::string& bytes);

}  // namespace kestrune::office
