// lwfile.cpp: opening, reading and writing files named by UTF-8 paths.
#include "lwfile.h"

#include "lwcodepage.h"

#include <memory>

#if defined(_WIN32)
#include <wchar.h>
#endif

std::FILE *OpenUtf8File(const std::string &path, const char *mode)
{
#if defined(_WIN32)
    const std::u16string widePath = Utf8ToUtf16(path);
    const std::u16string wideMode = Utf8ToUtf16(mode);
    return _wfopen(reinterpret_cast<const wchar_t *>(widePath.c_str()), reinterpret_cast<const wchar_t *>(wideMode.c_str()));
#else
    return std::fopen(path.c_str(), mode);
#endif
}

namespace {

struct Closer {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

} // namespace

bool ReadUtf8File(const std::string &path, std::string &bytes)
{
    std::unique_ptr<std::FILE, Closer> file(OpenUtf8File(path, "rb"));
    if (!file)
        return false;
    bytes.clear();
    char buffer[65536];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, count);
    return !std::ferror(file.get());
}

bool WriteUtf8File(const std::string &path, const std::string &bytes)
{
    std::FILE *file = OpenUtf8File(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
