// The program's version, written here and nowhere else: converter.rc builds the
// version resource from it, and the release script and the installer script
// read it for the names of what they make.
#pragma once

#define CONVERTER_VERSION_MAJOR 1
#define CONVERTER_VERSION_MINOR 0
#define CONVERTER_VERSION_PATCH 0
