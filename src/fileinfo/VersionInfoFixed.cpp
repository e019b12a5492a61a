#include "VersionValues.h"

namespace {

// The misspelt first name is the one this component has always shown.
const char* const DriverSubtypes[] = {"UNKNWON",     "Printer", "Keyboard", "Language",
                                      "Display",     "Mouse",   "Network",  "System",
                                      "Installable", "Sound",   "Comm"};
const char* const FontSubtypes[] = {"Raster", "Vector", "TrueType"};

TFileOs FileOsOf(DWORD fileOs) {
  const DWORD system = HIWORD(fileOs);
  // Our choice: VOS_WINCE and later codes have no member and show as unknown.
  return system <= foNT ? static_cast<TFileOs>(system) : foUNKNOWN;
}

TFileTyp FileTypOf(DWORD fileType) {
  if (fileType == VFT_STATIC_LIB) {
    return ftSTATIC_LIB;
  }
  // Our choice: 6 and codes above 7 have no member and show as unknown.
  return fileType <= VFT_VXD ? static_cast<TFileTyp>(fileType) : ftUNKNOWN;
}

std::string SubtypeText(TFileTyp type, DWORD subtype) {
  if (type == ftDRV && subtype <= VFT2_DRV_COMM) {
    return DriverSubtypes[subtype];
  }
  if (type == ftFONT && subtype >= VFT2_FONT_RASTER && subtype <= VFT2_FONT_TRUETYPE) {
    return FontSubtypes[subtype - VFT2_FONT_RASTER];
  }
  return std::to_string(subtype);
}

// The four 16-bit parts of a version number, "a.b.c.d".
std::string VersionNumber(DWORD mostSignificant, DWORD leastSignificant) {
  return std::to_string(HIWORD(mostSignificant)) + "." + std::to_string(LOWORD(mostSignificant)) +
         "." + std::to_string(HIWORD(leastSignificant)) + "." +
         std::to_string(LOWORD(leastSignificant));
}

} // namespace

void ReadFixedPart(TVersionBuffer& buffer, TVersionInfoValues& values) {
  const std::optional<VS_FIXEDFILEINFO> fixed = buffer.FixedPart();
  if (!fixed) {
    return;
  }
  // The flags as stored: dwFileFlagsMask is not applied.
  const DWORD flags = fixed->dwFileFlags;
  values.Debug = (flags & VS_FF_DEBUG) != 0;
  values.PreRelease = (flags & VS_FF_PRERELEASE) != 0;
  values.Patched = (flags & VS_FF_PATCHED) != 0;
  values.PrivateBuild = (flags & VS_FF_PRIVATEBUILD) != 0;
  values.InfoInferred = (flags & VS_FF_INFOINFERRED) != 0;
  values.SpecialBuild = (flags & VS_FF_SPECIALBUILD) != 0;
  values.FileOs = FileOsOf(fixed->dwFileOS);
  values.FileTyp = FileTypOf(fixed->dwFileType);
  values.FileSubTyp = SubtypeText(values.FileTyp, fixed->dwFileSubtype);
  values.FileVersionNumber = VersionNumber(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
  values.ProductVersionNumber = VersionNumber(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
}
