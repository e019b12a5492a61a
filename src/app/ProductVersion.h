#pragma once

// The program's version, for the version resource and the About dialog alike. Plain
// defines, since the resource compiler reads this too.
#define PRODUCT_VERSION_MAJOR 1
#define PRODUCT_VERSION_MINOR 1

#define PRODUCT_VERSION_STRINGIZE(x) #x
#define PRODUCT_VERSION_TEXT_OF(major, minor)                                                      \
  PRODUCT_VERSION_STRINGIZE(major) "." PRODUCT_VERSION_STRINGIZE(minor)
// "1.1", as the About dialog and the product version string show it.
#define PRODUCT_VERSION_TEXT PRODUCT_VERSION_TEXT_OF(PRODUCT_VERSION_MAJOR, PRODUCT_VERSION_MINOR)
