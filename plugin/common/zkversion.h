// zkversion.h: the build every title of the module names (" build 250619"). The release archive
// (zktools-<build>-win64.zip) takes its version from this line too.
#ifndef ZK_ZKVERSION_H
#define ZK_ZKVERSION_H

#define ZK_BUILD "250619"

#endif
