// lwfile.h: files named by UTF-8 paths, as "File Request 3" hands them back.
//
// On Windows a narrow-character open reads the path in the ANSI code page, so every folder or file
// name outside it fails; these open through UTF-16 there, and as the C library does elsewhere.
#ifndef ZK_LWFILE_H
#define ZK_LWFILE_H

#include <cstdio>
#include <string>

// fopen of a UTF-8 path; null when the file cannot be opened.
std::FILE *OpenUtf8File(const std::string &path, const char *mode);

// The whole file; false when it cannot be opened or read (a folder cannot).
bool ReadUtf8File(const std::string &path, std::string &bytes);

// Writes the bytes as the whole file; false when it cannot be written.
bool WriteUtf8File(const std::string &path, const std::string &bytes);

#endif
