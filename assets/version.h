// The program's version and the publisher's names, written here and nowhere
// else: converter.rc builds the version resource from it, the About box its
// title, and the release script and the installer script read it for the
// names, version resource and Add/Remove Programs entry of what they make.
// (The installer script reads the lines as they stand: keep each value a
// plain number or a plain quoted text on its own #define line.)
#pragma once

#define CONVERTER_VERSION_MAJOR 2
#define CONVERTER_VERSION_MINOR 3
#define CONVERTER_VERSION_PATCH 0

#define CONVERTER_COMPANY_NAME "Converter project contributors"
#define CONVERTER_COPYRIGHT "Copyright (c) 2026 Converter project contributors"
// Where users report faults and find help (Add/Remove Programs, README).
#define CONVERTER_HELP_LINK "https://converter.example.org/issues"

// "2.3" (what the About box shows) and "2.3.0.0" (the version resource's).
#define CONVERTER_TEXT_(x) #x
#define CONVERTER_TEXT(x) CONVERTER_TEXT_(x)
#define CONVERTER_VERSION_SHORT_TEXT CONVERTER_TEXT(CONVERTER_VERSION_MAJOR) "." CONVERTER_TEXT(CONVERTER_VERSION_MINOR)
#define CONVERTER_VERSION_TEXT \
  CONVERTER_VERSION_SHORT_TEXT "." CONVERTER_TEXT(CONVERTER_VERSION_PATCH) ".0"
