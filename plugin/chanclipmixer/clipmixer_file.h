// clipmixer_file.h: the clip mixer's XML file (root chanClipMixer, format "3.1").
#ifndef ZK_CLIPMIXER_FILE_H
#define ZK_CLIPMIXER_FILE_H

#include "clipmixer.h"

#include <string>

// Writes every clip and track, as held, to the path (replacing the file); the first problem as the
// outcome.
MixerOutcome WriteMixerFile(const ClipMixer &mixer, const std::string &path);

// Appends the file's clips and tracks to the mixer, uncompiled. A file that is not a clip mixer
// file comes out as "not data file!" and leaves the mixer unchanged.
MixerOutcome ReadMixerFile(ClipMixer &mixer, const std::string &path);

// The attribute readings of the file: a leading signed decimal integer (0 when the text does not
// start with one or it does not fit in 32 bits), and a boolean (a leading integer other than 0,
// or exactly "true").
int ReadFileInt(const char *text);
bool ReadFileBool(const char *text);

#endif
