// narrow_codepage.h: how the simulated system names its narrow code page outside Windows.
//
// On Windows the narrow code page is the process's ANSI code page. Elsewhere the system setting is
// the environment variable below (an iconv name such as "CP932"), which the simulated host sets and
// the plug-ins' text conversion reads; unset, the code page is UTF-8.
#ifndef ZKPLATFORM_NARROW_CODEPAGE_H
#define ZKPLATFORM_NARROW_CODEPAGE_H

constexpr char kNarrowCodePageVariable[] = "ZK_NARROW_CODEPAGE";
constexpr char kDefaultNarrowCodePage[] = "UTF-8";

#endif
